// The File menu's settings items through their real dialogs, and what the
// editor remembers between runs.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "app/editor/editor_controller.h"
#include "ui/qt/list_box.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

// Answers the next file dialog with `path` (or cancels it) once it is shown;
// shownFile gets the file it offered, shownFolder the folder it started in.
void answerDialog(const QString& expectedName, const QString& path, QString* shownFile,
                  QString* shownFolder = nullptr) {
  QTimer::singleShot(100, [=] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), expectedName);
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Settings files (*.ini)"});
    if (shownFile != nullptr && !dialog->selectedFiles().isEmpty()) {
      *shownFile = dialog->selectedFiles().constFirst();
    }
    if (shownFolder != nullptr) *shownFolder = dialog->directory().absolutePath();
    if (path.isEmpty()) {
      dialog->reject();
      return;
    }
    // Typed into the name field, as a user would; the dialog's file model
    // fills in the background and cannot be waited for.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, by its public base
  });
}

class EditorSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    QSettings(configFile(), QSettings::IniFormat).clear();
    controller.FormCreate(folder.filePath("missing.ini"));
  }
  static QString configDir() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath("tracker-editor");
  }
  static QString configFile() { return QDir(configDir()).filePath("tracker-editor.conf"); }
  QLineEdit* edit(const char* name) const { return form.findChild<QLineEdit*>(name); }

  QTemporaryDir folder;
  FixedPortEnumerator ports{{}};
  TForm1 form;
  EditorController controller{form, ports};
};

TEST_F(EditorSettingsTest, SaveStartsAtTheUsersTrackerIniAndWritesTheChosenFile) {
  edit("APN")->setText("fleet.apn");
  const QString target = folder.filePath("fleet");  // no extension is added
  QString offered;
  answerDialog("SaveDialog1", target, &offered);
  form.saveSettingsAction()->trigger();
  EXPECT_EQ(offered, QDir(configDir()).filePath("Tracker.ini"));
  QFile saved(target);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().contains("APN=fleet.apn\r\n"));
}

TEST_F(EditorSettingsTest, LoadReadsTheChosenFileAndCancelDoesNothing) {
  const QString path = folder.filePath("one.ini");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[GPRS]\r\nAPN=loaded.apn\r\n");
  file.close();

  answerDialog("OpenDialog1", QString(), nullptr);
  form.loadSettingsAction()->trigger();
  EXPECT_EQ(edit("APN")->text(), "");

  answerDialog("OpenDialog1", path, nullptr);
  form.loadSettingsAction()->trigger();
  EXPECT_EQ(edit("APN")->text(), "loaded.apn");
  EXPECT_EQ(edit("TimeInterval")->text(), "0") << "a key the file lacks keeps the field's value";
  EXPECT_TRUE(controller.engine().state().SettingsLoaded);
}

TEST_F(EditorSettingsTest, DialogsStartWhereTheLastFileWas) {
  const QString nested = folder.filePath("fleet/north");
  ASSERT_TRUE(QDir().mkpath(nested));
  answerDialog("SaveDialog1", QDir(nested).filePath("van.ini"), nullptr);
  form.saveSettingsAction()->trigger();

  // A new window (the next run) starts both dialogs there.
  TForm1 next;
  EditorController again{next, ports};
  QString offered;
  QString loadFolder;
  answerDialog("SaveDialog1", QString(), &offered);
  next.saveSettingsAction()->trigger();
  answerDialog("OpenDialog1", QString(), nullptr, &loadFolder);
  next.loadSettingsAction()->trigger();
  EXPECT_EQ(offered, QDir(nested).filePath("van.ini"));
  EXPECT_EQ(loadFolder, QDir(nested).absolutePath());
}

TEST_F(EditorSettingsTest, StartUpPrefersTheUsersTrackerIniAndRestoresThePort) {
  ASSERT_TRUE(QDir().mkpath(configDir()));
  QFile user(QDir(configDir()).filePath("Tracker.ini"));
  ASSERT_TRUE(user.open(QIODevice::WriteOnly));
  user.write("[GPRS]\r\nAPN=users.apn\r\n");
  user.close();
  FixedPortEnumerator two{
      {PortInfo{"ttyS0", "", 0, 0, false}, PortInfo{"ttyUSB3", "", 0, 0, false}}};
  {
    TForm1 first;
    EditorController run{first, two};
    run.Start(false);
    EXPECT_EQ(first.findChild<QLineEdit*>("APN")->text(), "users.apn");
    EXPECT_EQ(first.portBox()->currentText(), "ttyS0") << "nothing remembered yet";
    first.portBox()->setCurrentIndex(1);
    first.close();
  }
  TForm1 second;
  EditorController run{second, two};
  run.Start(false);
  EXPECT_EQ(second.portBox()->currentText(), "ttyUSB3");
  user.remove();
}

// Closes the next message box once it is shown, keeping its text.
void closeNextBox(QString* text, int triesLeft = 60) {
  QTimer::singleShot(50, [=] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      *text = box->text();
      box->accept();
    } else if (triesLeft > 0) {
      closeNextBox(text, triesLeft - 1);
    }
  });
}

TEST_F(EditorSettingsTest, AFileThatIsNotTextIsRefusedAndChangesNothing) {
  edit("APN")->setText("kept.apn");
  const QString path = folder.filePath("binary.ini");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray("[GPRS]\r\nAPN=x\0\0\r\n", 16));
  file.close();
  QString shown;
  answerDialog("OpenDialog1", path, nullptr);
  // The edit is neither written nor saved: Load Settings asks first.
  QTimer::singleShot(50, [&shown] {
    auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(question, nullptr);
    question->button(QMessageBox::Yes)->click();
    closeNextBox(&shown);
  });
  form.loadSettingsAction()->trigger();
  EXPECT_EQ(shown, "Cannot read " + path + ": not a text settings file");
  EXPECT_EQ(edit("APN")->text(), "kept.apn");
}

}  // namespace
}  // namespace tracker
