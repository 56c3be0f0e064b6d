#pragma once
// "Find Tracker": polls every present port at once, each through an engine of
// its own over scratch controls, as the window's own engine would poll it,
// and reports the ports whose tracker answered with its identifier.

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

namespace tracker {

class PortEnumerator;

class TrackerFinder : public QObject {
  Q_OBJECT

 public:
  struct Found {
    QString port;
    QString deviceId;
    QString firmware;
    bool codeRefused = false;
  };

  explicit TrackerFinder(QObject* parent);
  ~TrackerFinder() override;

  // Polls the ports with the code; finished() follows within the limit.
  void start(const std::vector<QString>& ports, const QString& code);
  bool running() const { return !probes_.empty(); }

  static constexpr int kLimitMs = 3000;

 signals:
  void finished(const std::vector<tracker::TrackerFinder::Found>& found);

 private:
  struct Probe;
  void tick();
  void second();
  void check();
  void end();

  std::vector<std::unique_ptr<Probe>> probes_;
  QTimer ticks_;
  QTimer seconds_;
  QTimer limit_;
};

}  // namespace tracker
