#pragma once
// The toolbar above the tabs: the controls a technician needs on every tab
// (port, Open/Close, Auth Code, Read All, Write All). Each is a twin of the
// Info tab's control: it shows the same text and enabled state (QtControls
// sets both) and acts through the Info tab's control, so the engine sees one
// control either way.

#include <QToolBar>

#include "ui/qt/tab_page_builder.h"

class QAction;

namespace tracker {

class ConnectionToolBar : public QToolBar {
  Q_OBJECT

 public:
  // controls: the window's controls, holding the Info tab's originals.
  ConnectionToolBar(const ControlMap& controls, QWidget* parent);

  QAction* readAllAction() const { return readAll_; }
  QAction* writeAllAction() const { return writeAll_; }

 private:
  void addPortBox(QWidget* source);
  void addOpenButton(QWidget* source);
  void addAuthCode(QWidget* source);
  QAction* addClickAction(QWidget* source, const QString& name, const QKeySequence& keys);

  QAction* readAll_ = nullptr;
  QAction* writeAll_ = nullptr;
};

}  // namespace tracker
