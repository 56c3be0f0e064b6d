#pragma once
// What an edit accepts while the user types, and what it is refilled with when
// the user leaves it empty.

#include <optional>
#include <string>
#include <string_view>

namespace tracker {

enum class KeyFilter {
  Digits,          // 0-9
  Decimal,         // 0-9 and .
  SignedWhole,     // 0-9 and -
  SignedDecimal,   // 0-9, +, - and .
  Alphanumeric,    // 0-9, A-Z, a-z
  Hexadecimal,     // 0-9, A-F, a-f
  Time,            // 0-9 and :
  Alphanumeric14,  // as Alphanumeric, and nothing once the field holds 14 characters
  AtMost32,        // anything, and nothing once the field holds 32 characters
  None             // no filter at all
};

inline constexpr char32_t kBackspace = 8;

// Whether a typed character reaches an edit holding currentText (UTF-8).
// Backspace passes every filter; other control characters pass only None.
bool KeyAccepted(KeyFilter filter, std::string_view currentText, char32_t typed);

struct FieldRule {
  KeyFilter filter = KeyFilter::None;
  std::optional<std::string_view> refill;  // text set when the edit is left empty
  std::size_t maxLength = 0;               // characters typing may reach; 0: no limit
};

// Whether a typed character reaches an edit under the rule: its filter, and
// its length limit (a longer text set by the program stays, and can shrink).
bool KeyAccepted(const FieldRule& rule, std::string_view currentText, char32_t typed);

// What of a pasted text (UTF-8) reaches an edit holding currentText (the text
// outside the selection the paste replaces): each character in turn, as if
// typed, refused ones left out.
std::string PastedText(const FieldRule& rule, std::string_view currentText,
                       std::string_view pasted);

// The rule of an edit; edits without one accept anything and are never refilled.
FieldRule FieldRuleFor(std::string_view control);

// The text an edit should hold after losing the focus with the given text:
// the refill text when the edit is empty and has one, otherwise nothing.
std::optional<std::string_view> RefillOnExit(std::string_view control, std::string_view text);

}  // namespace tracker
