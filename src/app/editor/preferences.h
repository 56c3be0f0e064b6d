#pragma once
// What the editor remembers between runs (QSettings in the per-user settings
// folder, UserDir: last port, window geometry, last settings file,
// verification after writing) and where settings files are looked for: the
// user's own Tracker.ini there, or the one beside the program, which an
// installed program cannot write.

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

namespace tracker {

class Preferences {
 public:
  explicit Preferences(QString programFolder);

  // <XDG config>/tracker-editor/Tracker.ini, whether it exists or not.
  QString userSettingsFile() const;
  // The user's Tracker.ini when it exists, else the one beside the program.
  QString startupSettingsFile() const;
  // Where Load starts: the folder last used; else the program folder when it
  // can be written, else the user's documents.
  QString loadFolder() const;
  // Where Save starts: the file last used, else the user's Tracker.ini (its
  // folder is created).
  QString saveTarget() const;
  void rememberFile(const QString& path);
  // The settings files last saved or loaded, newest first.
  QStringList recentFiles() const;
  void rememberRecentFiles(const QStringList& files);

  QString lastPort() const;
  void rememberPort(const QString& port);
  QByteArray geometry() const;
  void rememberGeometry(const QByteArray& geometry);
  // "Verify after writing"; on until switched off.
  bool verifyAfterWriting() const;
  void rememberVerifyAfterWriting(bool on);

 private:
  QString programFolder_;
  mutable QSettings settings_;
};

}  // namespace tracker
