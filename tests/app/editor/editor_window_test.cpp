// The real window wired to the engine, with a pseudo-terminal as the tracker.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "serial/pty_pair.h"
#include "support/answer_frames.h"
#include "ui/catalogue.h"
#include "ui/qt/list_box.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  return test::PumpUntil(done, timeoutMs);
}

// Reads from the tracker side until a whole frame with the command arrived.
Bytes awaitFrame(const test::PtyPair& pty, std::uint8_t command, Bytes& pending) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 5000) {
    for (std::size_t p = 0; p + 5 <= pending.size(); ++p) {
      if (pending[p] != 0x5A || pending[p + 1] != 0xA5) continue;
      const std::size_t length = pending[p + 2] * 256u + pending[p + 3];
      if (p + length + 6 > pending.size()) break;
      Bytes frame(pending.begin() + p, pending.begin() + p + length + 6);
      pending.erase(pending.begin(), pending.begin() + p + length + 6);
      if (frame[4] == command) return frame;
      p = static_cast<std::size_t>(-1);
    }
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    const Bytes more = pty.readMaster(1, std::chrono::milliseconds(20));
    pending.insert(pending.end(), more.begin(), more.end());
  }
  return {};
}

// Accepts the next modal box and keeps its text.
void acceptNextBox(QString& shown) {
  QTimer::singleShot(50, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
}

class EditorWindowTest : public ::testing::Test {
 protected:
  std::string text(const char* name) const {
    return form.findChild<QLineEdit*>(name)->text().toStdString();
  }
  // Opens the port and answers as the tracker until it is identified.
  void openAndIdentify(Bytes& pending) {
    form.button("OpenPort")->click();
    ASSERT_FALSE(awaitFrame(pty, 0x50, pending).empty());
    pty.writeMaster(
        AnswerFrame(0x50, {0x01, 0x01, 0x00, 0x00, 0x00, 'F', ',', 'I', ',', 'S', ','}));
    ASSERT_FALSE(awaitFrame(pty, 0x59, pending).empty());
    pty.writeMaster(ReadAnswer(1, 16, TextBytes("356938035643809")));
    ASSERT_TRUE(pumpUntil([&] { return form.button("ReadAll")->isEnabled(); }));
  }
  test::PtyPair pty;
  FixedPortEnumerator ports{{PortInfo{pty.path(), "test", 0, 0, false},
                             PortInfo{"ttyUSB7", "CP2102 USB to UART", 0x10c4, 0xea60, true}}};
  TForm1 form;
  EditorController controller{form, ports};
};

TEST_F(EditorWindowTest, StartsClosedWithTheConnectionButtonsDisabled) {
  controller.FormCreate("/nonexistent/Tracker.ini");
  EXPECT_EQ(form.windowTitle(), "Kelvorin_Parameter_Editor_DLT_V2.4");
  EXPECT_EQ(form.panelText(0), "Disconnect");
  EXPECT_EQ(form.panelText(1), "Idle");
  for (const Operation& operation : Operations()) {
    if (operation.button.empty() || operation.enabledAtStart) continue;
    const std::string_view name = operation.button;
    EXPECT_FALSE(form.button(QString::fromUtf8(name.data(), name.size()))->isEnabled()) << name;
  }
  EXPECT_FALSE(form.findChild<QLineEdit*>("DeviceID")->isEnabled());
  EXPECT_EQ(form.portBox()->currentText().toStdString(), pty.path()) << "the first port";
  EXPECT_EQ(form.portBox()->itemData(1, Qt::ToolTipRole).toString(),
            "CP2102 USB to UART (USB 10c4:ea60)");
  const auto* timer1 = controller.findChild<QTimer*>("Timer1");
  const auto* timer2 = controller.findChild<QTimer*>("Timer2");
  ASSERT_NE(timer1, nullptr);
  ASSERT_NE(timer2, nullptr);
  EXPECT_EQ(timer1->interval(), 10);
  EXPECT_EQ(timer2->interval(), 1000);
  EXPECT_TRUE(timer1->isActive() && timer2->isActive());
}

TEST_F(EditorWindowTest, OpeningThePortIdentifiesTheTracker) {
  controller.FormCreate("/nonexistent/Tracker.ini");
  form.button("OpenPort")->click();
  ASSERT_TRUE(controller.comm().isOpen());
  EXPECT_EQ(form.button("OpenPort")->text(), "Close");
  EXPECT_FALSE(form.button("ReadAll")->isEnabled()) << "until the tracker answers";

  Bytes pending;
  const Bytes poll = awaitFrame(pty, 0x50, pending);
  ASSERT_EQ(poll, AnswerFrame(0x50, {0x01, 0xFF, 0xFF, 0xFF, 0xFF}));

  Bytes info{0x01, 0x01, 0x00, 0x00, 0x00};
  for (const char c : std::string_view("FW2.1-Alder,861234567890123,SN0042,")) info.push_back(c);
  const Bytes counters{0, 0, 0, 12, 0, 0, 1, 0xF4, 0, 0, 0, 1, 0,  0, 0, 2,    0,    0, 0, 3,
                       0, 0, 0, 4,  0, 0, 0, 5,    0, 0, 0, 6, 87, 0, 0, 0x30, 0x39, 0, 9};
  info.insert(info.end(), counters.begin(), counters.end());
  pty.writeMaster(AnswerFrame(0x50, info));

  const Bytes idRequest = awaitFrame(pty, 0x59, pending);
  ASSERT_EQ(idRequest, AnswerFrame(0x59, {0x01, 0x00, 0x10, 0x00, 0x0F}));
  pty.writeMaster(ReadAnswer(1, 16, TextBytes("356938035643809")));

  ASSERT_TRUE(pumpUntil([&] { return text("DeviceID") == "356938035643809"; }));
  EXPECT_EQ(form.panelText(0), "Connected");
  EXPECT_TRUE(form.button("ReadAll")->isEnabled());
  EXPECT_EQ(text("Firmware"), "FW2.1-Alder");
  EXPECT_EQ(text("IMEI"), "861234567890123");
  EXPECT_EQ(text("SN"), "SN0042");
  EXPECT_EQ(text("SMSBuffer"), "12/500");
  EXPECT_EQ(text("Battery"), "87");
  EXPECT_EQ(text("Mileage"), "12345");
  EXPECT_EQ(text("RFID"), "9");
  EXPECT_FALSE(form.findChild<QWidget*>("In3Mode")->isVisibleTo(&form)) << "Alder has two inputs";

  form.button("OpenPort")->click();
  EXPECT_FALSE(controller.comm().isOpen());
  EXPECT_EQ(form.panelText(0), "Disconnect");
  EXPECT_EQ(text("IMEI"), "") << "no tracker is connected any more";
}

TEST_F(EditorWindowTest, OneOperationAtATimeThePollWaitsAndAHangUpIsNoticed) {
  controller.FormCreate("/nonexistent/Tracker.ini");
  Bytes pending;
  openAndIdentify(pending);
  form.button("GPRSRead")->click();
  ASSERT_FALSE(awaitFrame(pty, 0x59, pending).empty());
  for (const char* name : {"ReadAll", "WriteAll", "InitAll", "ClearSMS", "SetMileage"}) {
    EXPECT_FALSE(form.button(name)->isEnabled()) << name << " while the read runs";
  }
  controller.engine().state().AuthPollDelay = 1;  // a poll falls due during the read
  pumpUntil([] { return false; }, 100);
  EXPECT_EQ(controller.engine().state().activity, Activity::Reading)
      << "the poll did not cancel it";
  EXPECT_TRUE(pty.readMaster(1, std::chrono::milliseconds(20)).empty()) << "nor was it sent";

  QString shown;
  acceptNextBox(shown);
  pty.closeMaster();  // the tracker goes away mid-read
  ASSERT_TRUE(pumpUntil([&] { return !controller.comm().isOpen() && !shown.isEmpty(); }));
  EXPECT_EQ(shown, QString::fromStdString("The connection to " + pty.path() +
                                          " was lost. The operation did not complete."));
  EXPECT_EQ(form.panelText(0), "Disconnect");
  EXPECT_EQ(form.button("OpenPort")->text(), "Open");
  EXPECT_FALSE(form.button("ReadAll")->isEnabled());
}

TEST_F(EditorWindowTest, ClosingTheWindowClosesThePort) {
  controller.FormCreate("/nonexistent/Tracker.ini");
  form.button("OpenPort")->click();
  ASSERT_TRUE(controller.comm().isOpen());
  form.exitAction()->trigger();
  EXPECT_FALSE(controller.comm().isOpen());
}

TEST_F(EditorWindowTest, ABadFieldShowsTheErrorBoxAndSendsNothing) {
  controller.FormCreate("/nonexistent/Tracker.ini");
  Bytes pending;
  openAndIdentify(pending);
  form.findChild<QLineEdit*>("Mileage")->setText("12x");
  QString shown;
  acceptNextBox(shown);
  form.button("SetMileage")->click();
  EXPECT_EQ(shown, "Info › Mileage: '12x' is not a valid value; the range is 0–4294967295");
  EXPECT_EQ(form.panelText(1), "Idle");

  // A field of a group: named by tab and caption, its tab selected, the field focused.
  form.findChild<QLineEdit*>("TowTM")->setText("300");
  // Write All of start-up values asks first: Yes, then the field's error.
  QTimer boxes;
  QObject::connect(&boxes, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    if (box->button(QMessageBox::Yes) != nullptr) return box->button(QMessageBox::Yes)->click();
    shown = box->text();
    box->accept();
  });
  boxes.start(20);
  form.button("WriteAll")->click();
  EXPECT_EQ(shown, "Main › Tow Time: 300 is out of range 0–255");
  EXPECT_EQ(form.pageControl()->currentWidget()->objectName(), "TabSheet3");
  EXPECT_EQ(form.focusWidget(), form.findChild<QLineEdit*>("TowTM"));
}

}  // namespace
}  // namespace tracker
