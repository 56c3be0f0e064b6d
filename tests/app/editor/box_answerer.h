#pragma once
// Answers every message box as it appears, keeping its text: notices with OK,
// questions with `answer`.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <vector>

namespace tracker::test {

class Boxes {
 public:
  Boxes() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      texts.push_back(box->text().toStdString());
      if (box->button(QMessageBox::Yes) != nullptr) {
        box->button(answer)->click();
      } else {
        box->accept();
      }
    });
    timer_.start();
  }
  std::vector<std::string> texts;
  QMessageBox::StandardButton answer = QMessageBox::Yes;

 private:
  QTimer timer_;
};

}  // namespace tracker::test
