// Read-back: after a write, the same groups are read again into scratch
// controls and compared field by field with what was sent; Compare with
// Tracker reads every group the same way and compares it with the window.

#include <algorithm>

#include "codec/codec.h"
#include "engine/engine.h"

namespace tracker {
namespace {

// The window's box lists this many fields at most; the command line all.
constexpr std::size_t kMaxListedInBox = 12;

bool contains(const std::vector<Group>& groups, Group group) {
  return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// The values a prepared write payload carries, decoded as a read would.
void decodeSent(Group group, const std::vector<std::uint8_t>& payload, Controls& sent) {
  const GroupSpec& spec = SpecOf(group);
  const std::size_t header = spec.blockHeader ? kBlockHeaderSize : 0;
  if (payload.size() < header) return;
  const std::span<const std::uint8_t> data(payload.data() + header, payload.size() - header);
  DecodeTable(spec, spec.write.offset, spec.write.length, data, sent);
}

std::string verifyText(const VerifyReport& report, FieldNaming naming) {
  if (report.incomplete) return "Not verified: the read-back did not complete.";
  std::string text = report.failed() ? "Verify failed:" : "Verified";
  const bool capped = naming == FieldNaming::Window;
  std::size_t listed = 0;
  for (const FieldDifference& d : report.mismatches) {
    if (capped && listed == kMaxListedInBox) break;
    text += "\n" + DifferenceLine(d, "sent", "tracker holds");
    ++listed;
  }
  if (listed < report.mismatches.size()) {
    text += "\n... and " + std::to_string(report.mismatches.size() - listed) + " more fields";
  }
  for (const Group group : report.unread) {
    text += "\n" + std::string(SpecOf(group).caption) + ": not read back";
  }
  return text;
}

}  // namespace

std::vector<Group> WrittenGroups(std::span<const Step> plan) {
  std::vector<Group> groups;
  for (const Step& step : plan) {
    if (step.writes()) groups.push_back(*step.group);
  }
  return groups;
}

std::vector<Group> Engine::writtenGroups() const {
  return WrittenGroups(state_.plan);
}

bool Engine::verifying() const {
  return readBack_.purpose == ReadBackPurpose::Verify && state_.activity == Activity::Reading;
}

void Engine::groupsSynced(const std::vector<Group>& groups) {
  if (onGroupsSynced) onGroupsSynced(groups);
}

DecodeResult Engine::decodeStep(const Step& step, std::span<const std::uint8_t> data) {
  const bool copy = step.copy && kept_.before;
  const bool scratch = readBack_.purpose != ReadBackPurpose::None && readBack_.tracker;
  const Group group = *step.group;
  Controls& target = copy ? *kept_.before : scratch ? *readBack_.tracker : controls_;
  const DecodeResult result = Decode(group, data, target, step.half());
  // After the group's last step of this phase the whole group has been decoded.
  const std::size_t next = state_.step + 1;
  const bool last = next == state_.plan.size() || state_.plan[next].group != group ||
                    !state_.plan[next].reads() || state_.plan[next].copy != step.copy;
  if (result != DecodeResult::Ok || !last) return result;
  if (copy) {
    kept_.beforeGroups.push_back(group);
  } else if (scratch) {
    readBack_.decoded.push_back(group);
  } else {
    groupsSynced({group});
  }
  return result;
}

std::string Engine::endReadBack(std::string_view readBox) {
  std::string box(readBox);
  if (readBack_.purpose == ReadBackPurpose::Verify) box = endVerify(box);
  if (readBack_.purpose == ReadBackPurpose::Compare) box = endCompare(box);
  readBack_.purpose = ReadBackPurpose::None;
  readBack_.tracker.reset();
  return box;
}

void Engine::readBackCutShort() {
  // A time-out or a closed port ends the read-back before its last step.
  if (readBack_.purpose == ReadBackPurpose::None || state_.activity != Activity::Reading) return;
  if (readBack_.purpose == ReadBackPurpose::Verify) {
    readBack_.report = {};
    readBack_.report.ran = true;
    readBack_.report.incomplete = true;
    notice(readBack_.writeBox + "\n" + verifyText(readBack_.report, naming_));
  }
  readBack_.purpose = ReadBackPurpose::None;
  readBack_.tracker.reset();
}

void Engine::startVerify(std::string_view writeBox) {
  // The plan's read steps of the written groups; "Write All" is verified by "Read All".
  if (onVerifyStart) onVerifyStart();
  wifiSkipped_ = false;
  state_.activity = Activity::Reading;
  ++state_.step;
  sendStep();
  setPanel("Verifying...");
  readBack_.purpose = ReadBackPurpose::Verify;
  readBack_.writeBox = writeBox;
  readBack_.tracker = std::make_unique<MemoryControls>();
  readBack_.decoded.clear();
  readBack_.report = {};
}

std::string Engine::endVerify(std::string_view readBox) {
  // "Write All" is verified by "Read All", which also reads the groups it leaves out.
  const std::vector<Group> groups = writtenGroups();
  const bool writeAll = state_.operation->all;
  MemoryControls sent;
  VerifyReport report;
  report.ran = true;
  for (const Group group : groups) {
    if (!contains(readBack_.decoded, group)) {
      // "Read All" goes on without a WiFi list the tracker does not answer;
      // any other group missing means the read-back ended in an error.
      if (writeAll && group == Group::Wifi) {
        report.unread.push_back(group);
      } else {
        report.incomplete = true;
      }
      continue;
    }
    decodeSent(group, prepared_[static_cast<std::size_t>(group)], sent);
    const std::vector<std::string>& controls = ReadControls(group, true);
    for (FieldDifference& d : CompareControls(controls, sent, *readBack_.tracker, naming_)) {
      report.mismatches.push_back(std::move(d));
    }
  }
  if (report.incomplete) {
    readBack_.report = std::move(report);
    return readBack_.writeBox + "\nNot verified: " + std::string(readBox);
  }
  readBack_.report = std::move(report);
  kept_.after = std::move(readBack_.tracker);  // the read after, kept with the copy
  kept_.afterGroups = readBack_.decoded;
  setPanel(readBack_.report.failed() ? "Verify Error" : "Verified");
  groupsSynced(groups);
  return readBack_.writeBox + "\n" + verifyText(readBack_.report, naming_);
}

void Engine::CompareWithTrackerClick() {
  if (!state_.PortOpened || !identified_) return;
  start(OperationId::CompareWithTracker);
}

std::string Engine::endCompare(std::string_view readBox) {
  const bool complete = std::all_of(AllGroups().begin(), AllGroups().end(), [this](Group group) {
    return contains(readBack_.decoded, group) || group == Group::Wifi ||
           (group == Group::Dlt && !window_.dltTabShown());
  });
  if (!complete) return "Compare with Tracker failed: " + std::string(readBox);
  std::vector<std::string> controls;
  for (const Group group : readBack_.decoded) {
    const std::vector<std::string>& read = ReadControls(group, true);
    controls.insert(controls.end(), read.begin(), read.end());
  }
  const std::vector<FieldDifference> differences =
      CompareControls(controls, controls_, *readBack_.tracker, naming_);
  setPanel("Compare OK");
  if (onCompared) onCompared(differences);
  // A WiFi list the tracker did not answer was not compared: the box says so.
  const std::string done = contains(readBack_.decoded, Group::Wifi)
                               ? "Compare with Tracker Completed!"
                               : "Compare with Tracker Completed, but the WiFi list was not read "
                                 "(no answer).";
  if (differences.empty()) return done + "\nNo field differs.";
  return done + "\n" + std::to_string(differences.size()) +
         (differences.size() == 1 ? " field differs" : " fields differ") + " from the tracker.";
}

}  // namespace tracker
