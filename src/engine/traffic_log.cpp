#include "engine/traffic_log.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <utility>

#include "protocol/commands.h"
#include "protocol/frame.h"

namespace tracker {
namespace {

constexpr std::pair<std::uint8_t, std::string_view> kNames[] = {
    {CmdAuthorise, "Authorise"},     {CmdWriteBlock, "WriteBlock"},
    {CmdReadBlock, "ReadBlock"},     {CmdRfidAdd, "AuthId"},
    {CmdRfidDelete, "DeleteId"},     {CmdRfidCheck, "CheckId"},
    {CmdTempPair, "TempPair"},       {CmdWriteWifi, "WriteWifi"},
    {CmdReadWifi, "ReadWifi"},       {CmdClearSms, "ClearSms"},
    {CmdClearGprs1, "ClearGprs1"},   {CmdClearGprs2, "ClearGprs2"},
    {CmdClearGpsLog, "ClearGpsLog"}, {CmdSetMileage, "SetMileage"},
    {CmdDefault, "Default"},         {CmdClearAuthCode, "ClearAuthCode"},
};

std::string hex(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t b : bytes) {
    if (!text.empty()) text.push_back(' ');
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0x0F]);
  }
  return text;
}

std::string clockText(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()) % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                local.tm_sec, static_cast<int>(millis.count()));
  return text.data();
}

std::string_view arrow(TrafficDirection direction) {
  switch (direction) {
    case TrafficDirection::Sent:
      return "->";
    case TrafficDirection::Received:
      return "<-";
    case TrafficDirection::Status:
      break;
  }
  return "--";
}

bool printable(std::span<const std::uint8_t> bytes) {
  return !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) {
    return b == '\r' || b == '\n' || (b >= 0x20 && b < 0x7F);
  });
}

// A banner as readable text, line breaks escaped.
std::string quoted(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    if (b == '\r') {
      text += "\\r";
    } else if (b == '\n') {
      text += "\\n";
    } else {
      text += static_cast<char>(b);
    }
  }
  return text;
}

}  // namespace

std::string CommandName(std::uint8_t command) {
  for (const auto& [code, name] : kNames) {
    if (code == command) return std::string(name);
  }
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "0x%02X", command);
  return text.data();
}

std::string ContentName(std::span<const std::uint8_t> bytes) {
  if (const std::optional<FrameView> frame = FrameAt(bytes)) return CommandName(frame->command);
  return printable(bytes) ? "Text" : "Data";
}

std::string FormatTrafficLine(const TrafficEntry& entry) {
  std::string line = clockText(entry.time) + " " + std::string(arrow(entry.direction)) + " ";
  if (entry.direction == TrafficDirection::Status)
    return line + "Status " + std::string(entry.text);
  const std::string content = ContentName(entry.bytes);
  line += content + " " + std::to_string(entry.bytes.size());
  if (!entry.bytes.empty()) line += " " + hex(entry.bytes);
  if (content == "Text") line += " \"" + quoted(entry.bytes) + "\"";
  return line;
}

void TrafficLog::sent(std::span<const std::uint8_t> frame) {
  add({.time = std::chrono::system_clock::now(),
       .direction = TrafficDirection::Sent,
       .bytes = frame,
       .text = {}});
}

void TrafficLog::received(std::span<const std::uint8_t> delivery) {
  add({.time = std::chrono::system_clock::now(),
       .direction = TrafficDirection::Received,
       .bytes = delivery,
       .text = {}});
}

void TrafficLog::status(std::string_view text) {
  add({.time = std::chrono::system_clock::now(),
       .direction = TrafficDirection::Status,
       .bytes = {},
       .text = text});
}

std::string TrafficLog::text() const {
  std::string all;
  for (const std::string& line : lines_) all += line + '\n';
  return all;
}

void TrafficLog::add(const TrafficEntry& entry) {
  std::string line = FormatTrafficLine(entry);
  if (onLine) onLine(line);
  if (keep_ == 0) return;
  if (lines_.size() == keep_) lines_.pop_front();
  lines_.push_back(std::move(line));
}

}  // namespace tracker
