#include "ui/qt/field_guard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

#include "codec/field_hints.h"
#include "ui/catalogue.h"

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

bool IsPaste(const QKeyEvent& key) {
  return key.matches(QKeySequence::Paste) ||
         (key.key() == Qt::Key_Insert && key.modifiers() == Qt::ShiftModifier);
}

// Shortcuts that edit without typing a character; the edit handles them.
bool IsEditingShortcut(const QKeyEvent& key) {
  for (const auto shortcut : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                              QKeySequence::Undo, QKeySequence::Redo}) {
    if (key.matches(shortcut)) return true;
  }
  return key.key() == Qt::Key_Insert && key.modifiers() == Qt::ControlModifier;  // copy
}

bool Filters(const FieldRule& rule) {
  return rule.filter != KeyFilter::None || rule.maxLength > 0;
}

QString ToolTip(const std::string& control, const FieldHint& hint) {
  if (hint.range.empty()) return {};
  const ControlSpec* spec = FindControl(control);
  const std::string unit = spec == nullptr || spec->unit.empty() ? "" : " " + spec->unit;
  return QString::fromStdString("Range: " + hint.range + unit);
}

}  // namespace

FieldGuard::FieldGuard(QObject* parent) : QObject(parent) {}

void FieldGuard::guard(QLineEdit* edit) {
  const std::string name = edit->objectName().toStdString();
  const FieldHint hint = FieldHintFor(name);
  FieldRule rule = FieldRuleFor(name);
  if (rule.filter == KeyFilter::None) rule.filter = hint.filter;
  // Not QLineEdit's own limit: that would cut a longer text the program sets,
  // which the encoder then could no longer refuse by name.
  if (rule.maxLength == 0) rule.maxLength = hint.maxLength;
  if (const QString tip = ToolTip(name, hint); !tip.isEmpty()) edit->setToolTip(tip);
  if (!Filters(rule) && !rule.refill) return;
  rules_.insert(edit, rule);
  // Dropped text would go round the filter.
  if (Filters(rule)) edit->setAcceptDrops(false);
  edit->installEventFilter(this);
}

void FieldGuard::paste(QLineEdit* edit, const FieldRule& rule) {
  if (edit->isReadOnly()) return;
  QString kept = edit->text();
  if (edit->hasSelectedText()) kept.remove(edit->selectionStart(), edit->selectedText().size());
  const std::string pasted =
      PastedText(rule, kept.toStdString(), QApplication::clipboard()->text().toStdString());
  edit->insert(QString::fromStdString(pasted));
}

void FieldGuard::guardMenu(QWidget* field) {
  if (menus_.contains(field)) return;
  menus_.insert(field, field);
  field->installEventFilter(this);
  if (auto* box = qobject_cast<QComboBox*>(field); box != nullptr && box->lineEdit() != nullptr) {
    menus_.insert(box->lineEdit(), field);
    box->lineEdit()->installEventFilter(this);
  }
}

// An edit's own menu, its Paste going through the filter; then the window's items.
void FieldGuard::showMenu(QWidget* field, QObject* watched, const QPoint& at) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  auto* memo = qobject_cast<QPlainTextEdit*>(watched);
  QMenu* menu = edit != nullptr   ? edit->createStandardContextMenu()
                : memo != nullptr ? memo->createStandardContextMenu()
                                  : new QMenu(field);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->setObjectName(QStringLiteral("FieldMenu"));
  const auto rule = rules_.constFind(watched);
  if (edit != nullptr && rule != rules_.constEnd() && Filters(*rule)) {
    if (auto* pasteAction = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
      pasteAction->disconnect();
      connect(pasteAction, &QAction::triggered, edit,
              [this, edit, rule = *rule] { paste(edit, rule); });
    }
  }
  if (extendMenu) extendMenu(field, *menu);
  if (menu->isEmpty()) {
    delete menu;
    return;
  }
  menu->popup(at);
}

bool FieldGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ContextMenu) {
    const auto field = menus_.constFind(watched);
    if (field != menus_.constEnd()) {
      showMenu(*field, watched, static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    }
  }
  const auto it = rules_.constFind(watched);
  if (it == rules_.constEnd()) return false;
  // Events still arrive while a window is torn down, when the edit is no
  // longer a QLineEdit.
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit == nullptr) return false;
  if (event->type() == QEvent::KeyPress && Filters(*it)) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (IsPaste(key)) {
      paste(edit, *it);
      return true;
    }
    if (IsEditingShortcut(key)) return false;
    const char32_t c = TypedCharacter(key);
    if (c == 0) return false;
    return !KeyAccepted(*it, edit->text().toStdString(), c);
  }
  if (event->type() == QEvent::ContextMenu && Filters(*it)) {
    showMenu(edit, edit, static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
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
