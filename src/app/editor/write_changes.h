#pragma once
// "Write Changes" (toolbar and Edit menu): writes only the groups that hold
// changed fields, one group's Write after the other, each verified as any
// write is, and ends with one box saying how many fields it wrote.

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "codec/group_row.h"

class QAction;

namespace tracker {

class Engine;
class FieldMarks;
class FieldUndo;
class QtWindow;
class TForm1;

class WriteChanges : public QObject {
  Q_OBJECT

 public:
  WriteChanges(TForm1& form, Engine& engine, QtWindow& window, const FieldMarks& marks,
               const FieldUndo& undo);

  QAction* action() const { return action_; }
  // The fields to write: changed since the last Read, Load or Write, or
  // other than the tracker holds.
  std::vector<std::string> changedFields() const;
  void start();
  // The engine is idle again: the next group, or the end.
  void settled();
  bool running() const { return !queue_.empty() || !current_.empty(); }
  void updateEnabled();

 private:
  bool takeNotice(std::string_view text);
  void next();
  void end(const std::string& box);

  TForm1& form_;
  Engine& engine_;
  QtWindow& window_;
  const FieldMarks& marks_;
  const FieldUndo& undo_;
  QAction* action_ = nullptr;
  std::vector<std::string> queue_;  // the Write buttons still to click
  std::string current_;             // the one running
  std::vector<std::string> boxes_;  // each write's box, kept from the window
  std::vector<std::string> written_;
  int fields_ = 0;
  bool failed_ = false;
};

}  // namespace tracker
