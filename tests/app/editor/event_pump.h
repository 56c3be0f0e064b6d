#pragma once
// Runs the Qt event loop in a test until a condition holds.

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

namespace tracker::test {

// Processes events until done() holds or the time is up; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

}  // namespace tracker::test
