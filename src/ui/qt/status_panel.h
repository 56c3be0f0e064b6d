#pragma once
// A panel of the status bar: shows as much of its text as fits, elided at the
// end, with the whole text as its tooltip.

#include <QLabel>

namespace tracker {

class StatusPanel : public QLabel {
  Q_OBJECT

 public:
  explicit StatusPanel(QWidget* parent) : QLabel(parent) {}

  void setFullText(const QString& text);
  const QString& fullText() const { return full_; }

  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void elide();

  QString full_;
};

}  // namespace tracker
