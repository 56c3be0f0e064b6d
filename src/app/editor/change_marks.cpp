#include "app/editor/change_marks.h"

#include <algorithm>

#include "app/editor/field_marks.h"
#include "app/editor/field_values.h"
#include "codec/field_hints.h"
#include "engine/field_compare.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

constexpr std::string_view kDiscardQuestion =
    "The window holds changes that are neither written nor saved. Discard them?";
const QString kMark = QStringLiteral("*");

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

ChangeMarks::ChangeMarks(TForm1& form, const Controls& controls, Window& window, FieldMarks& marks,
                         std::function<bool()> engineActive)
    : QObject(&form),
      form_(form),
      controls_(controls),
      window_(window),
      marks_(marks),
      engineActive_(std::move(engineActive)) {
  // The fields a write carries: what a change can be lost from.
  for (const Group group : AllGroups()) {
    for (const std::string& control : ReadControls(group, true)) {
      const QString name = Q(control);
      const QString value = valueOf(name);
      baselines_.insert(name, Baseline{value, value, value});
      watch(name);
    }
  }
}

QString ChangeMarks::valueOf(const QString& control) const {
  return Q(ValueText(control.toStdString(), controls_, FieldNaming::Settings));
}

void ChangeMarks::watch(const QString& control) {
  WatchField(form_.control(control), this, [this, control] { onChange(control); });
}

void ChangeMarks::onChange(const QString& control) {
  Baseline& base = baselines_[control];
  const QString value = valueOf(control);
  // A value the engine put there (a Read, a Load, the model's defaults) is
  // where the window now stands, not a change of the technician's.
  if (engineActive_()) base.marked = base.tracker = base.file = value;
  refresh(control, base, value);
  // Refused as soon as it is typed, as the write would refuse it.
  const std::string name = control.toStdString();
  marks_.setProblem(control, Q(FieldTextProblem(name, controls_.text(name))));
}

void ChangeMarks::refresh(const QString& control, Baseline& base, const QString& value) {
  marks_.setChanged(control, value != base.marked);
  const bool unsaved = value != base.tracker && value != base.file;
  if (unsaved != base.unsaved) {
    base.unsaved = unsaved;
    unsavedCount_ += unsaved ? 1 : -1;
    updateTitle();
  }
}

void ChangeMarks::synced(const std::vector<Group>& groups,
                         const std::vector<std::string>& notKept) {
  for (const Group group : groups) {
    for (const std::string& control : ReadControls(group, true)) {
      if (std::find(notKept.begin(), notKept.end(), control) != notKept.end()) continue;
      const QString name = Q(control);
      Baseline& base = baselines_[name];
      const QString value = valueOf(name);
      base.marked = base.tracker = value;
      refresh(name, base, value);
    }
  }
}

void ChangeMarks::loaded() {
  for (auto it = baselines_.begin(); it != baselines_.end(); ++it) {
    const QString value = valueOf(it.key());
    it->marked = it->file = value;
    refresh(it.key(), *it, value);
  }
}

void ChangeMarks::saved() {
  for (auto it = baselines_.begin(); it != baselines_.end(); ++it) {
    const QString value = valueOf(it.key());
    it->file = value;
    refresh(it.key(), *it, value);
  }
}

void ChangeMarks::updateTitle() {
  QString title = form_.windowTitle();
  if (title.startsWith(kMark)) title.remove(0, 1);
  form_.setWindowTitle(unsaved() ? kMark + title : title);
}

bool ChangeMarks::confirmDiscard() {
  return !unsaved() || window_.askYesNo(kDiscardQuestion);
}

}  // namespace tracker
