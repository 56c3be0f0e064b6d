#pragma once
// Every control of the window as data: the eleven tabs, their sections and the
// controls in them, in top-to-bottom, left-to-right order.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/catalogue_row.h"

namespace tracker {

inline constexpr int kTabCount = 11;

struct TabSpec {
  std::string_view name;     // "TabSheet1"
  std::string_view caption;  // "Info"
};

// The eleven tabs in their fixed order.
std::span<const TabSpec, kTabCount> Tabs();

// A rectangular area of a tab holding controls in a grid; a titled one is a
// group box. Sections sit in the grid of their parent section, or of the tab
// when they have none; a foot section sits at the bottom of its tab.
struct SectionSpec {
  std::string id;
  int tab = 0;
  std::string caption;  // group caption; empty for an untitled area
  std::string parent;   // enclosing section id; empty for the tab itself
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
  bool foot = false;
};

// Every section, parents before children.
const std::vector<SectionSpec>& Sections();

// Every control, in catalogue order (which is also the keyboard order).
const std::vector<ControlSpec>& Catalogue();

// The catalogue row of a control, or nullptr.
const ControlSpec* FindControl(std::string_view name);

// Named labels of the Interface tab's input rows (1 to 6).
std::string InputCaptionLabel(int input);  // "Label219" for input 1
std::string InputModeBox(int input);       // "In1Mode"
std::string InputTimeLabel(int input);     // "IN1ActiveTMLabel"
std::string InputTimeEdit(int input);      // "IN1ActiveTM"
std::string InputTimeUnit(int input);      // "IN1ActiveTMUnit"

}  // namespace tracker
