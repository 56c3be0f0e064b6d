#pragma once
// One operation that changed a tracker: who ran it where, on which tracker,
// what it sent, how it ended, and the copy before it with the read after.

#include <cstdint>
#include <optional>
#include <string>

namespace tracker {

struct HistoryRecord {
  std::int64_t id = 0;
  std::string time = {};  // UTC, "2026-12-08T23:15:02Z"
  std::string host = {};
  std::string user = {};
  std::string program = {};  // "tracker-cli", "tracker-editor"
  std::string version = {};
  std::string port = {};
  std::string deviceId = {};
  std::string imei = {};
  std::string sn = {};
  std::string firmware = {};
  std::string operation = {};   // "write", "restore", "Write GEO", …
  std::string groups = {};      // "gprs main", "all"; empty for a service command
  std::string file = {};        // the settings file written, or "record 12"
  std::string fileSha256 = {};  // of its bytes
  std::string result = {};      // "ok" or "failed"
  std::string message = {};     // the final box, or why it failed
  std::optional<bool> verified = {};
  std::string differences = {};  // one line per field the read-back found different
  double seconds = 0;
  std::string before = {};  // the copy before, as a settings file; empty: device information only
  std::string after = {};   // the verification's read, as a settings file
};

}  // namespace tracker
