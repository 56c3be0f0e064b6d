#pragma once
// A Read All that ends early leaves no doubt about what it read: the tabs it
// did not reach say "(not read)" in their caption, and the final box names
// the tabs read and those that still hold earlier values.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "codec/group_row.h"
#include "ui/window.h"

namespace tracker {

class ReadAllNotes {
 public:
  explicit ReadAllNotes(Window& window) : window_(window) {}

  void clicked(std::string_view button);
  // Read into the window (or written): a note on their tabs no longer holds.
  void synced(const std::vector<Group>& groups);
  // The engine is idle again.
  void settled() { active_ = false; }
  // What the box that ends the operation adds: empty unless Read All ended
  // before reading every tab.
  std::string boxAddition();

 private:
  Window& window_;
  bool active_ = false;
  std::set<int> expected_;  // tabs, by number
  std::set<int> read_;
};

}  // namespace tracker
