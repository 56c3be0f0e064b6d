#pragma once
// What guides the technician beyond the engine's own window: Find (a field),
// Undo/Redo and the field menu, the Changes dock, the file at hand and its
// recent files, Find Tracker, the Read All notes, the question before Write
// All writes start-up values, and a code typed while the port is open.
// Each lives in a file of its own; this wires them to the engine's hooks.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "app/editor/read_all_notes.h"

namespace tracker {

class ChangesDock;
class Engine;
class FieldUndo;
class FindBar;
class FindTrackerView;
class PortEnumerator;
class Preferences;
class QtControls;
class QtWindow;
class ReadBackView;
class RecentFiles;
class TComm;
class TForm1;
class WriteChanges;

class EditorAids : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    TForm1& form;
    Engine& engine;
    QtControls& controls;
    QtWindow& window;
    Preferences& preferences;
    const PortEnumerator& ports;
    TComm& comm;
    ReadBackView& readBack;
    std::function<void(const QString&)> loadFile;  // a recent file chosen
  };
  explicit EditorAids(const Parts& parts);

  // The start-up is over: its values are the defaults, its Load no step.
  void started(const QString& startupFile, bool loaded);
  // A settings file was loaded or saved by the technician.
  void loaded(const QString& path);
  // A copy from the history was loaded (no file to remember).
  void loadedCopy();
  void saved(const QString& path);
  // Write All may go: the window holds values read or loaded, or the
  // technician says Yes to writing the start-up values.
  bool mayWriteAll();

  FieldUndo& undo() { return *undo_; }
  ChangesDock& changesDock() { return *changes_; }
  FindBar& findBar() { return *find_; }
  RecentFiles& recentFiles() { return *recent_; }
  FindTrackerView& findTracker() { return *findTracker_; }
  WriteChanges& writeChanges() { return *writeChanges_; }

 private:
  void hookEngine();
  void buildMenus();
  void settled();

  Parts parts_;
  FieldUndo* undo_ = nullptr;
  ChangesDock* changes_ = nullptr;
  FindBar* find_ = nullptr;
  RecentFiles* recent_ = nullptr;
  FindTrackerView* findTracker_ = nullptr;
  WriteChanges* writeChanges_ = nullptr;
  ReadAllNotes readAllNotes_;
  QTimer authCodeTyped_;
  bool holdsValues_ = false;  // read from a tracker or loaded from a file
};

}  // namespace tracker
