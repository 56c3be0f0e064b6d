#pragma once
// The window and the history: every operation that changes the tracker is
// refused while the history cannot be written, and recorded with the copy
// before it when it ends; the status bar says the copy was kept. A record's
// copy can be written back ("Restore to Tracker"), one group after another.

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/history_db.h"

class QLabel;

namespace tracker {

class Controls;
class Engine;
class QtWindow;
class TForm1;
struct Operation;

class WindowHistory : public QObject {
  Q_OBJECT

 public:
  struct Parts {
    TForm1& form;
    Engine& engine;
    Controls& controls;
    QtWindow& window;
    // Loads a copy into the window as Load Settings would; false when refused.
    std::function<bool(const std::string& bytes, const std::string& name)> load;
  };
  explicit WindowHistory(Parts parts);
  ~WindowHistory() override;

  // The database (the user's), opened at first use; throws EHistoryError.
  HistoryDb& database();
  // File → "History…".
  void showDialog();
  // Loads the record's copy into the window; false when it holds none.
  bool load(const HistoryRecord& record);
  // Loads the copy and writes every group it holds, each verified.
  void restore(const HistoryRecord& record);
  bool restoring() const { return !queue_.empty() || !restoring_.empty(); }

 private:
  void changing();
  void changed(const Operation& operation, const std::string& box);
  void settled();
  void endRestore();

  Parts parts_;
  std::unique_ptr<HistoryDb> db_;
  QLabel* note_ = nullptr;  // the status bar's "copy before kept"
  std::chrono::steady_clock::time_point started_;
  std::string startedAt_;           // UTC, for the record
  std::vector<std::string> queue_;  // restore: the Write buttons still to click
  std::string restoring_;           // "record 12" while its restore writes
  std::string restoringSha_;
  std::vector<std::string> boxes_;  // the restore's writes' boxes
  bool restoreFailed_ = false;
  bool clicking_ = false;
};

}  // namespace tracker
