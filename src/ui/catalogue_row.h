#pragma once
// One catalogue row: everything the window, the codec and the settings file
// share about a control.

#include <string>
#include <vector>

namespace tracker {

enum class ControlKind { Edit, List, Check, Button, Memo, Label, GroupBox };

struct ControlSpec {
  std::string name;
  ControlKind kind = ControlKind::Edit;
  int tab = 0;           // 0 = "Info" … 10 = "DLT", in the fixed tab order
  std::string groupBox;  // caption of the titled group box, empty for none
  std::string caption;   // label beside it, or the caption of a button/check/label/group box
  std::string unit;      // unit label to the right, empty for none
  std::vector<std::string> items;  // list items in wire order
  std::string initialText;
  int initialIndex = -1;  // lists: initially selected item
  bool initialChecked = false;
  bool initiallyEnabled = true;
  bool initiallyShown = true;

  // Layout hints for the window: the section (see SectionSpec) holding the
  // control and its grid cell there. The caption label sits in the column to
  // the left, the unit label in the column to the right.
  std::string section;
  int row = 0;
  int column = 1;
  int columnSpan = 1;
  bool readOnly = false;  // shown but not editable by the user
  // Width of a short field in characters (digits of its largest value); 0:
  // the field takes the width its section gives it.
  int chars = 0;
  bool columnHeader = false;  // a label heading the column below it
  bool portList = false;      // the list of serial ports, refreshed as it drops down
  bool caution = false;       // a caption in the caution colour: the action cannot be undone
};

}  // namespace tracker
