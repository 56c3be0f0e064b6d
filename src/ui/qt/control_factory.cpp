#include "ui/qt/control_factory.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVariant>

#include "ui/memory_controls.h"
#include "ui/qt/list_box.h"

namespace tracker {
namespace {

constexpr const char* kLabelProperty = "trackerCaptionLabel";
constexpr const char* kUnitProperty = "trackerUnitLabel";
constexpr const char* kTwinProperty = "trackerTwin";

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QWidget* CreateWidget(const ControlSpec& spec, QWidget* parent) {
  switch (spec.kind) {
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(Q(spec.initialText), parent);
      edit->setReadOnly(spec.readOnly);
      return edit;
    }
    case ControlKind::List: {
      ListBox* box = spec.portList ? new PortComboBox(parent) : new ListBox(parent);
      for (const std::string& item : spec.items) box->addItem(Q(item));
      box->setCurrentIndex(spec.initialIndex);
      if (spec.initialIndex < 0) box->setEditText(Q(spec.initialText));
      return box;
    }
    case ControlKind::Check: {
      auto* check = new QCheckBox(Q(spec.caption), parent);
      check->setChecked(spec.initialChecked);
      return check;
    }
    case ControlKind::Button:
      return new QPushButton(Q(spec.caption), parent);
    case ControlKind::Memo: {
      auto* memo = new QPlainTextEdit(Q(spec.initialText), parent);
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      return memo;
    }
    case ControlKind::Label:
    case ControlKind::GroupBox:
      break;
  }
  return new QLabel(Q(spec.caption), parent);
}

}  // namespace

ControlWidgets CreateControl(const ControlSpec& spec, QWidget* parent) {
  ControlWidgets out;
  out.widget = CreateWidget(spec, parent);
  out.widget->setObjectName(Q(spec.name));
  if (!TextIsCaption(spec.kind) && !spec.caption.empty()) {
    out.label = new QLabel(Q(spec.caption), parent);
    out.label->setBuddy(out.widget);
  }
  if (!spec.unit.empty()) out.unit = new QLabel(Q(spec.unit), parent);
  AttachLabels(out.widget, out.label, out.unit);
  out.widget->setEnabled(spec.initiallyEnabled);
  if (!spec.initiallyShown) {
    for (QWidget* w :
         {out.widget, static_cast<QWidget*>(out.label), static_cast<QWidget*>(out.unit)}) {
      if (w != nullptr) w->setVisible(false);
    }
  }
  return out;
}

void AttachLabels(QWidget* widget, QLabel* label, QLabel* unit) {
  widget->setProperty(kLabelProperty, QVariant::fromValue(static_cast<QObject*>(label)));
  widget->setProperty(kUnitProperty, QVariant::fromValue(static_cast<QObject*>(unit)));
}

QLabel* CaptionLabelOf(const QWidget* widget) {
  return qobject_cast<QLabel*>(widget->property(kLabelProperty).value<QObject*>());
}

QLabel* UnitLabelOf(const QWidget* widget) {
  return qobject_cast<QLabel*>(widget->property(kUnitProperty).value<QObject*>());
}

void AttachTwin(QWidget* widget, QObject* twin) {
  widget->setProperty(kTwinProperty, QVariant::fromValue(twin));
}

QObject* TwinOf(const QWidget* widget) {
  return widget->property(kTwinProperty).value<QObject*>();
}

}  // namespace tracker
