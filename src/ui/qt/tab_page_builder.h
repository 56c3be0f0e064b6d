#pragma once
// Lays out one tab page from the catalogue: its sections as group boxes or
// plain areas in a grid, the controls in each section's grid, the foot
// sections (Read / Write) along the bottom.

#include <QHash>
#include <QString>
#include <QWidget>

#include "ui/qt/control_factory.h"

namespace tracker {

using ControlMap = QHash<QString, ControlWidgets>;

// Builds the controls of the tab into page and records them in controls.
void BuildTabPage(int tab, QWidget* page, ControlMap& controls);

}  // namespace tracker
