// The history's records as the program reads them back, damaged: each input
// overwrites columns of one stored record with text, a blob (NUL bytes
// included), a number or NULL, then runs one of `history`, `history --json`,
// `history show`, `show --after` and the restore's reading of the copy. A
// damaged record may be refused, with a message, but never crashes.

#include <sqlite3.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/cli_history.h"
#include "fuzz/fuzz_check.h"

namespace tracker::fuzz {
namespace {

constexpr const char* kColumns[] = {
    "time",   "host",    "user",     "program",     "version", "port",   "device_id",
    "imei",   "sn",      "firmware", "operation",   "groups",  "file",   "file_sha256",
    "result", "message", "verified", "differences", "seconds", "before", "after"};

struct Store {
  std::string path;
  sqlite3* raw = nullptr;
};

// One database for the whole run, holding one record; its columns are
// overwritten by each input.
Store& TheStore() {
  static Store store = [] {
    Store s;
    // In memory where the system has a folder for it: the file is opened five
    // times for every input.
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path folder =
        std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    s.path = (folder / "tracker-history-fuzz.sqlite").string();
    std::filesystem::remove(s.path);
    {
      HistoryDb db(s.path);
      HistoryRecord record;
      record.deviceId = "860000000000001";
      record.operation = "write";
      record.before = "[GPRS]\nAPN Name=internet\n";
      record.after = record.before;
      db.add(record);
    }
    FUZZ_CHECK(sqlite3_open(s.path.c_str(), &s.raw) == SQLITE_OK);
    return s;
  }();
  return store;
}

void Damage(sqlite3* raw, InputReader& input) {
  const int changes = 1 + input.byte() % 4;
  for (int i = 0; i < changes && !input.empty(); ++i) {
    const char* column = kColumns[input.byte() % std::size(kColumns)];
    const std::uint8_t kind = input.byte() % 4;
    const auto bytes = input.take(input.byte());
    const std::string value(bytes.begin(), bytes.end());
    sqlite3_stmt* statement = nullptr;
    const std::string sql = std::string("UPDATE records SET ") + column + " = ?1 WHERE id = 1";
    FUZZ_CHECK(sqlite3_prepare_v2(raw, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK);
    if (kind == 0) sqlite3_bind_text(statement, 1, value.data(), int(value.size()), nullptr);
    if (kind == 1) sqlite3_bind_blob(statement, 1, value.data(), int(value.size()), nullptr);
    if (kind == 2) sqlite3_bind_int64(statement, 1, static_cast<std::int64_t>(value.size()) - 9);
    if (kind == 3) sqlite3_bind_null(statement, 1);
    sqlite3_step(statement);  // a NOT NULL column refuses NULL: that is damage refused
    sqlite3_finalize(statement);
  }
}

void Run(const std::string& path, std::vector<std::string> arguments, bool json, bool after) {
  cli::CliOptions options;
  options.historyFile = path;
  options.command = "history";
  options.arguments = std::move(arguments);
  options.json = json;
  options.after = after;
  std::ostringstream out;
  try {
    cli::RunHistory(options, out);
  } catch (const std::runtime_error& e) {
    FUZZ_CHECK(std::string(e.what()).size() > 0);
  }
}

}  // namespace

int FuzzOne(InputReader& input) {
  Store& store = TheStore();
  // Which reading runs is the input's first byte: each opens the file anew,
  // so one a run keeps the rate up while every reading is reached.
  const std::uint8_t reading = input.byte() % 5;
  Damage(store.raw, input);
  if (reading < 4) {  // history, history --json, history show, show --after
    std::vector<std::string> arguments;
    if (reading >= 2) arguments = {"show", "1"};
    Run(store.path, arguments, reading == 1, reading == 3);
    return 0;
  }
  try {
    const HistoryDb db(store.path);
    cli::RecordSource(db, "1");
  } catch (const std::runtime_error& e) {
    FUZZ_CHECK(std::string(e.what()).size() > 0);
  }
  return 0;
}

}  // namespace tracker::fuzz
