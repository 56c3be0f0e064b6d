#pragma once
// The marks on the window's fields: "changed" (edited since the last Read,
// Load or Write) and "differs from the tracker" (Compare with Tracker, with
// the tracker's value as tooltip). Each mark tints the field's background
// from the window's own palette, so it reads in light and dark themes alike;
// a tab holding changed fields carries a "*" after its caption.

#include <QColor>
#include <QHash>
#include <QPalette>
#include <QString>
#include <optional>

namespace tracker {

class TForm1;

class FieldMarks {
 public:
  explicit FieldMarks(TForm1& form) : form_(form) {}

  void setChanged(const QString& control, bool changed);
  void setDiffers(const QString& control, const QString& trackerValue);
  void clearDiffers();

  bool changed(const QString& control) const { return state(control).changed; }
  bool differs(const QString& control) const { return state(control).differs.has_value(); }
  int differCount() const { return differCount_; }

  // The tints for a palette: changed fields, and fields that differ.
  static QColor ChangedTint(const QPalette& palette);
  static QColor DiffersTint(const QPalette& palette);

 private:
  struct State {
    bool changed = false;
    std::optional<QString> differs;  // the tracker's value
    QPalette palette;                // as it was before the first mark
    QString toolTip;
    bool saved = false;
  };

  State state(const QString& control) const { return states_.value(control); }
  void apply(const QString& control, State& state);
  void updateTab(int tab);

  TForm1& form_;
  QHash<QString, State> states_;
  QHash<int, int> changedPerTab_;
  int differCount_ = 0;
};

}  // namespace tracker
