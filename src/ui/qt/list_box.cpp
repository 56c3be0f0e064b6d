#include "ui/qt/list_box.h"

#include <QLineEdit>

namespace tracker {

ListBox::ListBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setMaxVisibleItems(16);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    if (currentIndex() < 0) return;
    const int cursor = lineEdit()->cursorPosition();
    setTypedText(text);
    lineEdit()->setCursorPosition(cursor);
  });
}

void ListBox::setTypedText(const QString& text) {
  setCurrentIndex(-1);
  setEditText(text);
}

void PortComboBox::showPopup() {
  emit aboutToDropDown();
  ListBox::showPopup();
}

}  // namespace tracker
