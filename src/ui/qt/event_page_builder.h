#pragma once
// The Event tab: a header of captioned boxes over the scroll box ScrollBox1,
// one row per event, rows shaded alternately.

#include <QScrollArea>
#include <QWidget>

#include "ui/qt/tab_page_builder.h"

namespace tracker {

// Builds the Event tab into page; returns ScrollBox1.
QScrollArea* BuildEventPage(int tab, QWidget* page, ControlMap& controls);

}  // namespace tracker
