#include "engine/group_sections.h"

#include <algorithm>

#include "settings/settings_keys.h"

namespace tracker {
namespace {

struct GroupSection {
  Group group;
  std::string_view section;
};

constexpr GroupSection kSections[] = {
    {Group::Gprs, "GPRS"},  {Group::MainA, "Main"},
    {Group::MainB, "Main"}, {Group::Interface, "Interface"},
    {Group::Wifi, "WIFI"},  {Group::Sms, "Auth"},
    {Group::Geo, "GEO"},    {Group::Event, "Event"},
    {Group::Dlt, "DLT"},
};

}  // namespace

std::optional<std::string_view> SectionOf(Group group) {
  const auto* row = std::ranges::find(kSections, group, &GroupSection::group);
  if (row == std::end(kSections)) return std::nullopt;
  return row->section;
}

std::vector<std::string_view> SectionsOf(const std::vector<Group>& groups) {
  std::vector<std::string_view> sections;
  for (const std::string_view section : SettingSections()) {
    const bool held = std::ranges::any_of(groups, [&](Group g) { return SectionOf(g) == section; });
    if (held) sections.push_back(section);
  }
  return sections;
}

std::vector<Group> GroupsOfSection(std::string_view section) {
  std::vector<Group> groups;
  for (const GroupSection& row : kSections) {
    if (row.section == section) groups.push_back(row.group);
  }
  return groups;
}

}  // namespace tracker
