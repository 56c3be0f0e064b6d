#include "app/editor/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "app/editor/preferences.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

const QString kChanged = QStringLiteral("*");
const QString kFileSeparator = QStringLiteral(" \u2014 ");

}  // namespace

RecentFiles::RecentFiles(TForm1& form, Preferences& preferences,
                         std::function<void(const QString&)> open)
    : QObject(&form), form_(form), preferences_(preferences), open_(std::move(open)) {
  QMenu* file = form.findChild<QMenu*>(QStringLiteral("File1"));
  menu_ = new QMenu(QStringLiteral("&Recent Files"), file);
  menu_->setObjectName(QStringLiteral("RecentFiles1"));
  // After Load Settings, before the separator above Exit.
  QAction* before = nullptr;
  const QList<QAction*> actions = file->actions();
  for (qsizetype i = 0; i + 1 < actions.size(); ++i) {
    if (actions[i]->objectName() == QStringLiteral("LoadSettings1")) before = actions[i + 1];
  }
  file->insertMenu(before, menu_);
  fillMenu();
}

void RecentFiles::saved(const QString& path) {
  remember(path);
  showFile(path);
  form_.setPanelText(1, QStringLiteral("Saved to ") + QDir::toNativeSeparators(path));
}

void RecentFiles::loaded(const QString& path, bool atStartUp) {
  showFile(path);
  if (atStartUp) return;
  remember(path);
  form_.setPanelText(1, QStringLiteral("Loaded ") + QDir::toNativeSeparators(path));
}

void RecentFiles::remember(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = preferences_.recentFiles();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kKept) files.removeLast();
  preferences_.rememberRecentFiles(files);
  fillMenu();
}

// "caption — file.ini", keeping the mark of unsaved changes before it.
void RecentFiles::showFile(const QString& path) {
  QString title = form_.windowTitle();
  const bool changed = title.startsWith(kChanged);
  if (changed) title.remove(0, kChanged.size());
  if (const qsizetype at = title.indexOf(kFileSeparator); at >= 0) title.truncate(at);
  form_.setWindowTitle((changed ? kChanged : QString()) + title + kFileSeparator +
                       QFileInfo(path).fileName());
}

void RecentFiles::fillMenu() {
  menu_->clear();
  const QStringList files = preferences_.recentFiles();
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString& path = files[i];
    QAction* action =
        menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
    action->setData(path);
    connect(action, &QAction::triggered, this, [this, path] { open_(path); });
  }
  menu_->setEnabled(!files.isEmpty());
}

}  // namespace tracker
