#include "app/editor/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "base/user_dirs.h"

namespace tracker {
namespace {

const QString kApplication = QStringLiteral("tracker-editor");
const QString kSettingsName = QStringLiteral("Tracker.ini");
const QString kLastFileKey = QStringLiteral("lastFile");
const QString kLastPortKey = QStringLiteral("lastPort");
const QString kGeometryKey = QStringLiteral("geometry");
const QString kVerifyKey = QStringLiteral("verifyAfterWriting");
const QString kRecentKey = QStringLiteral("recentFiles");

// The per-user settings folder every program of ours shares: %APPDATA% on
// Windows, the XDG config folder elsewhere.
QString configFolder() {
  const std::filesystem::path folder = UserDir(UserFolder::Config);
  if (folder.empty()) {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(kApplication);
  }
  const std::u8string utf8 = folder.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()),
                           static_cast<qsizetype>(utf8.size()));
}

}  // namespace

Preferences::Preferences(QString programFolder)
    : programFolder_(std::move(programFolder)),
      settings_(QDir(configFolder()).filePath(kApplication + QStringLiteral(".conf")),
                QSettings::IniFormat) {}

QString Preferences::userSettingsFile() const {
  return QDir(configFolder()).filePath(kSettingsName);
}

QString Preferences::startupSettingsFile() const {
  if (QFileInfo(userSettingsFile()).isFile()) return userSettingsFile();
  return QDir(programFolder_).filePath(kSettingsName);
}

QString Preferences::loadFolder() const {
  const QString last = settings_.value(kLastFileKey).toString();
  if (!last.isEmpty() && QFileInfo(QFileInfo(last).path()).isDir()) return QFileInfo(last).path();
  if (QFileInfo(programFolder_).isWritable()) return programFolder_;
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString Preferences::saveTarget() const {
  const QString last = settings_.value(kLastFileKey).toString();
  if (!last.isEmpty() && QFileInfo(QFileInfo(last).path()).isDir()) return last;
  QDir().mkpath(configFolder());
  return userSettingsFile();
}

void Preferences::rememberFile(const QString& path) {
  settings_.setValue(kLastFileKey, QFileInfo(path).absoluteFilePath());
}

QStringList Preferences::recentFiles() const {
  return settings_.value(kRecentKey).toStringList();
}

void Preferences::rememberRecentFiles(const QStringList& files) {
  settings_.setValue(kRecentKey, files);
}

QString Preferences::lastPort() const {
  return settings_.value(kLastPortKey).toString();
}

void Preferences::rememberPort(const QString& port) {
  settings_.setValue(kLastPortKey, port);
}

QByteArray Preferences::geometry() const {
  return settings_.value(kGeometryKey).toByteArray();
}

void Preferences::rememberGeometry(const QByteArray& geometry) {
  settings_.setValue(kGeometryKey, geometry);
}

bool Preferences::verifyAfterWriting() const {
  return settings_.value(kVerifyKey, true).toBool();
}

void Preferences::rememberVerifyAfterWriting(bool on) {
  settings_.setValue(kVerifyKey, on);
}

}  // namespace tracker
