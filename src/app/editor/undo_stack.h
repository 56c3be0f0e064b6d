#pragma once
// Undo and Redo across fields (Edit menu, Ctrl+Z and Ctrl+Shift+Z): each
// finished field edit is one step, and so is whatever the engine puts into the
// window in one go (a Load Settings, a Read, Read All). Typing inside an edit
// keeps the edit's own undo, which takes the keys while it has the focus.
//
// Also the values to go back to: as the tracker holds a field (last read or
// written) and as the window started ("Revert to Tracker Value", "Reset to
// Default" in the field's context menu).

#include <QHash>
#include <QObject>
#include <QSet>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <vector>

#include "app/editor/field_values.h"

class QAction;
class QMenu;

namespace tracker {

class TForm1;

class FieldUndo : public QObject {
  Q_OBJECT

 public:
  // engineActive tells whether the engine is inside a handler right now.
  FieldUndo(TForm1& form, Controls& controls, std::function<bool()> engineActive);
  // The stack clears itself when destroyed, after the sets its signal reads.
  ~FieldUndo() override { disconnect(&stack_, nullptr, this, nullptr); }

  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }
  QUndoStack& stack() { return stack_; }

  // The engine is idle again: what it changed since it was last idle is one step.
  void engineSettled();
  // The tracker holds these groups as the window shows them, but for notKept.
  void synced(const std::vector<Group>& groups, const std::vector<std::string>& notKept);

  // What the tracker holds, when known; the start-up value.
  std::optional<FieldValue> trackerValue(const QString& control) const;
  FieldValue defaultValue(const QString& control) const { return defaults_.value(control); }
  // Sets a field as one undoable step.
  void setField(const QString& control, const FieldValue& value, const QString& step);
  // Adds "Revert to Tracker Value" and "Reset to Default" to a field's menu.
  void extendMenu(const QString& control, QMenu& menu);

 signals:
  // A field's value changed, by anyone.
  void fieldChanged(const QString& control);

 private:
  struct Change {
    QString control;
    FieldValue before;
    FieldValue after;
  };
  class Step;

  void watch(const QString& control);
  void onChange(const QString& control);
  void commitTyping();
  void updateActions();
  void push(std::vector<Change> changes, const QString& text);
  void apply(const std::vector<Change>& changes, bool forward);
  FieldValue current(const QString& control) const;

  TForm1& form_;
  Controls& controls_;
  std::function<bool()> engineActive_;
  QUndoStack stack_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QHash<QString, FieldValue> committed_;     // as of the last step
  QHash<QString, FieldValue> engineBefore_;  // changed by the engine since it was idle
  QSet<QString> typing_;                     // edits typed into, not yet a step
  QHash<QString, FieldValue> tracker_;
  QHash<QString, FieldValue> defaults_;
  bool applying_ = false;
};

}  // namespace tracker
