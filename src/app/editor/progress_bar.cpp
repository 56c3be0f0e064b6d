#include "app/editor/progress_bar.h"

#include <QMainWindow>
#include <QStatusBar>

namespace tracker {

OperationProgressBar::OperationProgressBar(QMainWindow& window) : QProgressBar(&window) {
  setObjectName(QStringLiteral("OperationProgress"));
  setMinimumWidth(220);
  setMaximumHeight(18);
  setTextVisible(true);
  window.statusBar()->addPermanentWidget(this);
  hide();
}

void OperationProgressBar::showProgress(const std::optional<Progress>& progress) {
  if (!progress) {
    hide();
    return;
  }
  setRange(0, static_cast<int>(progress->total));
  setValue(static_cast<int>(progress->done));
  const QString step =
      QString::fromStdString(progress->step.empty() ? progress->title : progress->step);
  setFormat(step + QStringLiteral(" %p%"));
  setToolTip(QStringLiteral("%1: %2 of %3 bytes")
                 .arg(QString::fromStdString(progress->title))
                 .arg(progress->done)
                 .arg(progress->total));
  show();
}

}  // namespace tracker
