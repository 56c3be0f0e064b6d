#include "app/editor/changes_dock.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>

#include "app/editor/field_marks.h"
#include "app/editor/field_values.h"
#include "app/editor/undo_stack.h"
#include "engine/field_compare.h"
#include "settings/field_names.h"
#include "ui/memory_controls.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

constexpr int kRefreshMs = 50;

QString shown(const std::string& value) {
  return value.empty() ? QStringLiteral("\"\"") : QString::fromStdString(value);
}

}  // namespace

ChangesDock::ChangesDock(TForm1& form, const Controls& controls, const FieldMarks& marks,
                         const FieldUndo& undo)
    : QDockWidget(QStringLiteral("Changes"), &form),
      form_(form),
      controls_(controls),
      marks_(marks),
      undo_(undo) {
  setObjectName(QStringLiteral("ChangesDock"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ChangesList"));
  list_->setToolTip(QStringLiteral("Double-click a line to go to its field"));
  // Below the tabs, where its lines have the window's width.
  list_->setMinimumHeight(list_->fontMetrics().height() * 6);
  setWidget(list_);
  form.addDockWidget(Qt::BottomDockWidgetArea, this);
  hide();
  QAction* toggle = toggleViewAction();
  toggle->setText(QStringLiteral("&Changes"));
  toggle->setObjectName(QStringLiteral("Changes1"));
  if (auto* view = form.findChild<QMenu*>(QStringLiteral("View1"))) view->addAction(toggle);
  soon_.setSingleShot(true);
  soon_.setInterval(kRefreshMs);
  connect(&soon_, &QTimer::timeout, this, &ChangesDock::refresh);
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (!visible) return;
    refresh();
    // A few lines high at first, leaving the tabs their room.
    if (!sized_) form_.resizeDocks({this}, {list_->minimumHeight() + 40}, Qt::Vertical);
    sized_ = true;
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const QString control = item->data(Qt::UserRole).toString();
    if (!control.isEmpty()) GoToField(form_, control);
  });
}

void ChangesDock::refreshSoon() {
  if (isVisible()) soon_.start();
}

QString ChangesDock::trackerText(const QString& control) const {
  if (const auto held = marks_.trackerHolds(control)) return held->isEmpty() ? "\"\"" : *held;
  const auto value = undo_.trackerValue(control);
  if (!value) return {};
  MemoryControls scratch;
  WriteField(scratch, control.toStdString(), *value);
  return shown(ValueText(control.toStdString(), scratch, FieldNaming::Window));
}

void ChangesDock::refresh() {
  list_->clear();
  for (const std::string& control : EditedFields()) {
    const QString name = QString::fromStdString(control);
    const auto held = undo_.trackerValue(name);
    const bool otherThanTracker = held && *held != ReadField(controls_, control);
    if (!marks_.changed(name) && !marks_.differs(name) && !otherThanTracker) continue;
    QString line = QString::fromStdString(WindowFieldName(control)) + QStringLiteral(": window ") +
                   shown(ValueText(control, controls_, FieldNaming::Window));
    if (const QString tracker = trackerText(name); !tracker.isEmpty()) {
      line += QStringLiteral(", tracker ") + tracker;
    }
    auto* item = new QListWidgetItem(line, list_);
    item->setData(Qt::UserRole, name);
    item->setToolTip(line);
  }
  if (list_->count() == 0) {
    auto* item = new QListWidgetItem(QStringLiteral("No changes"), list_);
    item->setFlags(Qt::NoItemFlags);
  }
}

QStringList ChangesDock::lines() const {
  QStringList lines;
  for (int i = 0; i < list_->count(); ++i) {
    if (!list_->item(i)->data(Qt::UserRole).toString().isEmpty()) lines << list_->item(i)->text();
  }
  return lines;
}

}  // namespace tracker
