// The File menu's settings items through their real dialogs.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "app/editor/editor_controller.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

// Answers the next file dialog with `path` (or cancels it) once it is shown.
void answerDialog(const QString& expectedName, const QString& path, QString* shownFile) {
  QTimer::singleShot(100, [=] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), expectedName);
    EXPECT_EQ(dialog->nameFilters(), QStringList{"*.ini (*.ini)"});
    if (shownFile != nullptr && !dialog->selectedFiles().isEmpty()) {
      *shownFile = dialog->selectedFiles().constFirst();
    }
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
    controller.FormCreate(folder.filePath("missing.ini"));
  }
  QLineEdit* edit(const char* name) const { return form.findChild<QLineEdit*>(name); }

  QTemporaryDir folder;
  FixedPortEnumerator ports{{}};
  TForm1 form;
  EditorController controller{form, ports};
};

TEST_F(EditorSettingsTest, SaveStartsAtTrackerIniAndWritesTheChosenFile) {
  edit("APN")->setText("fleet.apn");
  const QString target = folder.filePath("fleet");  // no extension is added
  QString offered;
  answerDialog("SaveDialog1", target, &offered);
  form.saveSettingsAction()->trigger();
  EXPECT_EQ(offered, QDir(QCoreApplication::applicationDirPath()).filePath("Tracker.ini"));
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
  EXPECT_EQ(edit("TimeInterval")->text(), "10") << "a key the file lacks takes its default";
  EXPECT_TRUE(controller.engine().state().SettingsLoaded);
}

}  // namespace
}  // namespace tracker
