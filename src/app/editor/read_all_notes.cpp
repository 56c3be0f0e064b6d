#include "app/editor/read_all_notes.h"

#include "engine/field_compare.h"
#include "ui/catalogue.h"

namespace tracker {
namespace {

constexpr std::string_view kNote = "not read from this tracker";

int tabOf(Group group) {
  for (const std::string& control : ReadControls(group, false)) {
    if (const ControlSpec* spec = FindControl(control)) return spec->tab;
  }
  return -1;
}

std::string tabList(const std::set<int>& tabs) {
  std::string text;
  for (const int tab : tabs) {
    if (!text.empty()) text += ", ";
    text += Tabs()[static_cast<std::size_t>(tab)].caption;
  }
  return text;
}

}  // namespace

void ReadAllNotes::clicked(std::string_view button) {
  if (button != "ReadAll") return;
  active_ = true;
  read_.clear();
  expected_.clear();
  for (const Group group : AllGroups()) {
    if (group == Group::Dlt && !window_.dltTabShown()) continue;
    if (const int tab = tabOf(group); tab >= 0) expected_.insert(tab);
  }
}

void ReadAllNotes::synced(const std::vector<Group>& groups) {
  for (const Group group : groups) {
    const int tab = tabOf(group);
    if (tab < 0) continue;
    if (active_) read_.insert(tab);
    window_.setTabNote(Tabs()[static_cast<std::size_t>(tab)].name, "");
  }
}

std::string ReadAllNotes::boxAddition() {
  if (!active_) return {};
  std::set<int> missing;
  for (const int tab : expected_) {
    if (!read_.contains(tab)) missing.insert(tab);
  }
  // A WiFi list the tracker does not answer is the engine's own omission.
  if (missing.empty() || missing == std::set<int>{tabOf(Group::Wifi)}) return {};
  for (const int tab : missing)
    window_.setTabNote(Tabs()[static_cast<std::size_t>(tab)].name, kNote);
  active_ = false;
  return "\nRead: " + (read_.empty() ? std::string("nothing") : tabList(read_)) +
         ".\nStill holding earlier values: " + tabList(missing) + ".";
}

}  // namespace tracker
