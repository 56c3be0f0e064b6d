#include "ui/qt/qt_controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>
#include <stdexcept>

#include "ui/catalogue.h"
#include "ui/qt/list_box.h"

namespace tracker {
namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string S(const QString& s) {
  return s.toStdString();
}

ListBox* AsList(const ControlWidgets& cw, std::string_view name) {
  auto* box = qobject_cast<ListBox*>(cw.widget);
  if (box == nullptr) throw std::invalid_argument(std::string(name) + " is no list");
  return box;
}

}  // namespace

QtControls::QtControls(QWidget* root) {
  QHash<QString, QWidget*> byName;
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (!w->objectName().isEmpty()) byName.insert(w->objectName(), w);
  }
  for (const ControlSpec& spec : Catalogue()) {
    const QString name = Q(spec.name);
    QWidget* w = byName.value(name);
    if (w == nullptr) continue;
    widgets_.insert(name, {w, CaptionLabelOf(w), UnitLabelOf(w), TwinOf(w)});
  }
}

const ControlWidgets& QtControls::at(std::string_view name) const {
  const auto it = widgets_.constFind(Q(name));
  if (it == widgets_.constEnd()) throw std::out_of_range("unknown control " + std::string(name));
  return *it;
}

std::string QtControls::text(std::string_view name) const {
  QWidget* w = at(name).widget;
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return S(edit->text());
  if (auto* box = qobject_cast<ListBox*>(w)) return S(box->currentText());
  if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return S(memo->toPlainText());
  return caption(name);
}

void QtControls::setText(std::string_view name, std::string_view value) {
  QWidget* w = at(name).widget;
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->setText(Q(value));
  if (auto* box = qobject_cast<ListBox*>(w)) return box->setTypedText(Q(value));
  if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return memo->setPlainText(Q(value));
  setCaption(name, value);
}

int QtControls::itemIndex(std::string_view name) const {
  auto* box = qobject_cast<ListBox*>(at(name).widget);
  return box == nullptr ? -1 : box->currentIndex();
}

void QtControls::setItemIndex(std::string_view name, int index) {
  ListBox* box = AsList(at(name), name);
  if (index >= 0 && index < box->count()) return box->setCurrentIndex(index);
  box->setTypedText(QString());
}

int QtControls::itemCount(std::string_view name) const {
  auto* box = qobject_cast<ListBox*>(at(name).widget);
  return box == nullptr ? 0 : box->count();
}

void QtControls::setItems(std::string_view name, const std::vector<std::string>& items) {
  ListBox* box = AsList(at(name), name);
  const QString typed = box->currentText();
  box->clear();
  for (const std::string& item : items) box->addItem(Q(item));
  box->setTypedText(typed);
}

bool QtControls::checked(std::string_view name) const {
  auto* b = qobject_cast<QAbstractButton*>(at(name).widget);
  return b != nullptr && b->isCheckable() && b->isChecked();
}

void QtControls::setChecked(std::string_view name, bool value) {
  auto* b = qobject_cast<QAbstractButton*>(at(name).widget);
  if (b == nullptr || !b->isCheckable()) {
    throw std::invalid_argument(std::string(name) + " is no check");
  }
  b->setChecked(value);
}

bool QtControls::enabled(std::string_view name) const {
  return !at(name).widget->testAttribute(Qt::WA_ForceDisabled);
}

void QtControls::setEnabled(std::string_view name, bool value) {
  const ControlWidgets& cw = at(name);
  cw.widget->setEnabled(value);
  if (auto* widget = qobject_cast<QWidget*>(cw.twin)) widget->setEnabled(value);
  if (auto* action = qobject_cast<QAction*>(cw.twin)) action->setEnabled(value);
}

bool QtControls::shown(std::string_view name) const {
  // Explicitly hidden, not merely on a tab that is not in front.
  const QWidget* w = at(name).widget;
  return !(w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden());
}

void QtControls::setShown(std::string_view name, bool value) {
  const ControlWidgets& cw = at(name);
  for (QWidget* w : {cw.widget, static_cast<QWidget*>(cw.label), static_cast<QWidget*>(cw.unit)}) {
    if (w != nullptr) w->setVisible(value);
  }
}

std::string QtControls::caption(std::string_view name) const {
  const ControlWidgets& cw = at(name);
  if (auto* label = qobject_cast<QLabel*>(cw.widget)) return S(label->text());
  if (auto* b = qobject_cast<QAbstractButton*>(cw.widget)) return S(b->text());
  return cw.label == nullptr ? std::string() : S(cw.label->text());
}

void QtControls::setCaption(std::string_view name, std::string_view value) {
  const ControlWidgets& cw = at(name);
  if (auto* label = qobject_cast<QLabel*>(cw.widget)) return label->setText(Q(value));
  if (auto* b = qobject_cast<QAbstractButton*>(cw.widget)) {
    b->setText(Q(value));
    if (auto* twin = qobject_cast<QAbstractButton*>(cw.twin)) twin->setText(Q(value));
    if (auto* twin = qobject_cast<QAction*>(cw.twin)) twin->setText(Q(value));
    return;
  }
  if (cw.label == nullptr) throw std::invalid_argument(std::string(name) + " has no label");
  cw.label->setText(Q(value));
}

bool QtControls::has(std::string_view name) const {
  return widgets_.contains(Q(name));
}

}  // namespace tracker
