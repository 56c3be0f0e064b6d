#include "ui/qt/tform1.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "dark_palette.h"
#include "ui/catalogue.h"
#include "ui/event_rows.h"
#include "ui/qt/about_box.h"
#include "ui/qt/list_box.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tool_bar.h"

namespace tracker {
namespace {

class TForm1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QApplication::setActiveWindow(&form);
  }

  QLineEdit* edit(const char* name) { return qobject_cast<QLineEdit*>(form.control(name)); }

  // Shows the edit's tab, focuses it and types into it.
  QLineEdit* typeInto(const char* name, const QString& keys, bool clear = true) {
    QLineEdit* e = edit(name);
    for (QWidget* p = e; p != nullptr; p = p->parentWidget()) {
      if (form.pageControl()->indexOf(p) >= 0) form.pageControl()->setCurrentWidget(p);
    }
    e->setFocus();
    if (clear) e->clear();
    QTest::keyClicks(e, keys);
    return e;
  }

  // The next widget the keyboard reaches after w.
  static QWidget* nextFocusable(QWidget* w) {
    do {
      w = w->nextInFocusChain();
    } while (w->focusPolicy() == Qt::NoFocus || !w->isEnabled());
    return w;
  }

  // Moves the focus away from the focused edit, as Tab does.
  void leave() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

  TForm1 form;
};

TEST_F(TForm1Test, TabsInOrderWithTheirNames) {
  QTabWidget* tabs = form.pageControl();
  ASSERT_EQ(tabs->count(), kTabCount);
  EXPECT_EQ(tabs->objectName(), "PageControl");
  for (int i = 0; i < kTabCount; ++i) {
    const TabSpec& t = Tabs()[static_cast<std::size_t>(i)];
    EXPECT_EQ(tabs->tabText(i).toStdString(), t.caption);
    EXPECT_EQ(tabs->widget(i)->objectName().toStdString(), t.name);
  }
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_EQ(form.windowTitle(), "Kelvorin_Parameter_Editor_DLT_V2.4");
}

TEST_F(TForm1Test, MenuStatusBarAndButtons) {
  // "&" marks the Alt mnemonic.
  EXPECT_EQ(form.saveSettingsAction()->text(), "&Save Settings");
  EXPECT_EQ(form.loadSettingsAction()->text(), "&Load Settings");
  EXPECT_EQ(form.exitAction()->text(), "E&xit");
  EXPECT_EQ(form.webSiteAction()->objectName(), "WebSite1");
  EXPECT_EQ(form.emailAction()->objectName(), "EmailAddress1");
  const auto menus = form.menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(menus[1]->text(), "&Edit");
  EXPECT_EQ(menus[2]->text(), "&Help");

  form.setPanelText(0, "Disconnect");
  form.setPanelText(1, "Idle");
  EXPECT_EQ(form.panelText(0), "Disconnect");
  EXPECT_EQ(form.panelText(1), "Idle");
  EXPECT_EQ(form.panelText(2), "");

  for (const ControlSpec& spec : Catalogue()) {
    if (spec.kind != ControlKind::Button) continue;
    EXPECT_NE(form.button(QString::fromStdString(spec.name)), nullptr) << spec.name;
  }
  EXPECT_EQ(form.button("InitAll")->text(), "Default");
  EXPECT_EQ(form.button("GPRSRead")->text(), "Read");
  EXPECT_EQ(form.button("DLTWrite")->text(), "Write");
}

TEST_F(TForm1Test, PortBoxAnnouncesItsDropDown) {
  ASSERT_EQ(form.portBox(), form.control("ComboBox1"));
  QSignalSpy spy(form.portBox(), &PortComboBox::aboutToDropDown);
  form.portBox()->showPopup();
  EXPECT_EQ(spy.count(), 1);
  form.portBox()->hidePopup();
}

TEST_F(TForm1Test, ClosingIsAnnounced) {
  QSignalSpy spy(&form, &TForm1::closing);
  form.close();
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(TForm1Test, HeartbeatAndPictureRowsHaveOnlyGprsChecks) {
  for (int number : {31, 54}) {
    const EventRow* row = nullptr;
    for (const EventRow& r : EventRows()) {
      if (r.number == number) row = &r;
    }
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->nameEdit.empty());
    const QString stem = QString::fromUtf8(row->checkStem.data(), row->checkStem.size());
    int checks = 0;
    for (QCheckBox* c : form.scrollBox()->findChildren<QCheckBox*>()) {
      if (c->objectName().startsWith(stem) &&
          c->objectName().size() == stem.size() + QString("GPRS1").size()) {
        ++checks;
      }
    }
    EXPECT_EQ(checks, 2) << number;
    EXPECT_NE(form.control(stem + "GPRS1"), nullptr);
    EXPECT_NE(form.control(stem + "GPRS2"), nullptr);
    EXPECT_EQ(form.control(stem + "SMS1"), nullptr);
  }
  EXPECT_EQ(form.scrollBox()->objectName(), "ScrollBox1");
}

TEST_F(TForm1Test, KeyboardOrderRunsThroughATabInCatalogueOrder) {
  const char* gprs[] = {"APN", "APNName", "APNPassword", "IP", "Port", "IP2", "Port2", "GPRSType"};
  form.pageControl()->setCurrentIndex(1);
  QWidget* w = form.control("DeviceID");
  for (const char* next : gprs) {
    w = nextFocusable(w);
    EXPECT_EQ(w->objectName().toStdString(), next);
  }
  // The WiFi tab fills its left column before the right one.
  EXPECT_EQ(nextFocusable(form.control("WIFI16PSW"))->objectName().toStdString(), "WIFI17SSID");
  EXPECT_EQ(nextFocusable(form.control("IN1ActiveTM"))->objectName().toStdString(), "In2Mode");
  EXPECT_EQ(nextFocusable(form.control("Tank1Low"))->objectName().toStdString(), "Tank2Name");
}

TEST_F(TForm1Test, DigitFieldsDropOtherKeys) {
  EXPECT_EQ(typeInto("Port", "12a3")->text(), "123");
  EXPECT_EQ(typeInto("SMSTimeZone", "-5")->text(), "-5");
  EXPECT_EQ(typeInto("SMSTimeZone", "+5")->text(), "5");
  EXPECT_EQ(typeInto("DistanceInterval", "1.2.3")->text(), "1.2.3");
  EXPECT_EQ(typeInto("No1Lat", "-12.5x")->text(), "-12.5");
  EXPECT_EQ(typeInto("Temp3_ID", "ab-12 C")->text(), "ab12C");
  EXPECT_EQ(typeInto("APNName", "a-b 1")->text(), "a-b 1");  // no filter
  EXPECT_EQ(typeInto("SIMPIN", "a-b 1")->text(), "a-b ");    // but four characters fit
  // Numbers that once took letters, by their format.
  EXPECT_EQ(typeInto("TowTM", "1x2")->text(), "12");
  EXPECT_EQ(typeInto("Mileage", "9km")->text(), "9");
  EXPECT_EQ(typeInto("AlarmTime5", "07h:30")->text(), "07:30");
  EXPECT_EQ(typeInto("Licence3", "4a2")->text(), "42");  // the format of its field
}

TEST_F(TForm1Test, DeviceInformationIsReadOnly) {
  for (const char* name :
       {"SN", "IMEI", "Firmware", "Battery", "GPRS1Buffer", "GPRS2Buffer", "SMSBuffer", "GPSLog"}) {
    EXPECT_TRUE(edit(name)->isReadOnly()) << name;
  }
  EXPECT_FALSE(edit("Mileage")->isReadOnly());
}

TEST_F(TForm1Test, NumberFieldsShowTheirRangeAndUnit) {
  EXPECT_EQ(edit("TowTM")->toolTip(), "Range: 0–255 second");
  EXPECT_EQ(edit("LowExtBatAlarm")->toolTip(), "Range: 0.00–655.35 volt");
  EXPECT_EQ(edit("Temp1_High")->toolTip(), "Range: -3276.6–3276.7");
  EXPECT_EQ(edit("Mileage")->toolTip(), "Range: 0–4294967295 m");
  EXPECT_TRUE(edit("APN")->toolTip().isEmpty());
}

TEST_F(TForm1Test, EditingShortcutsWorkAndPastedTextIsFiltered) {
  QLineEdit* port = typeInto("Port", "42");
  QTest::keyClick(port, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(port, Qt::Key_X, Qt::ControlModifier);  // cut
  EXPECT_EQ(port->text(), "");
  EXPECT_EQ(QApplication::clipboard()->text(), "42");
  QTest::keyClick(port, Qt::Key_Z, Qt::ControlModifier);  // undo
  EXPECT_EQ(port->text(), "42");
  QTest::keyClick(port, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(port, Qt::Key_C, Qt::ControlModifier);
  port->clear();
  QTest::keyClick(port, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(port->text(), "42");

  // Pasting goes through the filter: letters and blanks stay out.
  QApplication::clipboard()->setText(" 80 a8-0 ");
  port->clear();
  QTest::keyClick(port, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(port->text(), "8080");
  // And through the length limit: a server address of 40 characters.
  QLineEdit* ip = typeInto("IP", "");
  QApplication::clipboard()->setText(QString(40, 'h'));
  QTest::keyClick(ip, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(ip->text(), QString(32, 'h'));
}

TEST_F(TForm1Test, ApnStopsAt32CharactersButBackspaceDeletes) {
  QLineEdit* apn = typeInto("APN", QString(32, 'a'));
  EXPECT_EQ(apn->text().size(), 32);
  QTest::keyClicks(apn, "b");
  EXPECT_EQ(apn->text(), QString(32, 'a'));
  apn->selectAll();
  QTest::keyClicks(apn, "c");  // typing over a selection is refused too
  EXPECT_EQ(apn->text(), QString(32, 'a'));
  apn->end(false);
  QTest::keyClick(apn, Qt::Key_Backspace);
  EXPECT_EQ(apn->text(), QString(31, 'a'));
  QTest::keyClicks(apn, "b");
  EXPECT_EQ(apn->text(), QString(31, 'a') + "b");
  // A longer text set by program stays (the encoder refuses it by name);
  // only typing is limited.
  QtControls(&form).setText("APN", std::string(40, 'x'));
  EXPECT_EQ(apn->text().size(), 40);
}

TEST_F(TForm1Test, EmptyFieldsRefillOnLeaving) {
  typeInto("SensorSen", "");
  leave();
  EXPECT_EQ(edit("SensorSen")->text(), "2");
  typeInto("Acceleration", "");
  leave();
  EXPECT_EQ(edit("Acceleration")->text(), "0");

  edit("Speed")->setText("120");
  typeInto("LowSpeed", "");
  leave();
  EXPECT_EQ(edit("LowSpeed")->text(), "0");
  EXPECT_EQ(edit("Speed")->text(), "120");

  typeInto("LowExtBatAlarm", "");
  leave();
  EXPECT_EQ(edit("LowExtBatAlarm")->text(), "0");
  typeInto("SensorSen", "");
  edit("SensorSen")->setText(" ");
  leave();
  EXPECT_EQ(edit("SensorSen")->text(), " ");
  // An emptied temperature alarm is no alarm, on the first row as on the others.
  for (const char* alarm : {"Temp1_High", "Temp1_Low", "Temp8_High"}) {
    typeInto(alarm, "");
    leave();
    EXPECT_EQ(edit(alarm)->text(), "") << alarm;
  }
  // Setting a text by program runs no check.
  edit("HarshTurn")->setText("");
  EXPECT_EQ(edit("HarshTurn")->text(), "");
  typeInto("Port", "");
  leave();
  EXPECT_EQ(edit("Port")->text(), "");
}

TEST_F(TForm1Test, TypingIntoAListSelectsNothing) {
  auto* box = qobject_cast<ListBox*>(form.control("GPRSType"));
  form.pageControl()->setCurrentIndex(1);
  box->setCurrentIndex(1);
  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), "TCPx");
  EXPECT_EQ(box->currentIndex(), -1);
  EXPECT_EQ(box->currentText(), "TCPx");
}

TEST_F(TForm1Test, EveryWheelTurnScrollsTheEventRowsOneLine) {
  form.pageControl()->setCurrentIndex(1);  // GPRS
  QScrollBar* bar = form.scrollBox()->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);
  const int step = bar->singleStep();
  bar->setValue(0);
  QWidget* apn = form.control("APN");
  const QPointF local(5, 5);
  const QPointF global = apn->mapToGlobal(local);
  const QPointF inWindow = apn->mapTo(&form, local);
  auto turn = [&](int delta) {
    QWheelEvent ev(inWindow, global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(form.windowHandle(), &ev);
  };
  turn(-120);
  EXPECT_EQ(bar->value(), step);
  turn(-480);  // one step whatever the size
  EXPECT_EQ(bar->value(), 2 * step);
  turn(120);
  EXPECT_EQ(bar->value(), step);
  // A turn over the Event rows themselves moves them as well.
  form.pageControl()->setCurrentIndex(9);
  bar->setValue(0);
  QWidget* row = form.control("IN3Name");
  QWheelEvent ev(row->mapTo(&form, QPointF(3, 3)), row->mapToGlobal(QPointF(3, 3)), QPoint(),
                 QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(form.windowHandle(), &ev);
  EXPECT_GE(bar->value(), step);
}

TEST_F(TForm1Test, ShortcutsReachTheirActions) {
  const struct {
    QAction* action;
    QKeySequence keys;
  } cases[] = {
      {form.loadSettingsAction(), QKeySequence(Qt::CTRL | Qt::Key_O)},
      {form.saveSettingsAction(), QKeySequence(Qt::CTRL | Qt::Key_S)},
      {form.exitAction(), QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {form.helpAction(), QKeySequence(Qt::Key_F1)},
      {form.toolBar()->readAllAction(), QKeySequence(Qt::Key_F5)},
      {form.toolBar()->writeAllAction(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.action->shortcut(), c.keys) << c.action->text().data();

  // F5 clicks the Info tab's Read All, from any tab, only while it is enabled.
  QtControls controls(&form);
  QSignalSpy reads(form.button("ReadAll"), &QAbstractButton::clicked);
  form.pageControl()->setCurrentIndex(2);
  controls.setEnabled("ReadAll", true);
  QTest::keyClick(&form, Qt::Key_F5);
  EXPECT_EQ(reads.count(), 1);
  controls.setEnabled("ReadAll", false);
  QTest::keyClick(&form, Qt::Key_F5);
  EXPECT_EQ(reads.count(), 1);
  QSignalSpy writes(form.button("WriteAll"), &QAbstractButton::clicked);
  controls.setEnabled("WriteAll", true);
  QTest::keyClick(&form, Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(writes.count(), 0) << "no single chord writes";
  QTest::keyClick(&form, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(writes.count(), 1);
}

TEST_F(TForm1Test, ToolbarShowsAndDrivesTheInfoTabControls) {
  QtControls controls(&form);
  auto* port = form.toolBar()->findChild<PortComboBox*>("ToolBarPort");
  auto* open = form.toolBar()->findChild<QAbstractButton*>("ToolBarOpen");
  auto* code = form.toolBar()->findChild<QLineEdit*>("ToolBarAuthCode");
  ASSERT_TRUE(port && open && code);

  controls.setItems("ComboBox1", {"ttyS0", "ttyUSB0"});
  controls.setItemIndex("ComboBox1", 1);
  EXPECT_EQ(port->currentText(), "ttyUSB0");
  controls.setText("ComboBox1", "/dev/pts/9");
  EXPECT_EQ(port->currentText(), "/dev/pts/9");
  port->setCurrentIndex(0);
  emit port->activated(0);  // the user's choice
  EXPECT_EQ(controls.itemIndex("ComboBox1"), 0);
  QSignalSpy dropDowns(form.portBox(), &PortComboBox::aboutToDropDown);
  port->showPopup();
  port->hidePopup();
  EXPECT_EQ(dropDowns.count(), 1) << "the port list is refreshed for the toolbar too";

  controls.setCaption("OpenPort", "Close");
  EXPECT_EQ(open->text(), "Close");
  controls.setEnabled("ComboBox1", false);
  EXPECT_FALSE(port->isEnabled());
  QSignalSpy opens(form.button("OpenPort"), &QAbstractButton::clicked);
  open->click();
  EXPECT_EQ(opens.count(), 1);

  controls.setText("AuthCode", "4711");
  EXPECT_EQ(code->text(), "4711");
  code->setFocus();
  code->clear();
  QTest::keyClicks(code, "1234");
  EXPECT_EQ(controls.text("AuthCode"), "1234");
  controls.setEnabled("AuthCode", false);
  EXPECT_FALSE(code->isEnabled());
}

TEST_F(TForm1Test, AboutNamesVersionQtLicenceAndMaker) {
  QString shown;
  QTimer::singleShot(100, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->objectName(), "AboutBox");
    shown = box->text();
    box->accept();
  });
  form.aboutAction()->trigger();
  for (const QString& part : {QStringLiteral("Version " TRACKER_VERSION), QString(qVersion()),
                              QStringLiteral("MIT License"), QString(TForm1::kWebAddress),
                              QString(TForm1::kEmailAddress)}) {
    EXPECT_TRUE(shown.contains(part)) << part.toStdString() << " in " << shown.toStdString();
  }
}

TEST_F(TForm1Test, EnlargedWindowStretchesNothingButTheEventTable) {
  form.pageControl()->setCurrentIndex(1);
  QApplication::processEvents();
  const int port = form.control("Port")->width();
  const int ip = form.control("IP")->width();
  form.pageControl()->setCurrentIndex(9);
  QApplication::processEvents();
  const int tableWidth = form.scrollBox()->parentWidget()->width();
  form.resize(1600, 1000);
  form.pageControl()->setCurrentIndex(1);
  QApplication::processEvents();
  EXPECT_EQ(form.control("Port")->width(), port) << "a port keeps a port's width";
  EXPECT_EQ(form.control("IP")->width(), ip) << "sections keep their width";
  EXPECT_LT(form.control("TimeInterval")->width(), form.control("IP")->width() / 3);
  EXPECT_LT(form.control("APN")->width(), 400) << "no wider than its longest value needs";

  form.pageControl()->setCurrentIndex(9);  // the Event table widens, in the middle
  QApplication::processEvents();
  const QWidget* table = form.scrollBox()->parentWidget();
  EXPECT_GT(table->width(), tableWidth);
  const int left = table->x();
  const int right = table->parentWidget()->width() - table->x() - table->width();
  EXPECT_GT(left, 100);
  EXPECT_NEAR(left, right, 20);
}

// A dark theme: the caution caption and the shaded Event rows stay readable.
TEST(TForm1Palette, DarkThemeKeepsColouredTextReadable) {
  const QPalette saved = QApplication::palette();
  QApplication::setPalette(DarkPalette());
  {
    TForm1 form;
    const QColor caution = form.button("InitAll")->palette().color(QPalette::ButtonText);
    EXPECT_GT(caution.red(), caution.green() + 80) << "still red";
    EXPECT_GT(caution.lightness(), 150) << "light enough on a dark button";
    const std::string_view first = EventRows().front().nameEdit;  // a shaded row
    QWidget* row = form.control(QString::fromUtf8(first.data(), first.size()))->parentWidget();
    EXPECT_LT(row->palette().color(QPalette::Window).lightness(), 100) << "a dark shade";
  }
  QApplication::setPalette(saved);
}

// F1 opens the README installed beside the program, else the web site.
TEST(HelpDocumentTest, InstalledReadmeFirstThenTheWebSite) {
  QTemporaryDir prefix;
  const QString bin = prefix.filePath("usr/bin");
  ASSERT_TRUE(QDir().mkpath(bin));
  EXPECT_EQ(HelpDocument(bin, TForm1::kWebAddress), QUrl(TForm1::kWebAddress));
  const QString doc = prefix.filePath("usr/share/doc/tracker-editor");
  ASSERT_TRUE(QDir().mkpath(doc));
  QFile readme(QDir(doc).filePath("README.md"));
  ASSERT_TRUE(readme.open(QIODevice::WriteOnly));
  readme.close();
  EXPECT_EQ(HelpDocument(bin, TForm1::kWebAddress),
            QUrl::fromLocalFile(QFileInfo(readme).canonicalFilePath()));
}

}  // namespace
}  // namespace tracker
