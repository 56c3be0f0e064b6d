#include "ui/qt/status_panel.h"

#include <QFontMetrics>

namespace tracker {

void StatusPanel::setFullText(const QString& text) {
  full_ = text;
  elide();
}

QSize StatusPanel::minimumSizeHint() const {
  // Any width will do: the text is elided to it.
  return {fontMetrics().averageCharWidth() * 4, QLabel::minimumSizeHint().height()};
}

void StatusPanel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  elide();
}

void StatusPanel::elide() {
  const int room = contentsRect().width() - 2 * margin() - 2 * indent();
  const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, std::max(room, 0));
  setText(shown);
  setToolTip(shown == full_ ? QString() : full_);
}

}  // namespace tracker
