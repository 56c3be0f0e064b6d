#include "ui/qt/field_guard.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

namespace tracker {
namespace {

// The character a key press would type, or 0 when it types nothing (arrows,
// Tab, Delete, function keys), which no filter looks at.
char32_t TypedCharacter(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return 0;
    case Qt::Key_Backspace:
      return kBackspace;
    default:
      break;
  }
  const QList<uint> text = key.text().toUcs4();
  if (text.isEmpty()) return 0;
  char32_t c = text.front();
  // Ctrl+letter types a control character (Ctrl+C is 3), whatever text the
  // platform reports with it.
  const auto mods = key.modifiers();
  if (mods.testFlag(Qt::ControlModifier) && !mods.testFlag(Qt::AltModifier) && c < 0x80 &&
      QChar(c).isLetter()) {
    c = QChar(c).toUpper().unicode() & 0x1F;
  }
  return c;
}

}  // namespace

FieldGuard::FieldGuard(QObject* parent) : QObject(parent) {}

void FieldGuard::guard(QLineEdit* edit) {
  const FieldRule rule = FieldRuleFor(edit->objectName().toStdString());
  if (rule.filter == KeyFilter::None && !rule.refill) return;
  rules_.insert(edit, rule);
  edit->installEventFilter(this);
}

bool FieldGuard::eventFilter(QObject* watched, QEvent* event) {
  const auto it = rules_.constFind(watched);
  if (it == rules_.constEnd()) return false;
  // Events still arrive while a window is torn down, when the edit is no
  // longer a QLineEdit.
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit == nullptr) return false;
  if (event->type() == QEvent::KeyPress) {
    const char32_t c = TypedCharacter(*static_cast<QKeyEvent*>(event));
    if (c == 0) return false;
    return !KeyAccepted(it->filter, edit->text().toStdString(), c);
  }
  if (event->type() == QEvent::FocusOut && it->refill && edit->text().isEmpty()) {
    edit->setText(
        QString::fromUtf8(it->refill->data(), static_cast<qsizetype>(it->refill->size())));
  }
  return false;
}

WheelRelay::WheelRelay(QScrollArea* target, QObject* parent) : QObject(parent), target_(target) {}

void WheelRelay::watch(QWindow* window) {
  if (window != nullptr) window->installEventFilter(this);
}

bool WheelRelay::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::Wheel || target_ == nullptr) return false;
  const auto* wheel = static_cast<QWheelEvent*>(event);
  const int delta =
      wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
  target_->verticalScrollBar()->triggerAction(delta < 0 ? QAbstractSlider::SliderSingleStepAdd
                                                        : QAbstractSlider::SliderSingleStepSub);
  return false;
}

}  // namespace tracker
