#include "app/cli/cli_history.h"

#include <charconv>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "app/cli/report.h"
#include "app/cli/tracker_session.h"
#include "history/kept_record.h"

namespace tracker::cli {
namespace {

std::int64_t recordId(const std::string& text) {
  std::int64_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size() || id < 1) {
    throw std::runtime_error("'" + text + "' is not a record number");
  }
  return id;
}

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> items;
  for (std::string word; in >> word;) items.push_back(word);
  return items;
}

std::string verifiedText(const std::optional<bool>& verified) {
  return verified ? (*verified ? "verified" : "not verified") : "-";
}

std::string listLine(const HistoryRecord& r) {
  const std::string operation = r.operation + (r.groups.empty() ? "" : " " + r.groups);
  std::string line(1024, '\0');
  const int n = std::snprintf(
      line.data(), line.size(), "%-5lld %-20s %-10s %-16s %-18s %-6s %-12s %s",
      static_cast<long long>(r.id), r.time.c_str(), r.port.c_str(),
      r.deviceId.empty() ? "-" : r.deviceId.c_str(), operation.c_str(), r.result.c_str(),
      verifiedText(r.verified).c_str(), r.file.empty() ? "-" : r.file.c_str());
  line.resize(static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(line.size()) - 1)));
  return line;
}

std::string jsonLine(const HistoryRecord& r) {
  std::string line = "{\"id\":" + std::to_string(r.id);
  const std::pair<const char*, const std::string*> texts[] = {{"time", &r.time},
                                                              {"port", &r.port},
                                                              {"deviceId", &r.deviceId},
                                                              {"imei", &r.imei},
                                                              {"command", &r.operation}};
  for (const auto& [name, text] : texts)
    line += ",\"" + std::string(name) + "\":" + JsonString(*text);
  line += ",\"groups\":" + JsonList(words(r.groups));
  line += ",\"file\":" + JsonString(r.file);
  line += ",\"fileSha256\":" + JsonString(r.fileSha256);
  line += ",\"result\":" + JsonString(r.result);
  line += ",\"verified\":" + std::string(r.verified ? (*r.verified ? "true" : "false") : "null");
  return line + "}";
}

}  // namespace

std::unique_ptr<HistoryDb> OpenHistory(const CliOptions& options) {
  const std::string path = options.historyFile.value_or(DefaultHistoryPath());
  if (path.empty()) throw std::runtime_error("no home folder for the history: give --history FILE");
  auto history = std::make_unique<HistoryDb>(path);
  history->checkWritable();
  return history;
}

HistoryRecord OperationRecord(TrackerSession& session, const CliOptions& options, OperationId id,
                              const OperationResult& result, const WriteSource* source,
                              std::chrono::system_clock::time_point started) {
  HistoryRecord r =
      KeptRecord(session.engine(), session.controls(), OperationOf(id), result.message);
  r.time = UtcTimeText(started);
  r.host = HostName();
  r.user = UserName();
  r.program = "tracker-cli";
  r.version = TRACKER_VERSION;
  r.port = options.port;
  r.operation = options.command;
  if (source != nullptr) {
    r.file = source->name;
    r.fileSha256 = source->sha256;
  }
  r.result = result.completed ? "ok" : "failed";
  r.seconds = std::chrono::duration<double>(result.duration).count();
  return r;
}

HistoryRecord FindRecord(const HistoryDb& history, const std::string& id) {
  std::optional<HistoryRecord> record = history.find(recordId(id));
  if (!record) throw std::runtime_error("the history " + history.path() + " holds no record " + id);
  return std::move(*record);
}

WriteSource RecordSource(const HistoryDb& history, const std::string& id) {
  HistoryRecord record = FindRecord(history, id);
  if (record.before.empty()) {
    throw std::runtime_error("record " + id +
                             " holds no copy of settings (only the device information)");
  }
  return TextSource("record " + id, std::move(record.before));
}

int RunHistory(const CliOptions& options, std::ostream& out) {
  const std::string path = options.historyFile.value_or(DefaultHistoryPath());
  if (path.empty()) throw std::runtime_error("no home folder for the history: give --history FILE");
  return RunHistory(HistoryDb(path), options, out);
}

int RunHistory(const HistoryDb& history, const CliOptions& options, std::ostream& out) {
  const auto& args = options.arguments;
  if (!args.empty() && args.front() == "show") {
    const HistoryRecord record = FindRecord(history, args.at(1));
    const std::string& text = options.after ? record.after : record.before;
    if (text.empty()) {
      throw std::runtime_error("record " + args.at(1) + " holds no " +
                               (options.after ? "read after" : "copy of settings"));
    }
    out << text << std::flush;
    return 0;
  }
  for (const HistoryRecord& record : history.list(args.empty() ? "" : args.front())) {
    out << (options.json ? jsonLine(record) : listLine(record)) << '\n';
  }
  out.flush();
  return 0;
}

}  // namespace tracker::cli
