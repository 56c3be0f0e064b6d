#include "app/cli/report.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <stdexcept>

#include "app/cli/append_file.h"

namespace tracker::cli {

namespace {

std::string quoted(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (c == '\n') {
      json += "\\n";
    } else if (byte < 0x20) {
      std::array<char, 8> escape{};
      std::snprintf(escape.data(), escape.size(), "\\u%04x", byte);
      json += escape.data();
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string list(const std::vector<std::string>& items) {
  std::string json = "[";
  for (const std::string& item : items) {
    if (json.size() > 1) json += ",";
    json += quoted(item);
  }
  return json + "]";
}

std::string field(const char* name, const std::string& json) {
  return std::string(",\"") + name + "\":" + json;
}

}  // namespace

std::string JsonString(const std::string& text) {
  return quoted(text);
}

std::string JsonList(const std::vector<std::string>& items) {
  return list(items);
}

std::string UtcTimeText(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text.data();
}

std::string ReportLine(const TrackerRecord& r) {
  std::array<char, 32> seconds{};
  std::snprintf(seconds.data(), seconds.size(), "%.3f", r.seconds);
  std::string line = "{\"time\":" + quoted(UtcTimeText(r.time));
  line += field("port", quoted(r.port));
  line += field("deviceId", quoted(r.deviceId));
  line += field("imei", quoted(r.imei));
  line += field("firmware", quoted(r.firmware));
  line += field("command", quoted(r.command));
  line += field("groups", list(r.groups));
  line += field("file", quoted(r.file));
  line += field("fileSha256", quoted(r.fileSha256));
  line += field("result", quoted(r.completed ? "ok" : "failed"));
  line += field("message", quoted(r.message));
  line += field("verified", r.verified ? (*r.verified ? "true" : "false") : "null");
  line += field("differences", r.verified ? list(r.differences) : "null");
  line += field("seconds", seconds.data());
  return line + "}";
}

void ReportFile::append(const TrackerRecord& record) {
  const std::string line = ReportLine(record) + "\n";
  const std::lock_guard lock(mutex_);
  AppendToFile(path_, line);
}

}  // namespace tracker::cli
