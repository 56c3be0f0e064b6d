// The history's records as the program reads them back, damaged: each input
// overwrites columns of one stored record with text, a blob (NUL bytes
// included), a number or NULL, then runs one of `history`, `history --json`,
// `history show`, `show --after` and the restore's reading of the copy. A
// damaged record may be refused, with a message, but never crashes. The
// readings go through one open database; one input in 32 opens the file
// anew, as the program does.

#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
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
  sqlite3* raw = nullptr;         // the connection that damages the record
  sqlite3_stmt* begin = nullptr;  // its transaction around the damage
  sqlite3_stmt* commit = nullptr;
  std::unique_ptr<HistoryDb> history;  // the one that reads it back
};

// The run's own database file (runs side by side must not share one), in
// memory where the system has a folder for it: the file is opened five times
// for every input.
std::string StorePath() {
  const std::filesystem::path shm = "/dev/shm";
  const std::filesystem::path folder =
      std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
  return (folder / ("tracker-history-fuzz-" + std::to_string(::getpid()) + ".sqlite")).string();
}

// The database and its journal files, gone when the run ends.
void RemoveStore() {
  std::error_code ignored;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"})
    std::filesystem::remove(StorePath() + suffix, ignored);
}

// One database for the whole run, holding one record; its columns are
// overwritten by each input.
Store& TheStore() {
  static Store store = [] {
    Store s;
    s.path = StorePath();
    RemoveStore();
    std::atexit(RemoveStore);
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
    // The damage needs no flush to the disk: a commit is one write, no sync.
    FUZZ_CHECK(sqlite3_exec(s.raw, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr) ==
               SQLITE_OK);
    FUZZ_CHECK(sqlite3_prepare_v2(s.raw, "BEGIN", -1, &s.begin, nullptr) == SQLITE_OK);
    FUZZ_CHECK(sqlite3_prepare_v2(s.raw, "COMMIT", -1, &s.commit, nullptr) == SQLITE_OK);
    s.history = std::make_unique<HistoryDb>(s.path);
    return s;
  }();
  return store;
}

// The statement that overwrites one column of the record, prepared once.
sqlite3_stmt* UpdateOf(sqlite3* raw, std::size_t column) {
  static std::vector<sqlite3_stmt*> updates(std::size(kColumns), nullptr);
  sqlite3_stmt*& statement = updates[column];
  if (statement == nullptr) {
    const std::string sql =
        std::string("UPDATE records SET ") + kColumns[column] + " = ?1 WHERE id = 1";
    FUZZ_CHECK(sqlite3_prepare_v2(raw, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK);
  }
  return statement;
}

void Step(sqlite3_stmt* statement) {
  FUZZ_CHECK(sqlite3_step(statement) == SQLITE_DONE);
  sqlite3_reset(statement);
}

void Damage(const Store& store, InputReader& input) {
  sqlite3* raw = store.raw;
  // One transaction for all the changes: one commit instead of one for each.
  Step(store.begin);
  const int changes = 1 + input.byte() % 4;
  for (int i = 0; i < changes && !input.empty(); ++i) {
    sqlite3_stmt* statement = UpdateOf(raw, input.byte() % std::size(kColumns));
    const std::uint8_t kind = input.byte() % 4;
    const auto bytes = input.take(input.byte());
    const std::string value(bytes.begin(), bytes.end());
    if (kind == 0) sqlite3_bind_text(statement, 1, value.data(), int(value.size()), nullptr);
    if (kind == 1) sqlite3_bind_blob(statement, 1, value.data(), int(value.size()), nullptr);
    if (kind == 2) sqlite3_bind_int64(statement, 1, static_cast<std::int64_t>(value.size()) - 9);
    if (kind == 3) sqlite3_bind_null(statement, 1);
    sqlite3_step(statement);  // a NOT NULL column refuses NULL: that is damage refused
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
  }
  Step(store.commit);
}

// Runs one reading; a refusal names what it refused.
template <typename Reading>
void Refused(Reading reading) {
  try {
    reading();
  } catch (const std::runtime_error& e) {
    FUZZ_CHECK(std::string(e.what()).size() > 0);
  }
}

}  // namespace

int FuzzOne(InputReader& whole) {
  Store& store = TheStore();
  const auto all = whole.rest();
  InputReader input(all.data(), all.size());
  // The input's first byte chooses the reading. One input in 32 (by the hash
  // of its bytes: the small first bytes that mutations favour made it one in
  // four when a byte chose it) opens the file anew.
  const std::uint8_t reading = input.byte() % 5;
  const std::string_view bytes(reinterpret_cast<const char*>(all.data()), all.size());
  const bool reopen = std::hash<std::string_view>{}(bytes) % 32 == 0;
  Damage(store, input);
  if (reading < 4) {  // history, history --json, history show, show --after
    cli::CliOptions options;
    options.historyFile = store.path;
    options.command = "history";
    if (reading >= 2) options.arguments = {"show", "1"};
    options.json = reading == 1;
    options.after = reading == 3;
    std::ostringstream out;
    Refused([&] {
      reopen ? cli::RunHistory(options, out) : cli::RunHistory(*store.history, options, out);
    });
    return 0;
  }
  Refused([&] {
    if (reopen) {
      cli::RecordSource(HistoryDb(store.path), "1");
    } else {
      cli::RecordSource(*store.history, "1");
    }
  });
  return 0;
}

}  // namespace tracker::fuzz
