// The history's schema as migration steps: step N takes a database from
// version N to N+1 (PRAGMA user_version). A new column is a new step, so
// every older file is brought up to date on opening.

#include <iterator>

#include "history/history_db.h"

namespace tracker {
namespace {

constexpr const char* kSteps[] = {
    // 0 → 1: the records.
    "CREATE TABLE records("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " time TEXT NOT NULL, host TEXT NOT NULL, user TEXT NOT NULL,"
    " program TEXT NOT NULL, version TEXT NOT NULL, port TEXT NOT NULL,"
    " device_id TEXT NOT NULL, imei TEXT NOT NULL, sn TEXT NOT NULL, firmware TEXT NOT NULL,"
    " operation TEXT NOT NULL, groups TEXT NOT NULL, file TEXT NOT NULL,"
    " file_sha256 TEXT NOT NULL, result TEXT NOT NULL, message TEXT NOT NULL,"
    " verified INTEGER, differences TEXT NOT NULL, seconds REAL NOT NULL,"
    " before TEXT NOT NULL, after TEXT NOT NULL);"
    "CREATE INDEX records_by_device ON records(device_id, id);",
};

}  // namespace

int HistorySchemaVersion() {
  return static_cast<int>(std::size(kSteps));
}

const char* HistoryMigration(int fromVersion) {
  return kSteps[fromVersion];
}

}  // namespace tracker
