#pragma once
// The window's side of read-back and change tracking: the Edit menu's
// "Compare with Tracker", "Clear Compare Marks" and the remembered "Verify
// after writing"; the count of differences in the status bar; the field marks.

#include <QObject>
#include <vector>

#include "app/editor/change_marks.h"
#include "app/editor/field_marks.h"
#include "app/editor/preferences.h"
#include "engine/engine.h"

class QAction;
class QLabel;
class QToolButton;

namespace tracker {

class ReadBackView : public QObject {
  Q_OBJECT

 public:
  ReadBackView(TForm1& form, Engine& engine, const Controls& controls, Window& window,
               Preferences& preferences);

  ChangeMarks& changes() { return *changes_; }
  FieldMarks& marks() { return marks_; }

  QAction* compareAction() const { return compare_; }
  QAction* clearAction() const { return clear_; }
  QAction* verifyAction() const { return verify_; }

  // The marks and the verdict of the last compare go: the window or the
  // tracker is no longer the one compared.
  void clearMarks();

 private:
  void buildMenu();
  void buildStatus();
  void showDifferences(const std::vector<FieldDifference>& differences);

  TForm1& form_;
  Engine& engine_;
  Preferences& preferences_;
  FieldMarks marks_;
  ChangeMarks* changes_ = nullptr;
  QAction* compare_ = nullptr;
  QAction* clear_ = nullptr;
  QAction* verify_ = nullptr;
  QLabel* status_ = nullptr;
  QToolButton* clearButton_ = nullptr;
};

}  // namespace tracker
