#pragma once
// What `info` prints: the Info tab's device information, the identifier and
// the Interface tab's input rows as the tracker's model set them.

#include <ostream>

#include "ui/controls.h"

namespace tracker::cli {

// "Name: value" lines by control name; for each input row its caption label,
// whether it is shown, and its mode box's selected item position.
void PrintInfo(const Controls& controls, std::ostream& out);

}  // namespace tracker::cli
