#include "app/editor/write_changes.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "app/editor/field_marks.h"
#include "app/editor/field_values.h"
#include "app/editor/qt_window.h"
#include "app/editor/undo_stack.h"
#include "engine/engine.h"
#include "ui/qt/tform1.h"
#include "ui/qt/tool_bar.h"

namespace tracker {
namespace {

struct GroupWrite {
  Group group;
  const char* button;
  const char* caption;
};

// Each group's Write button (Main's writes both ranges), in Write All order.
constexpr GroupWrite kWrites[] = {
    {Group::Gprs, "GPRSWrite", "GPRS"},         {Group::MainA, "MainWrite", "Main"},
    {Group::MainB, "MainWrite", "Main"},        {Group::Interface, "InterfaceWrite", "Interface"},
    {Group::Temperature, "Temp_Write", "Temp"}, {Group::Wifi, "WIFI_Write", "WiFi"},
    {Group::Sms, "SMSWrite", "Auth"},           {Group::Geo, "GEOFenceWrite", "GEO"},
    {Group::Event, "EventWrite", "Event"},      {Group::Dlt, "DLTWrite", "DLT"},
};

std::string captionOf(const std::string& button) {
  for (const GroupWrite& w : kWrites) {
    if (button == w.button) return w.caption;
  }
  return button;
}

std::string join(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

}  // namespace

WriteChanges::WriteChanges(TForm1& form, Engine& engine, QtWindow& window, const FieldMarks& marks,
                           const FieldUndo& undo)
    : QObject(&form), form_(form), engine_(engine), window_(window), marks_(marks), undo_(undo) {
  action_ = new QAction(QStringLiteral("Write Changes"), this);
  action_->setObjectName(QStringLiteral("WriteChanges1"));
  action_->setToolTip(QStringLiteral("Write only the groups that hold changed fields"));
  if (auto* edit = form.findChild<QMenu*>(QStringLiteral("Edit1"))) {
    QAction* compare = form.findChild<QAction*>(QStringLiteral("CompareWithTracker"));
    edit->insertAction(compare, action_);
  }
  form.toolBar()->insertAction(form.toolBar()->writeAllAction(), action_);
  connect(action_, &QAction::triggered, this, &WriteChanges::start);
  updateEnabled();
}

std::vector<std::string> WriteChanges::changedFields() const {
  std::vector<std::string> fields;
  for (const std::string& control : EditedFields()) {
    const QString name = QString::fromStdString(control);
    const auto held = undo_.trackerValue(name);
    const bool changed =
        marks_.changed(name) || (held && *held != ReadField(engine_.controls(), control));
    if (changed) fields.push_back(control);
  }
  return fields;
}

void WriteChanges::updateEnabled() {
  const QAbstractButton* writeAll = form_.button(QStringLiteral("WriteAll"));
  action_->setEnabled(!running() && writeAll != nullptr && writeAll->isEnabled() &&
                      !engine_.busy());
}

void WriteChanges::start() {
  if (running() || engine_.busy()) return;
  const std::vector<std::string> fields = changedFields();
  if (fields.empty()) {
    window_.showNotice("Nothing to write: no field differs from what was read, loaded or written.");
    return;
  }
  queue_.clear();
  for (const GroupWrite& w : kWrites) {
    const bool holds = std::any_of(fields.begin(), fields.end(), [&](const std::string& c) {
      return GroupOfField(c) == w.group;
    });
    const bool shown = w.group != Group::Dlt || window_.dltTabShown();
    if (holds && shown && std::find(queue_.begin(), queue_.end(), w.button) == queue_.end()) {
      queue_.emplace_back(w.button);
    }
  }
  fields_ = static_cast<int>(fields.size());
  boxes_.clear();
  written_.clear();
  failed_ = false;
  window_.noticeTaker = [this](std::string_view text) { return takeNotice(text); };
  next();
}

bool WriteChanges::takeNotice(std::string_view text) {
  if (current_.empty()) return false;
  boxes_.emplace_back(text);
  const std::string_view first = text.substr(0, text.find('\n'));
  failed_ = !first.ends_with("Completed!") || text.find("Verify failed") != std::string::npos ||
            text.find("Not verified") != std::string::npos;
  return true;
}

void WriteChanges::next() {
  updateEnabled();
  if (queue_.empty()) {
    const std::string count = std::to_string(fields_) + (fields_ == 1 ? " field" : " fields");
    std::string box = "Write Changes Completed! " + count + " written (" + join(written_) + ").";
    if (engine_.verifyAfterWriting()) box += "\nVerified";
    end(box);
    return;
  }
  current_ = queue_.front();
  queue_.erase(queue_.begin());
  boxes_.clear();
  engine_.click(current_);
}

void WriteChanges::settled() {
  if (current_.empty() || engine_.busy()) return;
  const std::string button = std::exchange(current_, {});
  if (boxes_.empty() || failed_) {
    std::string box = "Write Changes stopped at " + captionOf(button) + ":\n" +
                      (boxes_.empty() ? std::string("nothing was sent.") : boxes_.back());
    if (!written_.empty()) box += "\nWritten before: " + join(written_) + ".";
    queue_.clear();
    end(box);
    return;
  }
  written_.push_back(captionOf(button));
  // The next click starts from a settled engine, outside this handler.
  QTimer::singleShot(0, this, &WriteChanges::next);
}

void WriteChanges::end(const std::string& box) {
  current_.clear();
  window_.noticeTaker = nullptr;
  updateEnabled();
  window_.showNotice(box);
}

}  // namespace tracker
