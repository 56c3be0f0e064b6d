#pragma once
// The status bar's progress of a planned operation (Read All, Write All, a
// group's read or write): bytes done of the plan's total, with the step's
// name. Hidden while nothing is planned.

#include <QProgressBar>
#include <optional>

#include "engine/progress.h"

class QMainWindow;

namespace tracker {

class OperationProgressBar : public QProgressBar {
  Q_OBJECT

 public:
  // Placed at the right of the window's status bar.
  explicit OperationProgressBar(QMainWindow& window);

  void showProgress(const std::optional<Progress>& progress);
};

}  // namespace tracker
