#include "app/cli/button_title.h"

#include "ui/catalogue.h"

namespace tracker::cli {
namespace {

// The captioned edit on the button's row, which says what a bare "Clear" or
// "Set" acts on; empty when there is none.
std::string rowCaption(const ControlSpec& button) {
  for (const ControlSpec& c : Catalogue()) {
    if (c.section == button.section && c.row == button.row && c.kind == ControlKind::Edit &&
        !c.caption.empty()) {
      return c.caption;
    }
  }
  return {};
}

}  // namespace

std::string ButtonTitle(std::string_view name) {
  const ControlSpec* spec = FindControl(name);
  if (spec == nullptr) return std::string(name);
  std::string title = "\"" + spec->caption + "\"";
  if (const std::string beside = rowCaption(*spec); !beside.empty()) title += " beside " + beside;
  const TabSpec& tab = Tabs()[static_cast<std::size_t>(spec->tab)];
  return title + " on the " + std::string(tab.caption) + " tab";
}

}  // namespace tracker::cli
