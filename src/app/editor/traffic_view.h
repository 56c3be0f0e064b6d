#pragma once
// The window's view of the line: the traffic log dock and the progress bar,
// both fed by a tap on the engine's port.

#include <cstdint>
#include <span>

#include "engine/traffic_tap.h"

class QMainWindow;

namespace tracker {

class Engine;
class OperationProgressBar;
class TrafficDock;

class TrafficView {
 public:
  TrafficView(QMainWindow& window, CommPort& port);

  // The port the engine sends through.
  CommPort& port() { return tap_; }
  // A delivery, before the engine sees it.
  void received(std::span<const std::uint8_t> bytes) { tap_.received(bytes); }
  // Status texts into the log; a planned operation's progress from its click
  // to its end.
  void attach(Engine& engine);

  TrafficDock& dock() { return *dock_; }
  OperationProgressBar& progressBar() { return *bar_; }

 private:
  TrafficDock* dock_;
  OperationProgressBar* bar_;
  TrafficTap tap_;
};

}  // namespace tracker
