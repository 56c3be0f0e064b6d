#include "ui/qt/tool_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qt/list_box.h"

namespace tracker {
namespace {

// Shows what the original list shows: the same item, or the same typed text.
void CopySelection(const ListBox* from, ListBox* to) {
  if (from->currentIndex() >= 0) {
    if (to->currentIndex() != from->currentIndex()) to->setCurrentIndex(from->currentIndex());
  } else if (to->currentIndex() >= 0 || to->currentText() != from->currentText()) {
    to->setTypedText(from->currentText());
  }
}

}  // namespace

ConnectionToolBar::ConnectionToolBar(const ControlMap& controls, QWidget* parent)
    : QToolBar(QStringLiteral("Connection"), parent) {
  setObjectName(QStringLiteral("ConnectionToolBar"));
  setMovable(false);
  setFloatable(false);
  addPortBox(controls.value(QStringLiteral("ComboBox1")).widget);
  addOpenButton(controls.value(QStringLiteral("OpenPort")).widget);
  addSeparator();
  addAuthCode(controls.value(QStringLiteral("AuthCode")).widget);
  addSeparator();
  readAll_ = addClickAction(controls.value(QStringLiteral("ReadAll")).widget,
                            QStringLiteral("ReadAllAction"), QKeySequence(Qt::Key_F5));
  // Writing changes the tracker: two keys held, never a single one.
  writeAll_ = addClickAction(controls.value(QStringLiteral("WriteAll")).widget,
                             QStringLiteral("WriteAllAction"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
}

void ConnectionToolBar::addPortBox(QWidget* source) {
  auto* original = qobject_cast<PortComboBox*>(source);
  auto* box = new PortComboBox(this);
  box->setObjectName(QStringLiteral("ToolBarPort"));
  box->setModel(original->model());  // one item list, refreshed once for both
  box->setMinimumContentsLength(14);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setToolTip(QStringLiteral("Com"));
  CopySelection(original, box);
  box->setEnabled(original->isEnabled());
  // The program changes the original; the user changes either.
  connect(original, &QComboBox::currentTextChanged, box, [=] { CopySelection(original, box); });
  connect(original, &QComboBox::currentIndexChanged, box, [=] { CopySelection(original, box); });
  connect(box, &QComboBox::activated, original, [=] { CopySelection(box, original); });
  connect(box->lineEdit(), &QLineEdit::textEdited, original, [=] { CopySelection(box, original); });
  connect(box, &PortComboBox::aboutToDropDown, original, &PortComboBox::aboutToDropDown);
  AttachTwin(source, box);
  addWidget(box);
}

void ConnectionToolBar::addOpenButton(QWidget* source) {
  auto* original = qobject_cast<QAbstractButton*>(source);
  auto* button = new QPushButton(original->text(), this);
  button->setObjectName(QStringLiteral("ToolBarOpen"));
  button->setEnabled(original->isEnabled());
  connect(button, &QPushButton::clicked, original, &QAbstractButton::click);
  AttachTwin(source, button);
  addWidget(button);
}

void ConnectionToolBar::addAuthCode(QWidget* source) {
  auto* original = qobject_cast<QLineEdit*>(source);
  auto* label = new QLabel(QStringLiteral("Auth Code:"), this);
  auto* edit = new QLineEdit(original->text(), this);
  edit->setObjectName(QStringLiteral("ToolBarAuthCode"));
  edit->setMaxLength(original->maxLength());
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("W")) * 6);
  edit->setEnabled(original->isEnabled());
  label->setBuddy(edit);
  connect(original, &QLineEdit::textChanged, edit, [=](const QString& text) {
    if (edit->text() != text) edit->setText(text);
  });
  connect(edit, &QLineEdit::textEdited, original, &QLineEdit::setText);
  AttachTwin(source, edit);
  addWidget(label);
  addWidget(edit);
}

QAction* ConnectionToolBar::addClickAction(QWidget* source, const QString& name,
                                           const QKeySequence& keys) {
  auto* original = qobject_cast<QAbstractButton*>(source);
  QAction* action = addAction(original->text());
  action->setObjectName(name);
  action->setShortcut(keys);
  action->setToolTip(
      QStringLiteral("%1 (%2)").arg(original->text(), keys.toString(QKeySequence::NativeText)));
  action->setEnabled(original->isEnabled());
  connect(action, &QAction::triggered, original, &QAbstractButton::click);
  AttachTwin(source, action);
  return action;
}

}  // namespace tracker
