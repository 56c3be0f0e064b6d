#pragma once
// A list's value as the tracker and the settings file hold it: the position of
// its item, or, for a value the list does not know (written by newer
// firmware), the number itself. Such a value shows as one extra item,
// "Value 64", so that it is kept and written back unchanged.

#include <string_view>

#include "ui/controls.h"

namespace tracker {

inline constexpr int kNoListValue = -1;
inline constexpr int kNoSelectionByte = 0xFF;

// -1 for no selection.
int ListValue(const Controls& controls, std::string_view list);

// Selects the item of a value; -1, any other negative number and 0xFF select
// nothing. A value past the catalogue's items becomes the extra item.
void SetListValue(Controls& controls, std::string_view list, int value);

}  // namespace tracker
