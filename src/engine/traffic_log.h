#pragma once
// The traffic log: every frame sent, every delivery received and every status
// text, one line each with the time, the direction, the command's name, the
// length and the bytes in hex. The window's dock and the command line's
// --trace show the same lines. Only the newest lines are kept.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tracker {

enum class TrafficDirection { Sent, Received, Status };

struct TrafficEntry {
  std::chrono::system_clock::time_point time;
  TrafficDirection direction = TrafficDirection::Sent;
  std::span<const std::uint8_t> bytes;  // frames and deliveries
  std::string_view text;                // status texts
};

// The command's name as the log shows it ("ReadBlock"), or its hex value.
std::string CommandName(std::uint8_t command);

// What a run of bytes is: the command of the frame it starts with, "Text" for
// a printable banner, "Data" for anything else.
std::string ContentName(std::span<const std::uint8_t> bytes);

// "12:34:56.789 -> ReadBlock 12 5A A5 00 06 59 ..." (local time); status texts
// as "12:34:56.789 -- Status Read GEO: retry 1".
std::string FormatTrafficLine(const TrafficEntry& entry);

class TrafficLog {
 public:
  static constexpr std::size_t kMaxLines = 10'000;

  // keep: how many lines are held; 0 keeps none (the lines still go to onLine).
  explicit TrafficLog(std::size_t keep = kMaxLines) : keep_(keep) {}

  void sent(std::span<const std::uint8_t> frame);
  void received(std::span<const std::uint8_t> delivery);
  void status(std::string_view text);

  const std::deque<std::string>& lines() const { return lines_; }
  // Every line held, each ended by a line break.
  std::string text() const;
  void clear() { lines_.clear(); }

  // Called with each new line as it is logged.
  std::function<void(const std::string&)> onLine;

 private:
  void add(const TrafficEntry& entry);

  std::size_t keep_;
  std::deque<std::string> lines_;
};

}  // namespace tracker
