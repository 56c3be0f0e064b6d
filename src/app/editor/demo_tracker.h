#pragma once
// The simulated tracker of the demo mode: a child process serving a
// pseudo-terminal, ended with the editor.

#include <QProcess>
#include <QString>
#include <vector>

#include "serial/port_enumerator.h"

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

// The present ports with the demo tracker's port first.
class DemoPortEnumerator : public PortEnumerator {
 public:
  DemoPortEnumerator(const PortEnumerator& present, std::string demoPort)
      : present_(present), demoPort_(std::move(demoPort)) {}
  std::vector<PortInfo> presentPorts() const override;

 private:
  const PortEnumerator& present_;
  std::string demoPort_;
};

}  // namespace tracker
