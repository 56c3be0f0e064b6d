#pragma once
// Drop-down lists whose text can also be typed; typing leaves no item selected.

#include <QComboBox>

namespace tracker {

class ListBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ListBox(QWidget* parent = nullptr);

  // Shows a text of the user's own and selects no item.
  void setTypedText(const QString& text);
};

// The port list: tells before it drops down, so its items can be refreshed.
class PortComboBox : public ListBox {
  Q_OBJECT

 public:
  using ListBox::ListBox;
  void showPopup() override;

 signals:
  void aboutToDropDown();
};

}  // namespace tracker
