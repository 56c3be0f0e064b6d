#pragma once
// Wires the key filters, empty-field refills, length limits and range
// tooltips into the edits, and relays every wheel turn of the window to the
// Event tab's scroll box.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QScrollArea>
#include <functional>

#include "ui/key_filters.h"

class QLineEdit;
class QMenu;
class QWindow;

namespace tracker {

// Drops refused keys before the edit sees them and filters pasted text the
// same way; editing shortcuts (select all, copy, cut, paste, undo) pass.
// Refills an edit left empty.
class FieldGuard : public QObject {
  Q_OBJECT

 public:
  explicit FieldGuard(QObject* parent = nullptr);
  // Guards the edit by its objectName: the key filter of its rule, or else of
  // its field's format; the field's length limit; a tooltip with its range
  // and unit. Does nothing for edits without any of these.
  void guard(QLineEdit* edit);
  // Gives the field (any kind; a typed list through its edit too) the context
  // menu that extendMenu adds to.
  void guardMenu(QWidget* field);

  // Adds the window's own items to a field's context menu.
  std::function<void(QWidget* field, QMenu& menu)> extendMenu;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void paste(QLineEdit* edit, const FieldRule& rule);
  void showMenu(QWidget* field, QObject* watched, const QPoint& at);

  QHash<QObject*, FieldRule> rules_;
  QHash<QObject*, QWidget*> menus_;  // what receives the menu event → its field
};

// One line step of the scroll box per wheel message that reaches the window
// (FormMouseWheel); the message then goes on to its usual target.
class WheelRelay : public QObject {
  Q_OBJECT

 public:
  WheelRelay(QScrollArea* target, QObject* parent);
  void watch(QWindow* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QScrollArea> target_;
};

}  // namespace tracker
