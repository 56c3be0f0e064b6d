#include "app/editor/window_history.h"

#include <QLabel>
#include <QStatusBar>

#include "app/editor/history_dialog.h"
#include "app/editor/qt_window.h"
#include "base/sha256.h"
#include "engine/engine.h"
#include "engine/group_sections.h"
#include "history/kept_record.h"
#include "settings/settings_file.h"
#include "ui/qt/tform1.h"

namespace tracker {

WindowHistory::WindowHistory(Parts parts) : QObject(&parts.form), parts_(std::move(parts)) {
  note_ = new QLabel(&parts_.form);
  note_->setObjectName(QStringLiteral("HistoryNote"));
  parts_.form.statusBar()->addPermanentWidget(note_);
  Engine& engine = parts_.engine;
  engine.setCopyBefore(true);
  engine.onChanging = [this](const Operation&) { changing(); };
  engine.onChanged = [this](const Operation& operation, const std::string& box) {
    changed(operation, box);
  };
  const auto settledBefore = engine.onSettled;
  engine.onSettled = [this, settledBefore] {
    if (settledBefore) settledBefore();
    settled();
  };
}

WindowHistory::~WindowHistory() = default;

HistoryDb& WindowHistory::database() {
  if (!db_) {
    const std::string path = DefaultHistoryPath();
    if (path.empty()) throw EHistoryError("history.sqlite", "no home folder");
    db_ = std::make_unique<HistoryDb>(path);
  }
  return *db_;
}

void WindowHistory::changing() {
  // Nothing is sent while the history cannot take the record.
  database().checkWritable();
  started_ = std::chrono::steady_clock::now();
  startedAt_ = UtcNow();
  note_->clear();
}

void WindowHistory::changed(const Operation& operation, const std::string& box) {
  HistoryRecord record = KeptRecord(parts_.engine, parts_.controls, operation, box);
  record.time = startedAt_;
  record.host = HostName();
  record.user = UserName();
  record.program = "tracker-editor";
  record.version = TRACKER_VERSION;
  record.port = parts_.controls.text("ComboBox1");
  record.file = restoring_;
  record.fileSha256 = restoringSha_;
  record.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  if (record.result != "ok") restoreFailed_ = true;
  try {
    const std::int64_t id = database().add(record);
    note_->setText(QStringLiteral("%1: the copy before was kept (history record %2)")
                       .arg(QString::fromStdString(record.operation))
                       .arg(id));
  } catch (const EHistoryError& e) {
    note_->setText(
        QStringLiteral("%1: no record kept").arg(QString::fromStdString(record.operation)));
    parts_.window.showError(e.what());
  }
}

bool WindowHistory::load(const HistoryRecord& record) {
  if (record.before.empty()) {
    parts_.window.showError("Record " + std::to_string(record.id) +
                            " holds no copy of settings, only the device information.");
    return false;
  }
  return parts_.load(record.before, "record " + std::to_string(record.id));
}

void WindowHistory::restore(const HistoryRecord& record) {
  if (restoring() || parts_.engine.busy() || !load(record)) return;
  for (const std::string_view section : InspectSettingsText(record.before).sections) {
    const Operation* write =
        FindGroupOperation(OperationKind::Write, GroupsOfSection(section).front());
    if (write != nullptr) queue_.emplace_back(write->button);
  }
  restoring_ = "record " + std::to_string(record.id);
  restoringSha_ = Sha256Hex(record.before);
  boxes_.clear();
  restoreFailed_ = false;
  parts_.window.noticeTaker = [this](std::string_view text) {
    boxes_.emplace_back(text);
    return true;
  };
  settled();
}

void WindowHistory::settled() {
  if (!restoring() || parts_.engine.busy() || clicking_) return;
  if (queue_.empty() || restoreFailed_) {
    endRestore();
    return;
  }
  const std::string button = queue_.front();
  queue_.erase(queue_.begin());
  clicking_ = true;  // the click settles the engine too
  parts_.engine.click(button);
  clicking_ = false;
  if (parts_.engine.busy()) return;
  restoreFailed_ = true;  // refused before anything was sent: said in its own box
  endRestore();
}

void WindowHistory::endRestore() {
  parts_.window.noticeTaker = nullptr;
  std::string box = (restoreFailed_ ? "Restore of " : "Restored ") + restoring_ +
                    (restoreFailed_ ? " stopped:" : ":");
  for (const std::string& text : boxes_) box += "\n" + text;
  queue_.clear();
  restoring_.clear();
  restoringSha_.clear();
  parts_.window.showNotice(box);
}

void WindowHistory::showDialog() {
  HistoryDialog dialog(parts_.form, *this, parts_.controls.text("DeviceID"));
  dialog.exec();
}

}  // namespace tracker
