#pragma once
// The main window: menu, status bar and the tab control with every control of
// the catalogue. Only the layout and the field rules live here; the behaviour
// is wired from outside through the accessors and signals.

#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>

#include "ui/qt/tab_page_builder.h"

class QAbstractButton;
class QAction;
class QMenu;
class QScrollArea;
class QTabWidget;

namespace tracker {

class ConnectionToolBar;
class FieldGuard;
class StatusPanel;
class PortComboBox;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  static constexpr const char* kWebAddress = "https://www.kelvorin.example/";
  static constexpr const char* kEmailAddress = "support@kelvorin.example";

  QAbstractButton* button(const QString& name) const;
  QWidget* control(const QString& name) const;
  const ControlMap& controls() const { return controls_; }

  PortComboBox* portBox() const { return portBox_; }
  QTabWidget* pageControl() const { return pageControl_; }
  QScrollArea* scrollBox() const { return scrollBox_; }

  QAction* saveSettingsAction() const { return savetSettings1_; }
  QAction* loadSettingsAction() const { return loadSettings1_; }
  QAction* historyAction() const { return history1_; }
  QAction* exitAction() const { return exit1_; }
  QAction* webSiteAction() const { return webSite1_; }
  QAction* emailAction() const { return emailAddress1_; }
  QAction* helpAction() const { return help1_; }
  QAction* aboutAction() const { return about1_; }
  ConnectionToolBar* toolBar() const { return toolBar_; }

  // Adds items to every field's context menu (by the field's control name).
  void setFieldMenuExtension(std::function<void(const QString& control, QMenu& menu)> extend);

  void setPanelText(int panel, const QString& text);
  QString panelText(int panel) const;

  // Asked before the window closes (by Exit or the close box); false keeps it open.
  std::function<bool()> mayClose;

 signals:
  // The window is about to close (by Exit or the close box).
  void closing();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildHelpMenu();
  void buildStatusBar();
  void buildPages();
  void chainTabOrder();
  void guardFields();

  ControlMap controls_;
  QTabWidget* pageControl_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  PortComboBox* portBox_ = nullptr;
  std::array<StatusPanel*, 3> panels_{};
  QAction* savetSettings1_ = nullptr;
  QAction* loadSettings1_ = nullptr;
  QAction* history1_ = nullptr;
  QAction* exit1_ = nullptr;
  QAction* webSite1_ = nullptr;
  QAction* emailAddress1_ = nullptr;
  QAction* help1_ = nullptr;
  QAction* about1_ = nullptr;
  ConnectionToolBar* toolBar_ = nullptr;
  FieldGuard* guard_ = nullptr;
};

}  // namespace tracker
