#pragma once
// The history database: one SQLite file shared by every program and port of
// a user (WAL, a busy time-out), its schema versioned and migrated on opening.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_record.h"

struct sqlite3;

namespace tracker {

// The history cannot be used: "Cannot use the history <path>: <reason>".
class EHistoryError : public std::runtime_error {
 public:
  EHistoryError(const std::string& path, const std::string& reason);
};

// The user's database: the data folder's "history.sqlite".
std::string DefaultHistoryPath();

// Host and user names of this session, for the records.
std::string HostName();
std::string UserName();

class HistoryDb {
 public:
  // Opens (creating when missing) and migrates; throws EHistoryError and
  // leaves a file that is no history of ours as it is.
  explicit HistoryDb(std::string path);
  ~HistoryDb();
  HistoryDb(const HistoryDb&) = delete;
  HistoryDb& operator=(const HistoryDb&) = delete;

  const std::string& path() const { return path_; }

  // Takes the write lock and gives it back: whether a record could be added
  // now (read-only file or folder, a lock held too long); throws EHistoryError.
  void checkWritable();

  // Adds the record; its id.
  std::int64_t add(const HistoryRecord& record);

  // Records newest first, of one device (empty: all), without their copies.
  std::vector<HistoryRecord> list(std::string_view deviceId = {}) const;
  std::optional<HistoryRecord> find(std::int64_t id) const;

 private:
  void open();
  [[noreturn]] void fail(const std::string& reason) const;
  void exec(const char* sql);
  void switchToWal();
  void migrate();
  int schemaVersion() const;

  std::string path_;
  sqlite3* db_ = nullptr;
};

// The schema, one step per version (history_schema.cpp).
int HistorySchemaVersion();
const char* HistoryMigration(int fromVersion);

}  // namespace tracker
