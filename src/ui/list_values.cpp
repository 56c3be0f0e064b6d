#include "ui/list_values.h"

#include <string>
#include <vector>

#include "ui/catalogue.h"

namespace tracker {
namespace {

constexpr std::string_view kExtraPrefix = "Value ";

const std::vector<std::string>& catalogueItems(std::string_view list) {
  static const std::vector<std::string> kNone;
  const ControlSpec* spec = FindControl(list);
  return spec == nullptr ? kNone : spec->items;
}

}  // namespace

int ListValue(const Controls& controls, std::string_view list) {
  const int index = controls.itemIndex(list);
  if (index < 0) return kNoListValue;
  if (index < static_cast<int>(catalogueItems(list).size())) return index;
  // The extra item: its number is in its text.
  const std::string text = controls.text(list);
  if (!text.starts_with(kExtraPrefix)) return index;
  try {
    return std::stoi(text.substr(kExtraPrefix.size()));
  } catch (const std::exception&) {
    return index;
  }
}

void SetListValue(Controls& controls, std::string_view list, int value) {
  const std::vector<std::string>& knownItems = catalogueItems(list);
  const int known = static_cast<int>(knownItems.size());
  const bool none = value < 0 || value == kNoSelectionByte;
  if (none || value < known) {
    if (controls.itemCount(list) != known) controls.setItems(list, knownItems);
    controls.setItemIndex(list, none ? kNoListValue : value);
    return;
  }
  std::vector<std::string> items = knownItems;
  items.push_back(std::string(kExtraPrefix) + std::to_string(value));
  controls.setItems(list, items);
  controls.setItemIndex(list, known);
}

}  // namespace tracker
