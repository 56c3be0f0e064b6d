#include "app/editor/field_values.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <map>

#include "engine/field_compare.h"
#include "ui/catalogue.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

constexpr int kOutlineMs = 1500;

ControlKind kindOf(const std::string& control) {
  const ControlSpec* spec = FindControl(control);
  return spec == nullptr ? ControlKind::Edit : spec->kind;
}

const std::map<std::string, Group, std::less<>>& groupsOfFields() {
  static const auto groups = [] {
    std::map<std::string, Group, std::less<>> map;
    for (const Group group : AllGroups()) {
      for (const std::string& control : ReadControls(group, true)) map.emplace(control, group);
    }
    return map;
  }();
  return groups;
}

// A frame around the field, on its tab page (the field's own parent may be
// as tight as the field), above everything and blind to the mouse, so it
// leaves the field's own palette and its marks alone.
void Outline(QWidget* field, QWidget* page) {
  auto* frame = new QFrame(page);
  frame->setObjectName(QStringLiteral("FieldOutline"));
  frame->setAttribute(Qt::WA_TransparentForMouseEvents);
  frame->setStyleSheet(QStringLiteral("QFrame { border: 2px solid palette(highlight); }"));
  const QRect at(field->mapTo(page, QPoint(0, 0)), field->size());
  frame->setGeometry(at.adjusted(-3, -3, 3, 3));
  frame->show();
  frame->raise();
  QTimer::singleShot(kOutlineMs, frame, [frame = QPointer<QFrame>(frame)] {
    if (frame) frame->deleteLater();
  });
}

}  // namespace

const std::vector<std::string>& EditedFields() {
  static const auto fields = [] {
    std::vector<std::string> names;
    for (const ControlSpec& spec : Catalogue()) {
      if (groupsOfFields().contains(spec.name)) names.push_back(spec.name);
    }
    return names;
  }();
  return fields;
}

Group GroupOfField(const std::string& control) {
  const auto it = groupsOfFields().find(control);
  return it == groupsOfFields().end() ? Group::Gprs : it->second;
}

FieldValue ReadField(const Controls& controls, const std::string& control) {
  FieldValue value;
  switch (kindOf(control)) {
    case ControlKind::Check:
      value.checked = controls.checked(control);
      break;
    case ControlKind::List:
      value.index = controls.itemIndex(control);
      if (value.index < 0) value.text = controls.text(control);
      break;
    default:
      value.text = controls.text(control);
      break;
  }
  return value;
}

void WriteField(Controls& controls, const std::string& control, const FieldValue& value) {
  switch (kindOf(control)) {
    case ControlKind::Check:
      controls.setChecked(control, value.checked);
      break;
    case ControlKind::List:
      if (value.index >= 0) {
        controls.setItemIndex(control, value.index);
      } else {
        controls.setText(control, value.text);
      }
      break;
    default:
      controls.setText(control, value.text);
      break;
  }
}

void GoToField(TForm1& form, const QString& control) {
  QWidget* field = form.control(control);
  const ControlSpec* spec = FindControl(control.toStdString());
  if (field == nullptr || spec == nullptr) return;
  const std::string_view page = Tabs()[static_cast<std::size_t>(spec->tab)].name;
  QTabWidget* tabs = form.pageControl();
  if (auto* tab = tabs->findChild<QWidget*>(
          QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size())));
      tab != nullptr) {
    tabs->setCurrentWidget(tab);
  }
  if (QScrollArea* box = form.scrollBox(); box != nullptr && box->widget()->isAncestorOf(field)) {
    box->ensureWidgetVisible(field);
  }
  field->setFocus(Qt::OtherFocusReason);
  if (QWidget* page = tabs->currentWidget(); page != nullptr && page->isAncestorOf(field)) {
    Outline(field, page);
  }
}

void WatchField(QWidget* field, QObject* context, const std::function<void()>& changed) {
  if (auto* edit = qobject_cast<QLineEdit*>(field)) {
    QObject::connect(edit, &QLineEdit::textChanged, context, changed);
  } else if (auto* box = qobject_cast<QComboBox*>(field)) {
    QObject::connect(box, &QComboBox::currentIndexChanged, context, changed);
    QObject::connect(box, &QComboBox::editTextChanged, context, changed);
  } else if (auto* check = qobject_cast<QAbstractButton*>(field)) {
    QObject::connect(check, &QAbstractButton::toggled, context, changed);
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
    QObject::connect(memo, &QPlainTextEdit::textChanged, context, changed);
  }
}

}  // namespace tracker
