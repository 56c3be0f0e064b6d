#include "codec/field_hints.h"

#include <unordered_map>
#include <vector>

#include "base/field_error.h"
#include "ui/catalogue.h"
#include "ui/memory_controls.h"

#include "codec/encodings.h"
#include "codec/group_row.h"
#include "codec/payloads.h"

namespace tracker {
namespace {

KeyFilter filterOf(const Encoding* e) {
  using namespace encoding;
  if (e == &kU8 || e == &kU16 || e == &kU32) return KeyFilter::Digits;
  if (e == &kVolt100) return KeyFilter::Decimal;
  if (e == &kTemp10 || e == &kLatitude || e == &kLongitude) return KeyFilter::SignedDecimal;
  if (e == &kI32 || e == &kTimeZone) return KeyFilter::SignedWhole;
  if (e == &kHhmm) return KeyFilter::Time;
  if (e == &kSensorId) return KeyFilter::Hexadecimal;
  return KeyFilter::None;
}

FieldHint hintOf(const Field& f) {
  FieldHint hint;
  hint.filter = filterOf(f.encoding);
  if (f.encoding->range != nullptr) hint.range = f.encoding->range(f);
  if (f.encoding == &encoding::kText || f.encoding == &encoding::kWifiText) {
    hint.maxLength = f.width;  // one Latin-1 byte a character
  }
  return hint;
}

std::unordered_map<std::string, const Field*> buildEdits() {
  using namespace encoding;
  std::unordered_map<std::string, const Field*> edits;
  for (const Group group : AllGroups()) {
    for (const Field& f : SpecOf(group).fields) {
      const Encoding* e = f.encoding;
      if (f.control.empty() || !f.written() || e == &kIndex || e == &kFlag || e == &kFixed) {
        continue;
      }
      edits.try_emplace(f.control, &f);
    }
  }
  return edits;
}

std::unordered_map<std::string, FieldHint> buildHints() {
  std::unordered_map<std::string, FieldHint> hints;
  for (const Group group : AllGroups()) {
    for (const Field& f : SpecOf(group).fields) {
      if (!f.control.empty()) hints.try_emplace(f.control, hintOf(f));
    }
  }
  // Not a group field: "Set" sends it alone.
  hints.emplace("Mileage", FieldHint{KeyFilter::Digits, std::string(kMileageRange), 0});
  return hints;
}

}  // namespace

FieldHint FieldHintFor(std::string_view control) {
  static const auto hints = buildHints();
  const auto it = hints.find(std::string(control));
  return it == hints.end() ? FieldHint{} : it->second;
}

std::string FieldTextProblem(std::string_view control, std::string_view text) {
  static const auto edits = buildEdits();
  const auto it = edits.find(std::string(control));
  const ControlSpec* spec = FindControl(control);
  if (it == edits.end() || spec == nullptr) return {};
  MemoryControls scratch(std::vector<ControlSpec>{*spec});
  scratch.setText(control, text);
  std::vector<std::uint8_t> bytes(it->second->width);
  try {
    it->second->encoding->write(*it->second, scratch, bytes);
  } catch (const EFieldError& e) {
    return e.problem();
  }
  return {};
}

}  // namespace tracker
