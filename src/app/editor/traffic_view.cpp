#include "app/editor/traffic_view.h"

#include <QMainWindow>

#include "app/editor/progress_bar.h"
#include "app/editor/traffic_dock.h"
#include "engine/engine.h"

namespace tracker {

TrafficView::TrafficView(QMainWindow& window, CommPort& port)
    : dock_(new TrafficDock(window)),
      bar_(new OperationProgressBar(window)),
      tap_(port, dock_->log()) {
  tap_.onProgress = [this] { bar_->showProgress(tap_.progress().current()); };
}

void TrafficView::attach(Engine& engine) {
  engine.onStatus = [this](std::string_view text) { tap_.log().status(text); };
  engine.onStart = [this, &engine](OperationId operation) {
    auto plan = engine.planOf(operation);
    if (!plan) return;
    tap_.progress().start(std::move(*plan));
    bar_->showProgress(tap_.progress().current());
  };
  engine.onSettled = [this, &engine] {
    if (engine.busy() || !tap_.progress().active()) return;
    tap_.progress().stop();
    bar_->showProgress(std::nullopt);
  };
}

}  // namespace tracker
