#pragma once
// Which settings-file section holds each parameter group, and back.

#include <optional>
#include <string_view>
#include <vector>

#include "codec/group_row.h"

namespace tracker {

// "GPRS", "Main" (both ranges), …; none for the temperature rows, which no
// settings file holds.
std::optional<std::string_view> SectionOf(Group group);

// The sections of the groups, each once, in file order.
std::vector<std::string_view> SectionsOf(const std::vector<Group>& groups);

// The groups a section holds (Main: both ranges).
std::vector<Group> GroupsOfSection(std::string_view section);

}  // namespace tracker
