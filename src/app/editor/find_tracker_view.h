#pragma once
// "Find Tracker" beside the port box and in the toolbar: polls every present
// port at once and selects the one whose tracker answers, naming it
// ("Tracker 356789012345678 on /dev/ttyUSB1"); none or several are said too.
// Only while the window's own port is closed.

#include <QObject>
#include <vector>

#include "app/editor/tracker_finder.h"

class QAction;
class QPushButton;

namespace tracker {

class PortEnumerator;
class TForm1;
class Window;

class FindTrackerView : public QObject {
  Q_OBJECT

 public:
  FindTrackerView(TForm1& form, const PortEnumerator& ports, Window& window);

  // Whether the window's port is open: finding waits until it is closed.
  void setPortOpen(bool open);
  void find();

  QPushButton* button() const { return button_; }
  QAction* action() const { return action_; }
  TrackerFinder& finder() { return finder_; }

 private:
  void show(const std::vector<TrackerFinder::Found>& found);
  void updateEnabled();

  TForm1& form_;
  const PortEnumerator& ports_;
  Window& window_;
  TrackerFinder finder_;
  QPushButton* button_ = nullptr;
  QAction* action_ = nullptr;
  bool portOpen_ = false;
};

}  // namespace tracker
