#include "history/history_db.h"

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "base/user_dirs.h"
#include "base/utf8_path.h"

namespace tracker {
namespace {

// Another program or port holding the write lock is waited for this long.
constexpr int kBusyTimeoutMs = 10000;

constexpr const char* kColumns =
    "id, time, host, user, program, version, port, device_id, imei, sn, firmware, operation,"
    " groups, file, file_sha256, result, message, verified, differences, seconds";

struct Finalize {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalize>;

std::string column(sqlite3_stmt* s, int index) {
  const unsigned char* text = sqlite3_column_text(s, index);
  return text == nullptr ? std::string() : reinterpret_cast<const char*>(text);
}

// The columns of kColumns, then before and after when asked for.
HistoryRecord rowOf(sqlite3_stmt* s, bool copies) {
  HistoryRecord r;
  r.id = sqlite3_column_int64(s, 0);
  std::string* texts[] = {&r.time,    &r.host,       &r.user,      &r.program,
                          &r.version, &r.port,       &r.deviceId,  &r.imei,
                          &r.sn,      &r.firmware,   &r.operation, &r.groups,
                          &r.file,    &r.fileSha256, &r.result,    &r.message};
  int index = 1;
  for (std::string* text : texts) *text = column(s, index++);
  if (sqlite3_column_type(s, index) != SQLITE_NULL) r.verified = sqlite3_column_int(s, index) != 0;
  r.differences = column(s, ++index);
  r.seconds = sqlite3_column_double(s, ++index);
  if (copies) {
    r.before = column(s, ++index);
    r.after = column(s, ++index);
  }
  return r;
}

}  // namespace

EHistoryError::EHistoryError(const std::string& path, const std::string& reason)
    : std::runtime_error("Cannot use the history " + path + ": " + reason) {}

std::string DefaultHistoryPath() {
  const std::filesystem::path folder = UserDir(UserFolder::Data);
  if (folder.empty()) return {};
  return Utf8FromPath(folder / "history.sqlite");
}

HistoryDb::HistoryDb(std::string path) : path_(std::move(path)) {
  try {
    open();
  } catch (...) {
    // The destructor does not run for a refused file: its handle closes here.
    sqlite3_close(db_);
    throw;
  }
}

void HistoryDb::open() {
  std::error_code ignored;  // a folder that cannot be made shows as the open's failure
  const std::filesystem::path file = PathFromUtf8(path_);
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ignored);
  const int opened =
      sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (opened != SQLITE_OK) fail(db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory");
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  if (sqlite3_db_readonly(db_, "main") == 1) fail("the file is read-only");
  // Read before anything is written: a file that is no database, or one of
  // a newer version, is refused as it is (WAL mode rewrites the header).
  if (schemaVersion() > HistorySchemaVersion()) {
    fail("written by a newer version (schema " + std::to_string(schemaVersion()) + ")");
  }
  switchToWal();
  migrate();
}

HistoryDb::~HistoryDb() {
  sqlite3_close(db_);
}

void HistoryDb::fail(const std::string& reason) const {
  throw EHistoryError(path_, reason);
}

void HistoryDb::exec(const char* sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) == SQLITE_OK) return;
  const std::string reason = error != nullptr ? error : sqlite3_errmsg(db_);
  sqlite3_free(error);
  sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  fail(reason);
}

void HistoryDb::switchToWal() {
  // Changing the journal mode does not wait on the busy handler: two ports
  // opening a new file at once would see "database is locked" at once.
  // The change is retried here for as long as a writer is waited for.
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
  for (;;) {
    const int result = sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    if (result == SQLITE_OK) return;
    if (result != SQLITE_BUSY || std::chrono::steady_clock::now() >= until) {
      fail(sqlite3_errmsg(db_));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

int HistoryDb::schemaVersion() const {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db_, "PRAGMA user_version", -1, &raw, nullptr) != SQLITE_OK) {
    fail(sqlite3_errmsg(db_));
  }
  const Statement version(raw);
  const int step = sqlite3_step(raw);
  if (step != SQLITE_ROW) fail(sqlite3_errmsg(db_));
  return sqlite3_column_int(raw, 0);
}

void HistoryDb::migrate() {
  // Read and stepped under the write lock, so that two programs opening a
  // new file at once migrate it once.
  exec("BEGIN IMMEDIATE");
  int at = schemaVersion();
  if (at > HistorySchemaVersion()) {
    exec("ROLLBACK");
    fail("written by a newer version (schema " + std::to_string(at) + ")");
  }
  for (; at < HistorySchemaVersion(); ++at) {
    exec(HistoryMigration(at));
    exec(("PRAGMA user_version = " + std::to_string(at + 1)).c_str());
  }
  exec("COMMIT");
}

void HistoryDb::checkWritable() {
  exec("BEGIN IMMEDIATE");
  exec("ROLLBACK");
}

std::int64_t HistoryDb::add(const HistoryRecord& r) {
  sqlite3_stmt* raw = nullptr;
  const char* sql =
      "INSERT INTO records(time, host, user, program, version, port, device_id, imei, sn,"
      " firmware, operation, groups, file, file_sha256, result, message, verified, differences,"
      " seconds, before, after) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
  if (sqlite3_prepare_v2(db_, sql, -1, &raw, nullptr) != SQLITE_OK) fail(sqlite3_errmsg(db_));
  const Statement insert(raw);
  const std::string* texts[] = {&r.time,    &r.host,       &r.user,      &r.program,
                                &r.version, &r.port,       &r.deviceId,  &r.imei,
                                &r.sn,      &r.firmware,   &r.operation, &r.groups,
                                &r.file,    &r.fileSha256, &r.result,    &r.message};
  int index = 1;
  for (const std::string* text : texts) {
    sqlite3_bind_text(raw, index++, text->c_str(), static_cast<int>(text->size()),
                      SQLITE_TRANSIENT);
  }
  if (r.verified) {
    sqlite3_bind_int(raw, index++, *r.verified ? 1 : 0);
  } else {
    sqlite3_bind_null(raw, index++);
  }
  for (const std::string* text : {&r.differences}) {
    sqlite3_bind_text(raw, index++, text->c_str(), static_cast<int>(text->size()),
                      SQLITE_TRANSIENT);
  }
  sqlite3_bind_double(raw, index++, r.seconds);
  for (const std::string* text : {&r.before, &r.after}) {
    sqlite3_bind_text(raw, index++, text->c_str(), static_cast<int>(text->size()),
                      SQLITE_TRANSIENT);
  }
  if (sqlite3_step(raw) != SQLITE_DONE) fail(sqlite3_errmsg(db_));
  return sqlite3_last_insert_rowid(db_);
}

std::vector<HistoryRecord> HistoryDb::list(std::string_view deviceId) const {
  const std::string sql = std::string("SELECT ") + kColumns +
                          " FROM records WHERE ?1 = '' OR device_id = ?1 ORDER BY id DESC";
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    fail(sqlite3_errmsg(db_));
  }
  const Statement select(raw);
  const std::string device(deviceId);  // never a null pointer: that would bind NULL
  sqlite3_bind_text(raw, 1, device.c_str(), static_cast<int>(device.size()), SQLITE_TRANSIENT);
  std::vector<HistoryRecord> records;
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(raw)) == SQLITE_ROW) records.push_back(rowOf(raw, false));
  if (step != SQLITE_DONE) fail(sqlite3_errmsg(db_));
  return records;
}

std::optional<HistoryRecord> HistoryDb::find(std::int64_t id) const {
  const std::string sql =
      std::string("SELECT ") + kColumns + ", before, after FROM records WHERE id = ?";
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    fail(sqlite3_errmsg(db_));
  }
  const Statement select(raw);
  sqlite3_bind_int64(raw, 1, id);
  const int step = sqlite3_step(raw);
  if (step == SQLITE_ROW) return rowOf(raw, true);
  if (step != SQLITE_DONE) fail(sqlite3_errmsg(db_));
  return std::nullopt;
}

}  // namespace tracker
