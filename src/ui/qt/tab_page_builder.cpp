#include "ui/qt/tab_page_builder.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollArea>

#include "codec/field_hints.h"
#include "ui/catalogue.h"

namespace tracker {
namespace {

struct Area {
  QWidget* widget;
  QGridLayout* grid;
  bool form;   // captioned fields: they keep a comfortable width
  bool table;  // columns under header labels: their fields sit centred
  bool fixed;  // nothing in it stretches: its columns keep to the left
};

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

template <typename Test>
bool AnyControlIn(const SectionSpec& s, Test test) {
  for (const ControlSpec& c : Catalogue()) {
    if (c.section == s.id && test(c)) return true;
  }
  return false;
}

// A field that takes the width its section gives it.
bool Stretches(const ControlSpec& c) {
  return (c.kind == ControlKind::Edit && c.chars == 0) || c.kind == ControlKind::Memo;
}

Area MakeArea(const SectionSpec& s, QWidget* parent) {
  QWidget* w = s.caption.empty() ? new QWidget(parent) : new QGroupBox(Q(s.caption), parent);
  w->setObjectName(Q(s.id));
  auto* grid = new QGridLayout(w);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  if (s.caption.empty()) grid->setContentsMargins(0, 0, 0, 0);
  const bool labels =
      AnyControlIn(s, [](const ControlSpec& c) { return c.kind == ControlKind::Label; });
  return {w, grid, s.caption.empty() && !labels,
          AnyControlIn(s, [](const ControlSpec& c) { return c.columnHeader; }),
          !AnyControlIn(s, Stretches)};
}

// Room for the digits of the largest value and the frame; never so narrow
// that a field looks like a box.
int FieldWidth(const QWidget* w, int chars) {
  constexpr int kFrame = 10;
  constexpr int kNarrowest = 40;
  return std::max(kNarrowest,
                  w->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + kFrame);
}

void ApplySizeHints(const ControlSpec& c, QWidget* w, bool form) {
  if (c.kind == ControlKind::Button) {
    w->setMinimumWidth(80);
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  }
  if (c.chars > 0) w->setFixedWidth(FieldWidth(w, c.chars));
  // A list is as wide as its longest item; the port list takes a path's width.
  if (c.kind == ControlKind::List) {
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (c.portList) w->setMinimumWidth(FieldWidth(w, 20));
  }
  const bool field = c.kind == ControlKind::Edit || c.kind == ControlKind::List;
  if (form && field && c.column == 1 && c.chars == 0) w->setMinimumWidth(180);
  // A text field grows no wider than its longest value needs.
  if (const std::size_t length = FieldHintFor(c.name).maxLength;
      c.kind == ControlKind::Edit && c.chars == 0 && length > 0) {
    const int needed = w->fontMetrics().averageCharWidth() * static_cast<int>(length) + 12;
    w->setMaximumWidth(std::max(needed, w->minimumWidth()));
  }
  if (c.kind == ControlKind::Memo) w->setMinimumSize(300, 360);
}

// A short field keeps its unit right beside it, whatever its column's width.
QWidget* FieldWithUnit(const ControlWidgets& cw, QWidget* parent) {
  auto* holder = new QWidget(parent);
  auto* row = new QHBoxLayout(holder);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);
  cw.widget->setParent(holder);
  cw.unit->setParent(holder);
  row->addWidget(cw.widget);
  row->addWidget(cw.unit);
  row->addStretch(1);
  return holder;
}

void PlaceControl(const ControlSpec& c, const ControlWidgets& cw, const Area& a) {
  QGridLayout* grid = a.grid;
  const Qt::Alignment labelAlign = Qt::AlignLeft | Qt::AlignVCenter;
  const Qt::Alignment fixedAlign = a.table ? Qt::AlignCenter : labelAlign;
  const bool unitBeside = c.chars > 0 && cw.unit != nullptr;
  if (c.kind == ControlKind::Memo) {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan);
    grid->setRowStretch(c.row, 1);
  } else if (c.kind == ControlKind::Check || c.columnHeader) {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan, Qt::AlignCenter);
  } else if (c.kind == ControlKind::Label) {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan, labelAlign);
  } else if (unitBeside) {
    grid->addWidget(FieldWithUnit(cw, a.widget), c.row, c.column, 1, c.columnSpan + 1);
  } else if (c.chars > 0 || c.kind == ControlKind::List) {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan, fixedAlign);
  } else {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan);
  }
  if (cw.label != nullptr) grid->addWidget(cw.label, c.row, c.column - 1, labelAlign);
  if (cw.unit != nullptr && !unitBeside) {
    grid->addWidget(cw.unit, c.row, c.column + c.columnSpan, labelAlign);
  }
}

// A row left empty on purpose (so that side-by-side groups line up) keeps the
// height of a row of fields.
void KeepEmptyRows(QGridLayout* grid) {
  // An empty row gets no spacing of its own, so it carries its share.
  const int height = QLineEdit().sizeHint().height() + grid->verticalSpacing();
  for (int row = 0; row < grid->rowCount(); ++row) {
    bool empty = true;
    for (int column = 0; column < grid->columnCount() && empty; ++column) {
      empty = grid->itemAtPosition(row, column) == nullptr;
    }
    if (empty) grid->setRowMinimumHeight(row, height);
  }
}

// Forms, and sections where nothing stretches, keep their columns to the
// left; a memo spans the spare width as well.
void KeepColumnsLeft(int tab, const QHash<QString, Area>& areas) {
  QHash<QString, int> lastColumn;
  for (const ControlSpec& c : Catalogue()) {
    if (c.tab != tab) continue;
    const int last = c.column + c.columnSpan - 1 + (c.unit.empty() ? 0 : 1);
    lastColumn[Q(c.section)] = std::max(lastColumn.value(Q(c.section)), last);
  }
  for (auto it = areas.cbegin(); it != areas.cend(); ++it) {
    if (it->form || it->fixed) it->grid->setColumnStretch(lastColumn.value(it.key()) + 1, 1);
    KeepEmptyRows(it->grid);
  }
}

}  // namespace

void BuildTabPage(int tab, QWidget* page, ControlMap& controls) {
  auto* pageLayout = new QVBoxLayout(page);
  auto* scroll = new QScrollArea(page);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* content = new QWidget(scroll);
  content->setAutoFillBackground(false);
  scroll->viewport()->setAutoFillBackground(false);
  auto* tabGrid = new QGridLayout(content);
  tabGrid->setContentsMargins(0, 0, 0, 0);
  tabGrid->setHorizontalSpacing(10);
  tabGrid->setVerticalSpacing(8);
  auto* foot = new QHBoxLayout;
  foot->addStretch(1);

  QHash<QString, Area> areas;
  int lastRow = 0;
  int columns = 0;
  for (const SectionSpec& s : Sections()) {
    if (s.tab != tab) continue;
    if (s.foot) {
      Area a = MakeArea(s, page);
      areas.insert(Q(s.id), a);
      foot->addWidget(a.widget);
      continue;
    }
    const bool top = s.parent.empty();
    Area a = MakeArea(s, top ? content : areas[Q(s.parent)].widget);
    areas.insert(Q(s.id), a);
    QGridLayout* into = top ? tabGrid : areas[Q(s.parent)].grid;
    into->addWidget(a.widget, s.row, s.column, s.rowSpan, s.columnSpan, Qt::AlignTop);
    if (top) lastRow = std::max(lastRow, s.row + s.rowSpan);
    if (top) columns = std::max(columns, s.column + s.columnSpan);
  }
  tabGrid->setRowStretch(lastRow, 1);
  // A wide window leaves the sections their own width: nothing stretches
  // across the screen.
  tabGrid->setColumnStretch(columns, 1);

  for (const ControlSpec& c : Catalogue()) {
    if (c.tab != tab) continue;
    const Area& a = areas[Q(c.section)];
    const ControlWidgets cw = CreateControl(c, a.widget);
    ApplySizeHints(c, cw.widget, a.form);
    PlaceControl(c, cw, a);
    controls.insert(Q(c.name), cw);
  }
  KeepColumnsLeft(tab, areas);

  scroll->setWidget(content);
  pageLayout->addWidget(scroll, 1);
  pageLayout->addLayout(foot);
}

}  // namespace tracker
