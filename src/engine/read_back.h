#pragma once
// A read whose answers go into scratch controls instead of the window: the
// read-back after a write (verification) and Compare with Tracker. The read
// steps are the ordinary ones; only the decode target differs.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "codec/group_row.h"
#include "engine/field_compare.h"
#include "engine/plan.h"
#include "ui/memory_controls.h"

namespace tracker {

// How the last verification ended.
struct VerifyReport {
  bool ran = false;                         // a verification read was made
  bool incomplete = false;                  // it ended without every group read
  std::vector<FieldDifference> mismatches;  // sent (left) and held by the tracker (right)
  // Groups the read-back skipped: only "Read All" skips one (WiFi, which
  // "Write All" skips the same way when the tracker does not answer it).
  std::vector<Group> unread;

  bool failed() const { return ran && (incomplete || !mismatches.empty()); }
};

struct ReadBack {
  ReadBackPurpose purpose = ReadBackPurpose::None;
  std::string writeBox;  // the write's own completion box
  std::unique_ptr<MemoryControls> tracker;
  std::vector<Group> decoded;  // groups whose every step went into `tracker`
  VerifyReport report;
};

// What an operation that changes the tracker read before changing it, and
// the read-back after it.
struct KeptCopies {
  std::unique_ptr<MemoryControls> before;  // the groups it replaces, as the tracker held them
  std::vector<Group> beforeGroups;         // those whose every step was read
  bool beforeComplete = false;             // the copy's reads all ended
  std::optional<std::string> identifiers;  // the RFID identifiers, one a line, when read
  std::unique_ptr<MemoryControls> after;   // the verification's read
  std::vector<Group> afterGroups;
};

// The groups a plan writes, in step order.
std::vector<Group> WrittenGroups(std::span<const Step> plan);

}  // namespace tracker
