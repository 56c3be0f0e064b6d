#pragma once
// File → "History…": the records of the connected tracker (or of every
// tracker, filtered by device ID), newest first, with what each copy can do:
// "Load into Window", "Restore to Tracker" (asks first), "Save As…".

#include <QDialog>
#include <optional>
#include <vector>

#include "history/history_record.h"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tracker {

class TForm1;
class WindowHistory;

class HistoryDialog : public QDialog {
  Q_OBJECT

 public:
  HistoryDialog(TForm1& form, WindowHistory& history, const std::string& deviceId);

  // Lists the records of the device ID typed (empty: all).
  void refresh();

 private:
  std::optional<HistoryRecord> chosen();
  void loadIntoWindow();
  void restoreToTracker();
  void saveAs();
  void updateButtons();

  TForm1& form_;
  WindowHistory& history_;
  QLineEdit* filter_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* restore_ = nullptr;
  QPushButton* save_ = nullptr;
  std::vector<HistoryRecord> records_;
};

}  // namespace tracker
