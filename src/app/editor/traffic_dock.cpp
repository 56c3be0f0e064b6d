#include "app/editor/traffic_dock.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/atomic_write.h"

namespace tracker {

TrafficDock::TrafficDock(QMainWindow& window)
    : QDockWidget(QStringLiteral("Traffic Log"), &window) {
  setObjectName(QStringLiteral("TrafficDock"));
  auto* body = new QWidget(this);
  view_ = new QPlainTextEdit(body);
  view_->setObjectName(QStringLiteral("TrafficLines"));
  view_->setReadOnly(true);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  view_->setMaximumBlockCount(static_cast<int>(TrafficLog::kMaxLines));
  view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* copy = new QPushButton(QStringLiteral("Copy"), body);
  copy->setObjectName(QStringLiteral("TrafficCopy"));
  auto* save = new QPushButton(QStringLiteral("Save..."), body);
  save->setObjectName(QStringLiteral("TrafficSave"));
  auto* clear = new QPushButton(QStringLiteral("Clear"), body);
  clear->setObjectName(QStringLiteral("TrafficClear"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy);
  buttons->addWidget(save);
  buttons->addWidget(clear);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(buttons);
  layout->addWidget(view_);
  setWidget(body);
  connect(copy, &QPushButton::clicked, this, &TrafficDock::copyAll);
  connect(save, &QPushButton::clicked, this, &TrafficDock::save);
  connect(clear, &QPushButton::clicked, this, [this] {
    log_.clear();
    view_->clear();
  });
  log_.onLine = [this](const std::string& line) {
    view_->appendPlainText(QString::fromStdString(line));
  };
  window.addDockWidget(Qt::BottomDockWidgetArea, this);
  hide();
  addMenuItem(window);
}

void TrafficDock::addMenuItem(QMainWindow& window) {
  QMenuBar* bar = window.menuBar();
  auto* viewMenu = new QMenu(QStringLiteral("&View"), bar);
  viewMenu->setObjectName(QStringLiteral("View1"));
  QAction* before = nullptr;
  for (QAction* action : bar->actions()) {
    if (action->menu() != nullptr && action->menu()->objectName() == QStringLiteral("Help1")) {
      before = action;
    }
  }
  bar->insertMenu(before, viewMenu);
  QAction* toggle = toggleViewAction();
  toggle->setText(QStringLiteral("&Traffic Log"));
  toggle->setObjectName(QStringLiteral("TrafficLog1"));
  viewMenu->addAction(toggle);
}

QString TrafficDock::text() const {
  return QString::fromStdString(log_.text());
}

void TrafficDock::copyAll() const {
  QApplication::clipboard()->setText(text());
}

QString TrafficDock::saveTo(const QString& path) const {
  try {
    WriteFileAtomically(path.toStdString(), log_.text());
  } catch (const std::exception& e) {
    return QString::fromStdString(e.what());
  }
  return {};
}

void TrafficDock::save() {
  QFileDialog dialog(this, QString(), QString(), QStringLiteral("Text files (*.txt *.log)"));
  dialog.setObjectName(QStringLiteral("TrafficSaveDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("log"));
  dialog.selectFile(QStringLiteral("traffic.log"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString error = saveTo(dialog.selectedFiles().constFirst());
  if (!error.isEmpty()) QMessageBox::critical(this, windowTitle(), error);
}

}  // namespace tracker
