#pragma once
// What the window tells the user about a field, read from the group row that
// also checks it: the keys the edit takes, how many characters fit and the
// range of values it holds.

#include <cstddef>
#include <string>
#include <string_view>

#include "ui/key_filters.h"

namespace tracker {

struct FieldHint {
  KeyFilter filter = KeyFilter::None;  // the characters the field's format uses
  std::string range;                   // "0–255"; empty for texts, lists and checks
  std::size_t maxLength = 0;           // characters a text field holds; 0: no limit
};

// The hint of a control a group row names; an empty hint for any other.
FieldHint FieldHintFor(std::string_view control);

// Why a write would refuse the text in the edit of a group row ("123.5 is out
// of range -90.000000–90.000000"), checked by the field's own encoder; empty
// when the text is fine or the control is no edit of a group row.
std::string FieldTextProblem(std::string_view control, std::string_view text);

}  // namespace tracker
