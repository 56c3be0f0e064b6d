// Shows the main window for screenshots or measures how fast it comes up.
//   tracker_window_probe [--tab N] [--quit-after MS] [--bench] [--size WxH] [--dark]
// --size resizes the window (to see how it uses space); --dark gives it a dark
// palette (to see that every colour follows the palette).
#ifndef _WIN32
#include <time.h>
#include <unistd.h>
#endif

#include <QApplication>
#include <QPalette>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "dark_palette.h"
#include "ui/qt/tform1.h"

namespace {

// Seconds since this process started, from the kernel's record of its start
// (--bench is measured on Linux only).
double SecondsSinceProcessStart() {
#ifdef _WIN32
  return 0;
#else
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in clock ticks
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - started;
#endif
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
    std::getline(status, key);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const double atMain = SecondsSinceProcessStart();
  QApplication app(argc, argv);
  const double atApp = SecondsSinceProcessStart();
  int tab = 0;
  int quitAfter = -1;
  bool bench = false;
  QSize size;
  const QStringList args = app.arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == "--tab" && i + 1 < args.size()) tab = args[++i].toInt();
    if (args[i] == "--quit-after" && i + 1 < args.size()) quitAfter = args[++i].toInt();
    if (args[i] == "--bench") bench = true;
    if (args[i] == "--size" && i + 1 < args.size()) {
      const QStringList wh = args[++i].split('x');
      if (wh.size() == 2) size = QSize(wh[0].toInt(), wh[1].toInt());
    }
    if (args[i] == "--dark") {
      QApplication::setStyle(QStringLiteral("Fusion"));
      QApplication::setPalette(tracker::DarkPalette());
    }
  }
  tracker::TForm1 form;
  const double atForm = SecondsSinceProcessStart();
  form.pageControl()->setCurrentIndex(tab);
  form.setPanelText(0, "Disconnect");
  form.setPanelText(1, "Idle");
  if (size.isValid()) {
    form.resize(size);
    form.move(0, 0);
  }
  form.show();
  if (bench) {
    while (!form.windowHandle()->isExposed()) app.processEvents(QEventLoop::WaitForMoreEvents);
    app.processEvents();
    std::printf(
        "window shown after %.0f ms (main %.0f, application %.0f, window built %.0f), "
        "resident memory %.1f MB\n",
        SecondsSinceProcessStart() * 1000.0, atMain * 1000.0, atApp * 1000.0, atForm * 1000.0,
        ResidentKilobytes() / 1024.0);
    return 0;
  }
  if (quitAfter >= 0) QTimer::singleShot(quitAfter, &app, &QApplication::quit);
  return app.exec();
}
