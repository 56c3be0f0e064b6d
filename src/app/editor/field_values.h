#pragma once
// The fields the technician edits and what each holds, as a value that can be
// kept and put back (undo, revert, reset); going to a field (Find, the Changes
// dock): its tab shown, the field focused and outlined for a moment.

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "codec/group_row.h"
#include "ui/controls.h"

class QObject;
class QWidget;

namespace tracker {

class TForm1;

struct FieldValue {
  std::string text;  // edits, memos and typed lists
  int index = -1;    // lists: the selected item
  bool checked = false;
  bool operator==(const FieldValue&) const = default;
};

// Every field a write carries, in catalogue order, each once.
const std::vector<std::string>& EditedFields();
// The group whose write carries the field (Main: its first range that does).
Group GroupOfField(const std::string& control);

FieldValue ReadField(const Controls& controls, const std::string& control);
void WriteField(Controls& controls, const std::string& control, const FieldValue& value);

// Shows the field's tab (and scrolls the Event table to it), focuses it and
// outlines it for a moment.
void GoToField(TForm1& form, const QString& control);

// Calls `changed` whenever the field's value changes (typed, chosen, toggled),
// for as long as `context` lives.
void WatchField(QWidget* field, QObject* context, const std::function<void()>& changed);

}  // namespace tracker
