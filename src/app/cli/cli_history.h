#pragma once
// tracker-cli and the history: the database a run records into, the record
// of each operation that changed a tracker, and the history command.

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "app/cli/cli_options.h"
#include "app/cli/write_source.h"
#include "history/history_db.h"

namespace tracker::cli {

class TrackerSession;
struct OperationResult;

// The database --history names, or the user's; throws std::runtime_error
// naming the file and the reason when it cannot be opened or written.
std::unique_ptr<HistoryDb> OpenHistory(const CliOptions& options);

// The record of one operation the session just ran.
HistoryRecord OperationRecord(TrackerSession& session, const CliOptions& options, OperationId id,
                              const OperationResult& result, const WriteSource* source,
                              std::chrono::system_clock::time_point started);

// The copy before a record kept, as a write's source ("record 12").
WriteSource RecordSource(const HistoryDb& history, const std::string& id);
// The record an ID names; throws std::runtime_error when there is none.
HistoryRecord FindRecord(const HistoryDb& history, const std::string& id);

// history [DEVICE-ID] [--json] | history show ID [--after]
int RunHistory(const CliOptions& options, std::ostream& out);
// The same over a database already open.
int RunHistory(const HistoryDb& history, const CliOptions& options, std::ostream& out);

}  // namespace tracker::cli
