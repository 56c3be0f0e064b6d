#pragma once
// View → "Traffic Log": a dock listing the traffic log's lines (every frame
// sent, every delivery received, every status text), newest last, at most the
// log's 10,000. The list can be copied and saved.

#include <QDockWidget>
#include <QString>

#include "engine/traffic_log.h"

class QMainWindow;
class QPlainTextEdit;

namespace tracker {

class TrafficDock : public QDockWidget {
  Q_OBJECT

 public:
  // Docked at the bottom of the window, hidden; its toggle goes into a View
  // menu before Help.
  explicit TrafficDock(QMainWindow& window);

  TrafficLog& log() { return log_; }
  QPlainTextEdit* view() const { return view_; }

  // Every line held, each ended by a line break.
  QString text() const;
  void copyAll() const;
  // Writes the lines to the file (atomically); the error's text, or empty.
  QString saveTo(const QString& path) const;

 private:
  void addMenuItem(QMainWindow& window);
  void save();

  TrafficLog log_;
  QPlainTextEdit* view_ = nullptr;
};

}  // namespace tracker
