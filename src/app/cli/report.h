#pragma once
// The record of one tracker's run, and the report file: one JSON line per
// tracker, appended, so that a workshop knows what went onto which vehicle.

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tracker::cli {

struct TrackerRecord {
  std::chrono::system_clock::time_point time;  // when the run started
  std::string port;
  std::string deviceId;
  std::string imei;
  std::string firmware;
  std::string command;
  std::vector<std::string> groups;  // as given; "all" for read or write without groups
  std::string file;                 // the settings file written (or "record 12"), if any
  std::string fileSha256;           // of its bytes
  bool completed = false;
  std::string message;  // why it failed, or the last operation's final box
  // Filled from the operation's read-back when one ran; none otherwise.
  std::optional<bool> verified;
  std::vector<std::string> differences;  // one line per field that differs
  double seconds = 0;
};

// The record as one JSON object on one line, without the line break.
std::string ReportLine(const TrackerRecord& record);

// A text as a JSON string, a list of texts as a JSON array.
std::string JsonString(const std::string& text);
std::string JsonList(const std::vector<std::string>& items);

// "2026-12-08T09:15:02Z"
std::string UtcTimeText(std::chrono::system_clock::time_point time);

// Appends records to a file, one whole line per write, from any thread.
class ReportFile {
 public:
  explicit ReportFile(std::string path) : path_(std::move(path)) {}

  // Throws std::runtime_error naming the file when it cannot be written.
  void append(const TrackerRecord& record);

 private:
  std::mutex mutex_;
  std::string path_;
};

}  // namespace tracker::cli
