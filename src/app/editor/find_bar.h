#pragma once
// Edit → "Find…" (Ctrl+F): a bar that searches the fields of every tab by
// caption, settings key or value. Enter or F3 goes to the next match: its tab
// shown, the field focused and outlined for a moment; "no match" is said.

#include <QString>
#include <QToolBar>

class QAction;
class QLabel;
class QLineEdit;

namespace tracker {

class Controls;
class TForm1;

class FindBar : public QToolBar {
  Q_OBJECT

 public:
  FindBar(TForm1& form, const Controls& controls);

  QAction* findAction() const { return find_; }
  QLineEdit* edit() const { return edit_; }
  QLabel* result() const { return result_; }
  // Goes to the next field that matches the text; false when none does.
  bool findNext();

 private:
  // Edit → "Find…" (Ctrl+F), F3 and Esc.
  void addShortcuts();
  bool matches(const std::string& control, const QString& text) const;

  TForm1& form_;
  const Controls& controls_;
  QAction* find_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QLabel* result_ = nullptr;
  int last_ = -1;  // position in the searched fields of the last match
};

}  // namespace tracker
