#pragma once
// Steps the screenshot probes share: waiting, shooting the window, and
// bringing the window to "Read All OK" against the simulated tracker.

#include <QAbstractButton>
#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include "app/editor/editor_controller.h"
#include "app/editor/event_pump.h"
#include "app/editor/read_back_view.h"
#include "ui/qt/tform1.h"

namespace tracker::test {

// Lets the window draw for `ms` milliseconds.
inline void Settle(int ms) {
  PumpUntil([] { return false; }, ms);
}

// The screen around the window and whatever stands over it.
inline bool Shoot(const QWidget& form, const QString& file) {
  const QRect area = form.frameGeometry().adjusted(-4, -4, 4, 4);
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
      .save(file);
}

// Opens the port typed in the port box, waits for the tracker to be known,
// then reads everything; false when either does not end in time.
inline bool OpenAndReadAll(TForm1& form, EditorController& controller, int timeoutMs = 15000) {
  const Engine& engine = controller.engine();
  form.button(QStringLiteral("OpenPort"))->click();
  if (!PumpUntil([&] { return engine.identified() && !engine.busy(); }, timeoutMs)) return false;
  form.button(QStringLiteral("ReadAll"))->click();
  return PumpUntil(
      [&] { return form.panelText(1) == QStringLiteral("Read All OK") && !engine.busy(); },
      timeoutMs);
}

// Types into the Main tab's Tow Time and Speed and the GPRS tab's APN as a
// technician would (the text, then the end of the edit).
inline void EditThreeFields(TForm1& form) {
  for (const auto& [name, value] :
       {std::pair{"TowTM", "30"}, std::pair{"Speed", "120"}, std::pair{"APN", "fleet.example"}}) {
    auto* field = form.findChild<QLineEdit*>(name);
    field->setText(value);
    emit field->editingFinished();
  }
}

// Compares the window with the tracker; false when no difference shows in time.
inline bool CompareWithTracker(EditorController& controller, int timeoutMs = 15000) {
  controller.readBack().compareAction()->trigger();
  return PumpUntil(
      [&] {
        return controller.readBack().marks().differCount() > 0 && !controller.engine().busy();
      },
      timeoutMs);
}

}  // namespace tracker::test
