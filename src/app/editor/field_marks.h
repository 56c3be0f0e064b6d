#pragma once
// The marks on the window's fields: "changed" (edited since the last Read,
// Load or Write) and "differs from the tracker" (Compare with Tracker, with
// the tracker's value as tooltip). Each mark tints the field's background
// from the window's own palette, so it reads in light and dark themes alike;
// a tab holding changed fields carries a "*" after its caption, one holding
// differences its caption in the differs colour. A text a write would refuse
// is tinted as an error, with the reason in the tooltip.

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
  // Why a write would refuse the field's text; empty when it would not.
  void setProblem(const QString& control, const QString& problem);

  bool changed(const QString& control) const { return state(control).changed; }
  bool differs(const QString& control) const { return state(control).differs.has_value(); }
  int differCount() const { return differCount_; }
  bool invalid(const QString& control) const { return !state(control).problem.isEmpty(); }
  // The tracker's value of a field that differs.
  std::optional<QString> trackerHolds(const QString& control) const {
    return state(control).differs;
  }

  // The tints for a palette: changed fields, and fields that differ.
  static QColor ChangedTint(const QPalette& palette);
  static QColor DiffersTint(const QPalette& palette);
  static QColor ErrorTint(const QPalette& palette);

 private:
  struct State {
    bool changed = false;
    std::optional<QString> differs;  // the tracker's value
    QString problem;                 // why a write would refuse the text
    QPalette palette;                // as it was before the first mark
    QString toolTip;
    bool saved = false;
  };

  State state(const QString& control) const { return states_.value(control); }
  void apply(const QString& control, State& state);
  void updateTab(int tab);
  void updateDiffersTab(int tab);

  TForm1& form_;
  QHash<QString, State> states_;
  QHash<int, int> changedPerTab_;
  QHash<int, int> differsPerTab_;
  int differCount_ = 0;
};

}  // namespace tracker
