#pragma once
// How a technician names a button: its caption, where it sits, never its
// control name ("Write" on the Main tab, not "MainWrite").

#include <string>
#include <string_view>

namespace tracker::cli {

// "\"Write\" on the Main tab", "\"Clear\" beside GPRS-1 Buffer on the Info tab";
// the name itself for a control the catalogue does not know.
std::string ButtonTitle(std::string_view name);

}  // namespace tracker::cli
