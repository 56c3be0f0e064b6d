#pragma once
// One tracker on one port, driven through the engine as the window would:
// open, wait for the identification, click a button and wait for its result.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/console_window.h"
#include "app/cli/run_loop.h"
#include "app/cli/traffic.h"
#include "engine/engine.h"
#include "engine/progress.h"
#include "engine/tcomm_port.h"
#include "serial/comm.h"
#include "serial/owner_queue.h"
#include "ui/memory_controls.h"

namespace tracker::cli {

enum class Identification { Identified, Refused, NoAnswer, LinkLost };

struct OperationResult {
  bool completed = false;
  std::string message;  // the final box, or why there was none
  std::chrono::steady_clock::duration duration{};
  TrafficCount traffic;
  // The read-back after a write, when there was one: its share of the above.
  std::optional<std::chrono::steady_clock::duration> verifyDuration;
  TrafficCount verifyTraffic;
  bool verifyFailed = false;
  // The copy before, when one was read: its share of the above.
  std::optional<std::chrono::steady_clock::duration> copyDuration;
  TrafficCount copyTraffic;
};

class TrackerSession {
 public:
  TrackerSession(ConsoleWindow& window, bool trace);
  ~TrackerSession();
  TrackerSession(const TrackerSession&) = delete;
  TrackerSession& operator=(const TrackerSession&) = delete;

  // Opens the port with the authorisation code; false when it cannot be
  // opened (the reason was shown as an error).
  bool open(const std::string& port, const std::string& code);

  // Waits until the armed authorisation poll has been answered and the device
  // identifier read (or its read has timed out), or the line hangs up.
  Identification identify(std::chrono::steady_clock::duration limit);

  // Starts an operation and runs until the engine is idle again, or the cap.
  OperationResult run(OperationId operation, std::chrono::steady_clock::duration cap);
  // The message of the last operation run: its final box, or why there was none.
  const std::string& lastMessage() const { return lastMessage_; }

  // The read-backs of the writes run so far: none when no write was verified,
  // false when any failed; each field a read-back found different.
  std::optional<bool> verified() const { return verified_; }
  const std::vector<std::string>& differences() const { return differences_; }

  // Told the copy before each operation that read one, before its own steps.
  std::function<void(const MemoryControls& before, const std::vector<Group>& read)> onCopied;

  // Told the progress of each planned operation as it moves, and none when it ends.
  std::function<void(const std::optional<Progress>&)> onProgress;

  Engine& engine() { return engine_; }
  const ConsoleWindow& window() const { return window_; }
  MemoryControls& controls() { return controls_; }

 private:
  void noteVerification();
  void onDelivery(const std::uint8_t* bytes, std::uint16_t length);
  bool engineIdle() const;

  ConsoleWindow& window_;
  OwnerQueue queue_;  // outlives the port's threads, which post into it
  MemoryControls controls_;
  TComm comm_;
  TCommPort port_;
  TrafficMeter meter_;
  Engine engine_;
  RunLoop loop_;
  std::string lastMessage_;
  std::optional<bool> verified_;
  std::vector<std::string> differences_;
};

}  // namespace tracker::cli
