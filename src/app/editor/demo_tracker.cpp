#include "app/editor/demo_tracker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sys/prctl.h>

#include <csignal>

namespace tracker {
namespace {

constexpr int kStartTimeoutMs = 5000;

// The simulator beside the editor, or where this build put it.
QString simulatorPath() {
  QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("tracker-sim");
  if (QFileInfo(beside).isExecutable()) return beside;
  return QStringLiteral(TRACKER_SIM_PATH);
}

}  // namespace

DemoTracker::~DemoTracker() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(2000)) process_.kill();
  process_.waitForFinished(1000);
}

bool DemoTracker::start(QString& error) {
  process_.setProgram(simulatorPath());
  // The simulator ends with the editor, even when the editor is killed.
  process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process_.start();
  if (!process_.waitForStarted(kStartTimeoutMs)) {
    error = QStringLiteral("Cannot start the simulated tracker (%1).").arg(simulatorPath());
    return false;
  }
  while (!process_.canReadLine()) {
    if (!process_.waitForReadyRead(kStartTimeoutMs)) {
      error = QStringLiteral("The simulated tracker did not report its port.");
      return false;
    }
  }
  port_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
  return !port_.isEmpty();
}

}  // namespace tracker
