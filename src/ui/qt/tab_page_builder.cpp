#include "ui/qt/tab_page_builder.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QScrollArea>

#include "ui/catalogue.h"

namespace tracker {
namespace {

struct Area {
  QWidget* widget;
  QGridLayout* grid;
  bool form;
};

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// A form: an untitled section of captioned fields (no column headers). Its
// fields keep a comfortable width instead of running across the whole tab.
bool IsForm(const SectionSpec& s) {
  if (!s.caption.empty()) return false;
  for (const ControlSpec& c : Catalogue()) {
    if (c.section == s.id && c.kind == ControlKind::Label) return false;
  }
  return true;
}

Area MakeArea(const SectionSpec& s, QWidget* parent) {
  QWidget* w = s.caption.empty() ? new QWidget(parent) : new QGroupBox(Q(s.caption), parent);
  w->setObjectName(Q(s.id));
  auto* grid = new QGridLayout(w);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  if (s.caption.empty()) grid->setContentsMargins(0, 0, 0, 0);
  return {w, grid, IsForm(s)};
}

void ApplySizeHints(const ControlSpec& c, QWidget* w, bool form) {
  if (c.kind == ControlKind::Button) {
    w->setMinimumWidth(80);
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  }
  const bool field = c.kind == ControlKind::Edit || c.kind == ControlKind::List;
  if (form && field && c.column == 1) w->setMinimumWidth(180);
  if (c.name.starts_with("Licence") && c.kind == ControlKind::Edit) w->setFixedWidth(80);
  if (c.name.starts_with("AlarmTime") && c.kind == ControlKind::Edit) w->setFixedWidth(46);
  if (c.kind == ControlKind::Memo) w->setMinimumHeight(360);
  if (c.name.ends_with("Radius")) w->setMaximumWidth(90);
}

bool IsHeader(const ControlSpec& c) {
  return c.kind == ControlKind::Label && c.name.find("Head") != std::string::npos;
}

void PlaceControl(const ControlSpec& c, const ControlWidgets& cw, QGridLayout* grid) {
  const Qt::Alignment labelAlign = Qt::AlignLeft | Qt::AlignVCenter;
  if (c.kind == ControlKind::Memo) {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan);
    grid->setRowStretch(c.row, 1);
  } else if (c.kind == ControlKind::Check || IsHeader(c)) {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan, Qt::AlignCenter);
  } else if (c.kind == ControlKind::Label) {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan, labelAlign);
  } else {
    grid->addWidget(cw.widget, c.row, c.column, 1, c.columnSpan);
  }
  if (cw.label != nullptr) grid->addWidget(cw.label, c.row, c.column - 1, labelAlign);
  if (cw.unit != nullptr) grid->addWidget(cw.unit, c.row, c.column + c.columnSpan, labelAlign);
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
  }
  tabGrid->setRowStretch(lastRow, 1);

  for (const ControlSpec& c : Catalogue()) {
    if (c.tab != tab) continue;
    const Area& a = areas[Q(c.section)];
    const ControlWidgets cw = CreateControl(c, a.widget);
    ApplySizeHints(c, cw.widget, a.form);
    PlaceControl(c, cw, a.grid);
    controls.insert(Q(c.name), cw);
  }
  // Forms take their natural width; a memo spans the spare width as well.
  QHash<QString, int> lastColumn;
  for (const ControlSpec& c : Catalogue()) {
    if (c.tab != tab) continue;
    const int last = c.column + c.columnSpan - 1 + (c.unit.empty() ? 0 : 1);
    lastColumn[Q(c.section)] = std::max(lastColumn.value(Q(c.section)), last);
  }
  for (auto it = areas.cbegin(); it != areas.cend(); ++it) {
    if (it->form) it->grid->setColumnStretch(lastColumn.value(it.key()) + 1, 1);
    KeepEmptyRows(it->grid);
  }

  scroll->setWidget(content);
  pageLayout->addWidget(scroll, 1);
  pageLayout->addLayout(foot);
}

}  // namespace tracker
