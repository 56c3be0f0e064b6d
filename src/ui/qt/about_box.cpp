#include "ui/qt/about_box.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

namespace tracker {

QString AboutText(const char* webAddress, const char* emailAddress) {
  const QString web = QString::fromLatin1(webAddress);
  const QString mail = QString::fromLatin1(emailAddress);
  return QStringLiteral(
             "<p><b>%1</b><br>Version %2</p>"
             "<p>Built with Qt %3, running on Qt %4.</p>"
             "<p>Licensed under the %5; see the file LICENSE.</p>"
             "<p>Web: <a href=\"%6\">%6</a><br>Mail: <a href=\"mailto:%7\">%7</a></p>")
      .arg(QString::fromLatin1(kProductName), QStringLiteral(TRACKER_VERSION),
           QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()),
           QString::fromLatin1(kLicenceName), web, mail);
}

void ShowAboutBox(QWidget* parent, const char* webAddress, const char* emailAddress) {
  QMessageBox box(parent);
  box.setObjectName(QStringLiteral("AboutBox"));
  box.setWindowTitle(QStringLiteral("About %1").arg(QString::fromLatin1(kProductName)));
  box.setTextFormat(Qt::RichText);
  box.setText(AboutText(webAddress, emailAddress));
  box.setTextInteractionFlags(Qt::TextBrowserInteraction);
  box.setIconPixmap(QIcon::fromTheme(QStringLiteral("tracker-editor")).pixmap(64, 64));
  box.exec();
}

QUrl HelpDocument(const QString& programFolder, const char* webAddress) {
  const QDir folder(programFolder);
  // Installed: <prefix>/bin and <prefix>/share/doc; built: <source>/build/bin.
  const QStringList candidates{
      folder.filePath(QStringLiteral("../share/doc/tracker-editor/README.md")),
      folder.filePath(QStringLiteral("../../README.md")),
  };
  for (const QString& path : candidates) {
    if (QFileInfo(path).isFile()) return QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath());
  }
  return QUrl(QString::fromLatin1(webAddress));
}

}  // namespace tracker
