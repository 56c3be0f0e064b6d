#include "app/editor/editor_aids.h"

#include "engine/operation_table.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include "app/editor/changes_dock.h"
#include "app/editor/find_bar.h"
#include "app/editor/find_tracker_view.h"
#include "app/editor/qt_window.h"
#include "app/editor/read_back_view.h"
#include "app/editor/recent_files.h"
#include "app/editor/undo_stack.h"
#include "app/editor/write_changes.h"
#include "engine/engine.h"
#include "serial/comm.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

constexpr std::string_view kWriteStartUpQuestion =
    "The window holds the start-up values, not read from this tracker nor loaded from a file. "
    "Write them to the tracker?";
// A code is tried once the technician pauses, not at every key.
constexpr int kAuthCodePauseMs = 600;

}  // namespace

EditorAids::EditorAids(const Parts& parts)
    : QObject(&parts.form), parts_(parts), readAllNotes_(parts.window) {
  Engine& engine = parts.engine;
  undo_ = new FieldUndo(parts.form, parts.controls, [&engine] { return engine.inHandler(); });
  changes_ = new ChangesDock(parts.form, parts.controls, parts.readBack.marks(), *undo_);
  find_ = new FindBar(parts.form, parts.controls);
  recent_ = new RecentFiles(parts.form, parts.preferences, parts.loadFile);
  findTracker_ = new FindTrackerView(parts.form, parts.ports, parts.window);
  writeChanges_ =
      new WriteChanges(parts.form, parts.engine, parts.window, parts.readBack.marks(), *undo_);
  parts.form.setFieldMenuExtension(
      [this](const QString& control, QMenu& menu) { undo_->extendMenu(control, menu); });
  connect(undo_, &FieldUndo::fieldChanged, changes_, &ChangesDock::refreshSoon);
  parts.window.noticeAddition = [this] { return readAllNotes_.boxAddition(); };
  buildMenus();
  hookEngine();

  // A code typed while the port is open is tried at once, without waiting
  // for the next half-second poll or after a refused one.
  authCodeTyped_.setSingleShot(true);
  authCodeTyped_.setInterval(kAuthCodePauseMs);
  const auto tryCode = [this] {
    authCodeTyped_.stop();
    parts_.engine.guarded([this] { parts_.engine.AuthCodeChange(); });
  };
  // Typed on the Info tab or into its twin in the toolbar.
  for (const QString& name : {QStringLiteral("AuthCode"), QStringLiteral("ToolBarAuthCode")}) {
    auto* code = parts.form.findChild<QLineEdit*>(name);
    connect(code, &QLineEdit::textEdited, &authCodeTyped_, qOverload<>(&QTimer::start));
    connect(code, &QLineEdit::editingFinished, this, [this, tryCode] {
      if (authCodeTyped_.isActive()) tryCode();
    });
  }
  connect(&authCodeTyped_, &QTimer::timeout, this, tryCode);
}

void EditorAids::buildMenus() {
  QMenu* edit = parts_.form.findChild<QMenu*>(QStringLiteral("Edit1"));
  QAction* first = edit->actions().value(0);
  edit->insertAction(first, undo_->undoAction());
  edit->insertAction(first, undo_->redoAction());
  edit->insertSeparator(first);
  // The find action put itself first; it goes after Undo and Redo.
  edit->removeAction(find_->findAction());
  edit->insertAction(first, find_->findAction());
  edit->insertSeparator(first);
  parts_.form.addAction(undo_->undoAction());
  parts_.form.addAction(undo_->redoAction());
}

void EditorAids::hookEngine() {
  Engine& engine = parts_.engine;
  const auto start = engine.onStart;
  engine.onStart = [this, start](OperationId id) {
    if (start) start(id);
    readAllNotes_.clicked(OperationOf(id).button);
  };
  const auto settledBefore = engine.onSettled;
  engine.onSettled = [this, settledBefore] {
    if (settledBefore) settledBefore();
    settled();
  };
  const auto synced = engine.onGroupsSynced;
  engine.onGroupsSynced = [this, synced](const std::vector<Group>& groups) {
    if (synced) synced(groups);
    Engine& e = parts_.engine;
    std::vector<std::string> notKept;
    if (e.verifying()) {
      for (const FieldDifference& d : e.lastVerification().mismatches) notKept.push_back(d.control);
    }
    undo_->synced(groups, notKept);
    readAllNotes_.synced(groups);
    if (e.state().activity == Activity::Reading && !e.verifying()) holdsValues_ = true;
    changes_->refreshSoon();
  };
  const auto compared = engine.onCompared;
  engine.onCompared = [this, compared](const std::vector<FieldDifference>& differences) {
    if (compared) compared(differences);
    changes_->refreshSoon();
  };
}

void EditorAids::settled() {
  findTracker_->setPortOpen(parts_.comm.isOpen());
  writeChanges_->updateEnabled();
  if (parts_.engine.busy()) return;
  writeChanges_->settled();
  undo_->engineSettled();
  readAllNotes_.settled();
}

void EditorAids::started(const QString& startupFile, bool loaded) {
  undo_->engineSettled();
  undo_->stack().clear();
  holdsValues_ = loaded;
  if (loaded) recent_->loaded(startupFile, true);
  findTracker_->setPortOpen(parts_.comm.isOpen());
}

void EditorAids::loaded(const QString& path) {
  holdsValues_ = true;
  recent_->loaded(path);
  parts_.readBack.clearMarks();
  changes_->refreshSoon();
}

void EditorAids::loadedCopy() {
  holdsValues_ = true;
  parts_.readBack.clearMarks();
  changes_->refreshSoon();
}

void EditorAids::saved(const QString& path) {
  recent_->saved(path);
}

bool EditorAids::mayWriteAll() {
  return holdsValues_ || parts_.window.askYesNo(kWriteStartUpQuestion);
}

}  // namespace tracker
