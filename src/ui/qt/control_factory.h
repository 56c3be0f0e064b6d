#pragma once
// Creates the widget of one catalogue row, with its caption and unit labels.

#include <QLabel>
#include <QWidget>

#include "ui/catalogue_row.h"

namespace tracker {

struct ControlWidgets {
  QWidget* widget = nullptr;
  QLabel* label = nullptr;  // caption beside an edit, list or memo
  QLabel* unit = nullptr;   // unit to the right
  QObject* twin = nullptr;  // a second face elsewhere (toolbar): a widget or an action
};

// The widget's objectName is the control name; initial values, enabled and
// shown states come from the row. Labels are created only when captioned.
ControlWidgets CreateControl(const ControlSpec& spec, QWidget* parent);

// The labels attached to a control widget by CreateControl (or nullptr).
QLabel* CaptionLabelOf(const QWidget* widget);
QLabel* UnitLabelOf(const QWidget* widget);
void AttachLabels(QWidget* widget, QLabel* label, QLabel* unit);

// A twin shows the control's caption and enabled state too (see QtControls).
void AttachTwin(QWidget* widget, QObject* twin);
QObject* TwinOf(const QWidget* widget);

}  // namespace tracker
