#include "app/editor/find_bar.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <vector>

#include "app/editor/field_values.h"
#include "engine/field_compare.h"
#include "settings/field_names.h"
#include "ui/catalogue.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

// Every control a technician reads or edits, in catalogue order.
const std::vector<std::string>& searchedFields() {
  static const auto fields = [] {
    std::vector<std::string> names;
    for (const ControlSpec& spec : Catalogue()) {
      if (spec.kind == ControlKind::Edit || spec.kind == ControlKind::List ||
          spec.kind == ControlKind::Check || spec.kind == ControlKind::Memo) {
        names.push_back(spec.name);
      }
    }
    return names;
  }();
  return fields;
}

bool contains(const std::string& haystack, const QString& text) {
  return QString::fromStdString(haystack).contains(text, Qt::CaseInsensitive);
}

}  // namespace

FindBar::FindBar(TForm1& form, const Controls& controls)
    : QToolBar(QStringLiteral("Find"), &form), form_(form), controls_(controls) {
  setObjectName(QStringLiteral("FindBar"));
  setMovable(false);
  setFloatable(false);
  auto* label = new QLabel(QStringLiteral("Find:"), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("FindText"));
  edit_->setPlaceholderText(QStringLiteral("caption, settings key or value"));
  edit_->setClearButtonEnabled(true);
  edit_->setMaximumWidth(edit_->fontMetrics().averageCharWidth() * 36);
  label->setBuddy(edit_);
  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("FindResult"));
  result_->setMinimumWidth(result_->fontMetrics().horizontalAdvance(QStringLiteral("no match")) +
                           12);
  addWidget(label);
  addWidget(edit_);
  QAction* next = addAction(QStringLiteral("Next"));
  next->setObjectName(QStringLiteral("FindNext"));
  next->setToolTip(QStringLiteral("Next match (Enter, F3)"));
  addWidget(result_);
  QAction* close = addAction(QStringLiteral("Close"));
  close->setToolTip(QStringLiteral("Close (Esc)"));
  form.addToolBarBreak(Qt::TopToolBarArea);
  form.addToolBar(Qt::TopToolBarArea, this);
  hide();
  connect(next, &QAction::triggered, this, &FindBar::findNext);
  connect(close, &QAction::triggered, this, &QWidget::hide);
  connect(edit_, &QLineEdit::textChanged, this, [this] {
    last_ = -1;
    result_->clear();
  });
  addShortcuts();
}

void FindBar::addShortcuts() {
  TForm1& form = form_;
  find_ = new QAction(QStringLiteral("&Find\u2026"), this);
  find_->setObjectName(QStringLiteral("Find1"));
  find_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  if (auto* menu = form.findChild<QMenu*>(QStringLiteral("Edit1"))) {
    menu->insertAction(menu->actions().value(0), find_);
  }
  form.addAction(find_);
  auto* again = new QShortcut(QKeySequence(Qt::Key_F3), &form);
  auto* escape =
      new QShortcut(QKeySequence(Qt::Key_Escape), edit_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(find_, &QAction::triggered, this, [this] {
    show();
    edit_->setFocus(Qt::ShortcutFocusReason);
    edit_->selectAll();
  });
  connect(edit_, &QLineEdit::returnPressed, this, &FindBar::findNext);
  connect(again, &QShortcut::activated, this, [this] {
    if (edit_->text().isEmpty()) {
      find_->trigger();
    } else {
      findNext();
    }
  });
  connect(escape, &QShortcut::activated, this, &QWidget::hide);
}

bool FindBar::matches(const std::string& control, const QString& text) const {
  if (!controls_.shown(control)) return false;
  return contains(WindowFieldName(control), text) || contains(FileFieldName(control), text) ||
         contains(ValueText(control, controls_, FieldNaming::Window), text);
}

bool FindBar::findNext() {
  const QString text = edit_->text().trimmed();
  if (text.isEmpty()) return false;
  const auto& fields = searchedFields();
  const int count = static_cast<int>(fields.size());
  int total = 0;
  int found = -1;
  int foundNumber = 0;
  for (int i = 0; i < count; ++i) {
    if (!matches(fields[static_cast<std::size_t>(i)], text)) continue;
    ++total;
    if (found < 0 && i > last_) {
      found = i;
      foundNumber = total;
    }
  }
  if (total == 0) {
    result_->setText(QStringLiteral("no match"));
    last_ = -1;
    return false;
  }
  if (found < 0) {  // past the last match: from the top again
    last_ = -1;
    return findNext();
  }
  last_ = found;
  result_->setText(QStringLiteral("%1 of %2").arg(foundNumber).arg(total));
  GoToField(form_, QString::fromStdString(fields[static_cast<std::size_t>(found)]));
  return true;
}

}  // namespace tracker
