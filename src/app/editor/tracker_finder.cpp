#include "app/editor/tracker_finder.h"

#include <algorithm>

#include "engine/engine.h"
#include "engine/tcomm_port.h"
#include "serial/comm.h"
#include "serial/port_enumerator.h"
#include "ui/memory_controls.h"
#include "ui/window.h"

namespace tracker {
namespace {

constexpr int kTickMs = 10;
constexpr int kSecondMs = 1000;

// The window of a probe: nothing is shown; a refused code is noted.
class SilentWindow : public Window {
 public:
  void setPanelText(int panel, std::string_view text) override {
    if (panel == 0) connection = text;
  }
  std::string panelText(int panel) const override { return panel == 0 ? connection : ""; }
  void setCaption(std::string_view) override {}
  void showNotice(std::string_view) override {}
  bool askYesNo(std::string_view) override { return false; }
  void showError(std::string_view) override {}
  bool dltTabShown() const override { return true; }

  std::string connection;
};

}  // namespace

struct TrackerFinder::Probe {
  explicit Probe(QObject* owner)
      : comm([owner](std::function<void()> task) {
          QMetaObject::invokeMethod(owner, std::move(task), Qt::QueuedConnection);
        }),
        port(comm),
        engine(controls, window, port) {
    comm.applyComm1Values();
    comm.OnReceiveData = [this](TComm&, const std::uint8_t* bytes, std::uint16_t length) {
      engine.guarded([&] { engine.Comm1ReceiveData({bytes, length}); });
    };
    comm.OnRequestHangup = [this](TComm&) {
      engine.guarded([this] { engine.Comm1RequestHangup(); });
    };
    engine.guarded([this] { engine.FormCreate(FixedPortEnumerator({}), std::string()); });
  }
  ~Probe() { comm.CloseComm(); }

  // The tracker answered the poll: it took the code, or refused it.
  bool answered() const { return engine.identified() || refused(); }
  bool refused() const { return window.connection == "Auth Code Error"; }
  // Answered, with the identifier read (or its read ended).
  bool done() const { return answered() && engine.state().activity != Activity::Identifying; }

  MemoryControls controls;
  SilentWindow window;
  TComm comm;
  TCommPort port;
  Engine engine;
  QString name;
};

TrackerFinder::TrackerFinder(QObject* parent) : QObject(parent) {
  ticks_.setInterval(kTickMs);
  seconds_.setInterval(kSecondMs);
  limit_.setSingleShot(true);
  limit_.setInterval(kLimitMs);
  connect(&ticks_, &QTimer::timeout, this, &TrackerFinder::tick);
  connect(&seconds_, &QTimer::timeout, this, &TrackerFinder::second);
  connect(&limit_, &QTimer::timeout, this, &TrackerFinder::end);
}

TrackerFinder::~TrackerFinder() = default;

void TrackerFinder::start(const std::vector<QString>& ports, const QString& code) {
  if (running()) return;
  for (const QString& name : ports) {
    auto probe = std::make_unique<Probe>(this);
    probe->name = name;
    probe->controls.setText("ComboBox1", name.toStdString());
    probe->controls.setText("AuthCode", code.toStdString());
    probe->engine.guarded([&] { probe->engine.click("OpenPort"); });
    // A port that cannot be opened (busy, gone) takes no part.
    if (probe->engine.state().PortOpened && probe->comm.isOpen()) {
      probes_.push_back(std::move(probe));
    }
  }
  if (probes_.empty()) {
    QMetaObject::invokeMethod(
        this, [this] { emit finished({}); }, Qt::QueuedConnection);
    return;
  }
  ticks_.start();
  seconds_.start();
  limit_.start();
}

void TrackerFinder::tick() {
  for (auto& probe : probes_) probe->engine.guarded([&] { probe->engine.Timer1Timer(); });
  check();
}

void TrackerFinder::second() {
  for (auto& probe : probes_) probe->engine.guarded([&] { probe->engine.Timer2Timer(); });
}

void TrackerFinder::check() {
  // Done early once every port has either answered or been lost.
  const bool settled = std::all_of(probes_.begin(), probes_.end(), [](const auto& probe) {
    return probe->done() || !probe->engine.state().PortOpened;
  });
  if (settled) end();
}

void TrackerFinder::end() {
  ticks_.stop();
  seconds_.stop();
  limit_.stop();
  std::vector<Found> found;
  for (const auto& probe : probes_) {
    if (!probe->answered()) continue;
    // A tracker that refused the code reads nothing more; its IMEI names it.
    std::string id = probe->controls.text("DeviceID");
    if (id.empty()) id = probe->controls.text("IMEI");
    found.push_back({probe->name, QString::fromStdString(id),
                     QString::fromStdString(probe->controls.text("Firmware")), probe->refused()});
  }
  probes_.clear();  // closes every port
  emit finished(found);
}

}  // namespace tracker
