#pragma once
// How the window and the command line name a field in a message: the window
// by its tab and caption ("Main › Tow Time"), the command line by the
// settings file's section and key ("[Main] Tow Time").

#include <string>
#include <string_view>

namespace tracker {

// Tab caption and the field's caption; a field without one goes by its
// settings key, or by its control name.
std::string WindowFieldName(std::string_view control);

// Section and key of the settings file; a field the file does not hold goes
// by its window name.
std::string FileFieldName(std::string_view control);

}  // namespace tracker
