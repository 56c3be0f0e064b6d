#pragma once
// Tracks what the technician changed: a field differs from the value it had
// after the last Read, Load or Write of its group ("changed" mark); the window
// holds a change that is neither written nor saved ("*" before the title),
// and closing the window and Load Settings ask before discarding it.
//
// Values the engine puts into the window (a Read, a Load, the model's
// defaults) are where the window now stands; only edits made outside the
// engine count as changes.

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "codec/group_row.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace tracker {

class FieldMarks;
class TForm1;

class ChangeMarks : public QObject {
  Q_OBJECT

 public:
  // engineActive tells whether the engine is inside a handler right now.
  ChangeMarks(TForm1& form, const Controls& controls, Window& window, FieldMarks& marks,
              std::function<bool()> engineActive);

  // The window and the tracker agree on these groups (read or written),
  // except for the fields the tracker did not keep.
  void synced(const std::vector<Group>& groups, const std::vector<std::string>& notKept);
  // The window was loaded from a settings file, or saved to one.
  void loaded();
  void saved();

  bool unsaved() const { return unsavedCount_ > 0; }
  // Whether the changes may go: true when there are none or the technician says Yes.
  bool confirmDiscard();

 private:
  struct Baseline {
    QString marked;   // after the last Read, Load or Write
    QString tracker;  // as the tracker holds it, as far as the window knows
    QString file;     // as last saved or loaded
    bool unsaved = false;
  };

  void watch(const QString& control);
  void onChange(const QString& control);
  void refresh(const QString& control, Baseline& base, const QString& value);
  QString valueOf(const QString& control) const;
  void updateTitle();

  TForm1& form_;
  const Controls& controls_;
  Window& window_;
  FieldMarks& marks_;
  std::function<bool()> engineActive_;
  QHash<QString, Baseline> baselines_;
  int unsavedCount_ = 0;
};

}  // namespace tracker
