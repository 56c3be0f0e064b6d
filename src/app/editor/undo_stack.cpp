#include "app/editor/undo_stack.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QUndoCommand>

#include "ui/catalogue.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

bool typedInto(const QString& control) {
  const ControlSpec* spec = FindControl(control.toStdString());
  return spec != nullptr && (spec->kind == ControlKind::Edit || spec->kind == ControlKind::Memo);
}

}  // namespace

class FieldUndo::Step : public QUndoCommand {
 public:
  Step(FieldUndo& owner, std::vector<Change> changes, const QString& text)
      : QUndoCommand(text), owner_(owner), changes_(std::move(changes)) {}
  void undo() override { owner_.apply(changes_, false); }
  void redo() override { owner_.apply(changes_, true); }

 private:
  FieldUndo& owner_;
  std::vector<Change> changes_;
};

FieldUndo::FieldUndo(TForm1& form, Controls& controls, std::function<bool()> engineActive)
    : QObject(&form), form_(form), controls_(controls), engineActive_(std::move(engineActive)) {
  for (const std::string& control : EditedFields()) {
    const QString name = QString::fromStdString(control);
    const FieldValue value = current(name);
    committed_.insert(name, value);
    defaults_.insert(name, value);
    watch(name);
  }
  undo_ = new QAction(QStringLiteral("&Undo"), this);
  undo_->setObjectName(QStringLiteral("UndoAction"));
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = new QAction(QStringLiteral("&Redo"), this);
  redo_->setObjectName(QStringLiteral("RedoAction"));
  redo_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  // An edit typed into and not yet left is a step of its own first.
  connect(undo_, &QAction::triggered, this, [this] {
    commitTyping();
    stack_.undo();
  });
  connect(redo_, &QAction::triggered, this, [this] {
    commitTyping();
    stack_.redo();
  });
  connect(&stack_, &QUndoStack::indexChanged, this, &FieldUndo::updateActions);
  updateActions();
}

void FieldUndo::updateActions() {
  undo_->setEnabled(stack_.canUndo() || !typing_.isEmpty());
  redo_->setEnabled(stack_.canRedo() && typing_.isEmpty());
}

FieldValue FieldUndo::current(const QString& control) const {
  return ReadField(controls_, control.toStdString());
}

void FieldUndo::watch(const QString& control) {
  QWidget* widget = form_.control(control);
  WatchField(widget, this, [this, control] { onChange(control); });
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    connect(edit, &QLineEdit::editingFinished, this, &FieldUndo::commitTyping);
  }
}

void FieldUndo::onChange(const QString& control) {
  if (applying_) return;
  emit fieldChanged(control);
  if (engineActive_()) {
    commitTyping();
    if (!engineBefore_.contains(control)) engineBefore_.insert(control, committed_.value(control));
    committed_[control] = current(control);
    return;
  }
  if (typedInto(control)) {
    // Typing goes on until the edit is left (or another field changes).
    if (!typing_.contains(control)) commitTyping();
    typing_.insert(control);
    updateActions();
    return;
  }
  commitTyping();
  const FieldValue value = current(control);
  if (value == committed_.value(control)) return;
  push({{control, committed_.value(control), value}}, QStringLiteral("Edit"));
}

void FieldUndo::commitTyping() {
  if (typing_.isEmpty()) return;
  const QSet<QString> typed = std::exchange(typing_, {});
  updateActions();
  for (const QString& control : typed) {
    const FieldValue value = current(control);
    if (value != committed_.value(control)) {
      push({{control, committed_.value(control), value}}, QStringLiteral("Edit"));
    }
  }
}

void FieldUndo::engineSettled() {
  if (engineBefore_.isEmpty()) return;
  std::vector<Change> changes;
  for (auto it = engineBefore_.cbegin(); it != engineBefore_.cend(); ++it) {
    if (it.value() != committed_.value(it.key())) {
      changes.push_back({it.key(), it.value(), committed_.value(it.key())});
    }
  }
  engineBefore_.clear();
  if (!changes.empty()) push(std::move(changes), QStringLiteral("Read or Load"));
}

void FieldUndo::push(std::vector<Change> changes, const QString& text) {
  for (const Change& change : changes) committed_[change.control] = change.after;
  stack_.push(new Step(*this, std::move(changes), text));  // its redo sets what is already there
}

void FieldUndo::apply(const std::vector<Change>& changes, bool forward) {
  applying_ = true;
  for (const Change& change : changes) {
    const FieldValue& value = forward ? change.after : change.before;
    WriteField(controls_, change.control.toStdString(), value);
    committed_[change.control] = value;
  }
  applying_ = false;
  for (const Change& change : changes) emit fieldChanged(change.control);
}

void FieldUndo::setField(const QString& control, const FieldValue& value, const QString& step) {
  commitTyping();
  if (current(control) == value) return;
  applying_ = true;
  WriteField(controls_, control.toStdString(), value);
  applying_ = false;
  emit fieldChanged(control);
  push({{control, committed_.value(control), value}}, step);
}

void FieldUndo::synced(const std::vector<Group>& groups, const std::vector<std::string>& notKept) {
  for (const std::string& control : EditedFields()) {
    if (std::find(groups.begin(), groups.end(), GroupOfField(control)) == groups.end()) continue;
    if (std::find(notKept.begin(), notKept.end(), control) != notKept.end()) {
      tracker_.remove(QString::fromStdString(control));
      continue;
    }
    const QString name = QString::fromStdString(control);
    tracker_[name] = current(name);
  }
}

std::optional<FieldValue> FieldUndo::trackerValue(const QString& control) const {
  const auto it = tracker_.constFind(control);
  if (it == tracker_.constEnd()) return std::nullopt;
  return *it;
}

void FieldUndo::extendMenu(const QString& control, QMenu& menu) {
  if (!committed_.contains(control)) return;
  if (!menu.isEmpty()) menu.addSeparator();
  QAction* revert = menu.addAction(QStringLiteral("Revert to Tracker Value"));
  revert->setObjectName(QStringLiteral("RevertToTrackerValue"));
  const std::optional<FieldValue> held = trackerValue(control);
  revert->setEnabled(held && *held != current(control));
  if (held) {
    connect(revert, &QAction::triggered, this, [this, control, value = *held] {
      setField(control, value, QStringLiteral("Revert to Tracker Value"));
    });
  }
  QAction* reset = menu.addAction(QStringLiteral("Reset to Default"));
  reset->setObjectName(QStringLiteral("ResetToDefault"));
  reset->setEnabled(defaults_.value(control) != current(control));
  connect(reset, &QAction::triggered, this, [this, control] {
    setField(control, defaults_.value(control), QStringLiteral("Reset to Default"));
  });
}

}  // namespace tracker
