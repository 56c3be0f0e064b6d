#include "ui/qt/tform1.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>

#include "ui/catalogue.h"
#include "ui/qt/about_box.h"
#include "ui/qt/event_page_builder.h"
#include "ui/qt/field_guard.h"
#include "ui/qt/list_box.h"
#include "ui/qt/status_panel.h"
#include "ui/qt/tool_bar.h"

namespace tracker {
namespace {

constexpr int kEventTab = 9;
// The connection and the last panel keep their width; the operation's panel
// takes the rest of the bar (and elides what does not fit).
constexpr std::array<int, 3> kPanelWidths{150, 0, 50};

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Verdana where installed; otherwise the next family that is, then the
// platform's own font. Listing the font database would cost start-up time.
QFont WindowFont(const QFont& fallback) {
  QFont font = fallback;
  font.setFamilies({"Verdana", "DejaVu Sans", fallback.family()});
  font.setPointSize(8);
  return font;
}

// Red while it can be pressed, a lighter red on a dark theme; greyed like any
// button while disabled.
void ShowCaution(QWidget* w) {
  QPalette palette = w->palette();
  const bool dark = palette.color(QPalette::Button).lightness() < 128;
  const QColor red = dark ? QColor(255, 120, 110) : QColor(Qt::red);
  palette.setColor(QPalette::Active, QPalette::ButtonText, red);
  palette.setColor(QPalette::Inactive, QPalette::ButtonText, red);
  w->setPalette(palette);
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("Form1");
  setWindowTitle("Kelvorin_Parameter_Editor_DLT_V2.4");
  setFont(WindowFont(font()));
  buildMenu();
  buildStatusBar();
  buildPages();
  toolBar_ = new ConnectionToolBar(controls_, this);
  addToolBar(Qt::TopToolBarArea, toolBar_);
  chainTabOrder();
  guardFields();

  // The tabs keep the room they had before the toolbar came above them.
  resize(854, 666 + toolBar_->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  create();  // the wheel relay watches the native window
  auto* relay = new WheelRelay(scrollBox_, this);
  relay->watch(windowHandle());
}

// "&" marks the Alt mnemonic of each menu and item.
void TForm1::buildMenu() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  savetSettings1_ = file->addAction("&Save Settings");
  savetSettings1_->setObjectName("SavetSettings1");
  savetSettings1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  loadSettings1_ = file->addAction("&Load Settings");
  loadSettings1_->setObjectName("LoadSettings1");
  loadSettings1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  history1_ = file->addAction("&History\u2026");
  history1_->setObjectName("History1");
  file->addSeparator();
  exit1_ = file->addAction("E&xit");
  exit1_->setObjectName("Exit1");
  exit1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  menuBar()->addMenu("&Edit")->setObjectName("Edit1");
  buildHelpMenu();
}

void TForm1::buildHelpMenu() {
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help1");
  help1_ = help->addAction("&Help");
  help1_->setObjectName("HelpContents");
  help1_->setShortcut(QKeySequence(Qt::Key_F1));
  help->addSeparator();
  webSite1_ = help->addAction(kWebAddress);
  webSite1_->setObjectName("WebSite1");
  emailAddress1_ = help->addAction(kEmailAddress);
  emailAddress1_->setObjectName("EmailAddress1");
  help->addSeparator();
  about1_ = help->addAction("&About");
  about1_->setObjectName("About1");
  connect(webSite1_, &QAction::triggered, this,
          [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebAddress))); });
  connect(help1_, &QAction::triggered, this, [] {
    QDesktopServices::openUrl(HelpDocument(QCoreApplication::applicationDirPath(), kWebAddress));
  });
  connect(about1_, &QAction::triggered, this,
          [this] { ShowAboutBox(this, kWebAddress, kEmailAddress); });
}

void TForm1::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("StatusBar1");
  bar->setSizeGripEnabled(false);
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    panels_[i] = new StatusPanel(bar);
    panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
    if (kPanelWidths[i] > 0) panels_[i]->setFixedWidth(kPanelWidths[i]);
    panels_[i]->setFrameShape(QFrame::StyledPanel);
    panels_[i]->setFrameShadow(QFrame::Sunken);
    bar->addWidget(panels_[i], kPanelWidths[i] > 0 ? 0 : 1);
  }
}

void TForm1::buildPages() {
  pageControl_ = new QTabWidget(this);
  pageControl_->setObjectName("PageControl");
  for (int tab = 0; tab < kTabCount; ++tab) {
    const TabSpec& spec = Tabs()[static_cast<std::size_t>(tab)];
    auto* page = new QWidget(pageControl_);
    page->setObjectName(Q(spec.name));
    if (tab == kEventTab) {
      scrollBox_ = BuildEventPage(tab, page, controls_);
    } else {
      BuildTabPage(tab, page, controls_);
    }
    pageControl_->addTab(page, Q(spec.caption));
  }
  setCentralWidget(pageControl_);
  for (const ControlSpec& c : Catalogue()) {
    if (c.portList) portBox_ = qobject_cast<PortComboBox*>(control(Q(c.name)));
    if (c.caution) ShowCaution(control(Q(c.name)));
  }
}

void TForm1::chainTabOrder() {
  QWidget* previous = nullptr;
  int previousTab = -1;
  for (const ControlSpec& c : Catalogue()) {
    QWidget* w = control(Q(c.name));
    if (w == nullptr || w->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr && previousTab == c.tab) setTabOrder(previous, w);
    previous = w;
    previousTab = c.tab;
  }
}

void TForm1::guardFields() {
  guard_ = new FieldGuard(this);
  for (const ControlWidgets& cw : controls_) {
    if (auto* edit = qobject_cast<QLineEdit*>(cw.widget)) guard_->guard(edit);
  }
  for (const ControlSpec& c : Catalogue()) {
    const bool field = c.kind == ControlKind::Edit || c.kind == ControlKind::List ||
                       c.kind == ControlKind::Check || c.kind == ControlKind::Memo;
    if (QWidget* w = control(Q(c.name)); field && w != nullptr) guard_->guardMenu(w);
  }
}

void TForm1::setFieldMenuExtension(std::function<void(const QString&, QMenu&)> extend) {
  guard_->extendMenu = [extend = std::move(extend)](QWidget* field, QMenu& menu) {
    extend(field->objectName(), menu);
  };
}

QWidget* TForm1::control(const QString& name) const {
  const auto it = controls_.constFind(name);
  return it == controls_.constEnd() ? nullptr : it->widget;
}

QAbstractButton* TForm1::button(const QString& name) const {
  return qobject_cast<QAbstractButton*>(control(name));
}

void TForm1::setPanelText(int panel, const QString& text) {
  panels_.at(static_cast<std::size_t>(panel))->setFullText(text);
}

QString TForm1::panelText(int panel) const {
  return panels_.at(static_cast<std::size_t>(panel))->fullText();
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (mayClose && !mayClose()) {
    event->ignore();
    return;
  }
  emit closing();
  event->accept();
}

}  // namespace tracker
