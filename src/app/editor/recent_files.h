#pragma once
// The settings file at hand: its name after the window's caption, "Saved to
// …" and "Loaded …" in the status bar, and File → "Recent Files" with the
// last eight files saved or loaded.

#include <QObject>
#include <QString>
#include <functional>

class QMenu;

namespace tracker {

class Preferences;
class TForm1;

class RecentFiles : public QObject {
  Q_OBJECT

 public:
  static constexpr int kKept = 8;

  // open loads a file chosen from the menu.
  RecentFiles(TForm1& form, Preferences& preferences, std::function<void(const QString&)> open);

  // The window was saved to the file or loaded from it; atStartUp: the
  // window's own Tracker.ini, named in the title only.
  void saved(const QString& path);
  void loaded(const QString& path, bool atStartUp = false);

  QMenu* menu() const { return menu_; }

 private:
  void remember(const QString& path);
  void showFile(const QString& path);
  void fillMenu();

  TForm1& form_;
  Preferences& preferences_;
  std::function<void(const QString&)> open_;
  QMenu* menu_ = nullptr;
};

}  // namespace tracker
