#include "app/editor/find_tracker_view.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "serial/device_path.h"
#include "serial/port_enumerator.h"
#include "ui/qt/list_box.h"
#include "ui/qt/tform1.h"
#include "ui/qt/tool_bar.h"
#include "ui/window.h"

namespace tracker {
namespace {

const QString kCaption = QStringLiteral("Find Tracker");

QString devicePath(const QString& port) {
  return QString::fromStdString(CommDevicePath(port.toStdString()));
}

QString trackerOn(const TrackerFinder::Found& found) {
  const QString id =
      found.deviceId.isEmpty() ? QStringLiteral("(identifier not read)") : found.deviceId;
  const QString refused = found.codeRefused ? QStringLiteral(" (the code was refused)") : QString();
  return QStringLiteral("Tracker %1 on %2%3").arg(id, devicePath(found.port), refused);
}

}  // namespace

FindTrackerView::FindTrackerView(TForm1& form, const PortEnumerator& ports, Window& window)
    : QObject(&form), form_(form), ports_(ports), window_(window), finder_(this) {
  button_ = new QPushButton(kCaption);
  button_->setObjectName(QStringLiteral("FindTracker"));
  button_->setToolTip(QStringLiteral("Poll every serial port and select the one with a tracker"));
  button_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  auto* com = form.findChild<QGroupBox*>(QStringLiteral("ComGroup"));
  if (auto* grid = com == nullptr ? nullptr : qobject_cast<QGridLayout*>(com->layout())) {
    grid->addWidget(button_, 0, 2, Qt::AlignLeft | Qt::AlignVCenter);
  }
  action_ = new QAction(kCaption, this);
  action_->setObjectName(QStringLiteral("FindTrackerAction"));
  action_->setToolTip(button_->toolTip());
  // In the toolbar right after Open.
  QAction* before = nullptr;
  const QList<QAction*> actions = form.toolBar()->actions();
  for (qsizetype i = 0; i + 1 < actions.size(); ++i) {
    if (form.toolBar()->widgetForAction(actions[i]) ==
        form.findChild<QWidget*>(QStringLiteral("ToolBarOpen"))) {
      before = actions[i + 1];
    }
  }
  form.toolBar()->insertAction(before, action_);
  connect(button_, &QPushButton::clicked, this, &FindTrackerView::find);
  connect(action_, &QAction::triggered, this, &FindTrackerView::find);
  connect(&finder_, &TrackerFinder::finished, this, &FindTrackerView::show);
}

void FindTrackerView::setPortOpen(bool open) {
  portOpen_ = open;
  updateEnabled();
}

void FindTrackerView::updateEnabled() {
  const bool enabled = !portOpen_ && !finder_.running();
  button_->setEnabled(enabled);
  action_->setEnabled(enabled);
}

void FindTrackerView::find() {
  if (portOpen_ || finder_.running()) return;
  std::vector<QString> names;
  for (const PortInfo& info : ports_.presentPorts())
    names.push_back(QString::fromStdString(info.name));
  const QString code = form_.findChild<QLineEdit*>(QStringLiteral("AuthCode"))->text();
  form_.setPanelText(1, QStringLiteral("Finding the tracker..."));
  finder_.start(names, code);
  updateEnabled();
}

void FindTrackerView::show(const std::vector<TrackerFinder::Found>& found) {
  updateEnabled();
  if (found.empty()) {
    const QString text =
        QStringLiteral("No tracker answers on any port: check the cable and the tracker's power.");
    form_.setPanelText(1, text);
    window_.showNotice(text.toStdString());
    return;
  }
  PortComboBox* box = form_.portBox();
  const int index = box->findText(found.front().port);
  if (index >= 0) {
    box->setCurrentIndex(index);
  } else {
    box->setTypedText(found.front().port);
  }
  form_.setPanelText(1, trackerOn(found.front()));
  if (found.size() == 1) return;
  QString text = QStringLiteral("Trackers answer on %1 ports:").arg(found.size());
  for (const TrackerFinder::Found& f : found) text += QLatin1Char('\n') + trackerOn(f);
  text += QStringLiteral("\n%1 is selected.").arg(devicePath(found.front().port));
  window_.showNotice(text.toStdString());
}

}  // namespace tracker
