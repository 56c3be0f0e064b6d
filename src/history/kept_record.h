#pragma once
// The record of the operation an engine has just ended: the tracker's
// identity, the result, the verification and the copies it kept. The caller
// adds where and when (time, host, port, file, seconds).

#include <string>

#include "engine/engine.h"
#include "history/history_record.h"

namespace tracker {

HistoryRecord KeptRecord(const Engine& engine, const Controls& controls, const Operation& operation,
                         const std::string& box);

// "all", "gprs", "main", …: the groups an operation changes, as the command
// line names them; empty for a service command that changes none.
std::string OperationGroups(const Operation& operation);

// "2026-12-08T23:15:02Z"
std::string UtcNow();

}  // namespace tracker
