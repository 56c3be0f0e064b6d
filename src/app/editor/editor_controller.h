#pragma once
// Wires the main window to the engine: the serial component Comm1, the two
// timers, every button and menu item, each through the engine's one guard.

#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "app/editor/built_in_tracker.h"
#include "app/editor/preferences.h"
#include "app/editor/qt_window.h"
#include "app/editor/read_back_view.h"
#include "app/editor/traffic_view.h"
#include "engine/engine.h"
#include "engine/tcomm_port.h"
#include "serial/comm.h"
#include "serial/port_enumerator.h"
#include "ui/qt/qt_controls.h"

class QFileDialog;

namespace tracker {

class EditorAids;
class TForm1;
class WindowHistory;

class EditorController : public QObject {
  Q_OBJECT

 public:
  // ports must outlive the controller.
  EditorController(TForm1& form, const PortEnumerator& ports);
  ~EditorController() override;

  // The window's creation: start-up state, port list, Tracker.ini.
  void FormCreate(const QString& settingsPath);
  // FormCreate with the user's Tracker.ini (or the program's), then the
  // window's remembered size and position, and the remembered port unless
  // keepPort (the demo preselects its own).
  void Start(bool keepPort);
  // The demo's simulated tracker inside this process, as port "DEMO" (where
  // no pseudo-terminal can serve it).
  void useBuiltInTracker() { demoPort_.enable(); }

  Engine& engine() { return *engine_; }
  ReadBackView& readBack() { return *readBack_; }
  TComm& comm() { return Comm1; }
  TrafficView& traffic() { return traffic_; }
  EditorAids& aids() { return *aids_; }
  WindowHistory& history() { return *history_; }

  // Menu handlers (the web page item is the window's own).
  void SavetSettings1Click();
  void LoadSettings1Click();
  void Exit1Click();
  // Loads a settings file the technician chose (asking first about unsaved changes).
  void loadFile(const QString& path);
  // Loads a copy kept in the history, as a settings file named `name`.
  bool loadCopy(const std::string& bytes, const std::string& name);

 private:
  // Runs a settings-file dialog; the chosen path (remembered), or none.
  std::optional<std::string> chooseSettingsFile(QFileDialog& dialog);
  void wireButtons();
  void wireMenu();
  void describePorts();
  void restorePort();
  void rememberChoices();
  // After a load: what the file did not hold was left as it was; says so.
  void noteLeftAlone(const std::string& name);
  void delivered(std::span<const std::uint8_t> bytes);

  TForm1& form_;
  const PortEnumerator& ports_;
  QtControls controls_;
  QtWindow window_;
  TComm Comm1;
  TCommPort port_;
  BuiltInTrackerPort demoPort_;
  TrafficView traffic_;
  std::unique_ptr<Engine> engine_;
  Preferences preferences_;
  QTimer Timer1;
  QTimer Timer2;
  ReadBackView* readBack_ = nullptr;  // owned by the form
  EditorAids* aids_ = nullptr;        // owned by the form
  WindowHistory* history_ = nullptr;  // owned by the form
};

}  // namespace tracker
