#pragma once
// Fills a tracker's record from its session however the run ends: the
// identity the tracker gave (even when it refused the code afterwards) and
// the outcome of the read-back after a write.

#include "app/cli/report.h"
#include "app/cli/tracker_session.h"

namespace tracker::cli {

class SessionRecord {
 public:
  SessionRecord(TrackerSession& session, TrackerRecord& record)
      : session_(session), record_(record) {}
  ~SessionRecord();
  SessionRecord(const SessionRecord&) = delete;
  SessionRecord& operator=(const SessionRecord&) = delete;

 private:
  TrackerSession& session_;
  TrackerRecord& record_;
};

}  // namespace tracker::cli
