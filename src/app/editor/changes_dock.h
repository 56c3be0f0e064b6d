#pragma once
// View → "Changes": every field changed since the last Read, Load or Write,
// or other than the tracker holds ("Main › Tow Time: window 30, tracker 0"
// where the tracker's value is known) and, after Compare with Tracker, every field that differs.
// Double-clicking a line goes to its field.

#include <QDockWidget>
#include <QTimer>

class QListWidget;
class QListWidgetItem;

namespace tracker {

class Controls;
class FieldMarks;
class FieldUndo;
class TForm1;

class ChangesDock : public QDockWidget {
  Q_OBJECT

 public:
  ChangesDock(TForm1& form, const Controls& controls, const FieldMarks& marks,
              const FieldUndo& undo);

  // Lists again soon (changes come in bursts: a Read, a Load).
  void refreshSoon();
  QListWidget* list() const { return list_; }
  // The lines listed, as shown.
  QStringList lines() const;

 private:
  void refresh();
  QString trackerText(const QString& control) const;

  TForm1& form_;
  const Controls& controls_;
  const FieldMarks& marks_;
  const FieldUndo& undo_;
  QListWidget* list_ = nullptr;
  QTimer soon_;
  bool sized_ = false;
};

}  // namespace tracker
