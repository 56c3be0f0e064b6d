#pragma once
// The simulated tracker of the demo mode: a child process serving a
// pseudo-terminal, ended with the editor.

#include <QProcess>
#include <QString>

namespace tracker {

class DemoTracker {
 public:
  DemoTracker() = default;
  ~DemoTracker();
  DemoTracker(const DemoTracker&) = delete;
  DemoTracker& operator=(const DemoTracker&) = delete;

  // Starts the simulator and waits for its port; false with a message on failure.
  bool start(QString& error);
  const QString& port() const { return port_; }

 private:
  QProcess process_;
  QString port_;
};

}  // namespace tracker
