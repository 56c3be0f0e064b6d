#include "ui/qt/event_page_builder.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <array>
#include <numeric>

#include "ui/catalogue.h"
#include "ui/event_rows.h"

namespace tracker {
namespace {

constexpr int kLabelWidth = 150;
constexpr int kNameWidth = 136;
constexpr int kRowHeight = 24;
constexpr int kNameGrowth = 2;  // the name column at most this many times its width

// Every other row is shaded: the base colour tinted with the highlight, so
// that light and dark themes both keep their text readable.
QColor RowShade(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Base);
  const QColor tint = palette.color(QPalette::Highlight);
  constexpr double kTint = 0.15;
  const auto mix = [&](int b, int t) { return static_cast<int>(b + (t - b) * kTint); };
  return QColor(mix(base.red(), tint.red()), mix(base.green(), tint.green()),
                mix(base.blue(), tint.blue()));
}

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Widths of the sixteen columns: label, name, then the fourteen checks.
std::array<int, 16> ColumnWidths(const QFontMetrics& fm) {
  std::array<int, 16> w{};
  w[0] = kLabelWidth;
  w[1] = kNameWidth;
  const int check = std::max(26, fm.horizontalAdvance("moni") + 6);
  for (std::size_t i = 2; i < w.size(); ++i) w[i] = check;
  w[15] = std::max(check, fm.horizontalAdvance("Camera") + 8);  // alone under "Camera"
  return w;
}

QLabel* HeaderBox(const QString& text, int width, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Raised);
  l->setAlignment(Qt::AlignCenter);
  l->setFixedWidth(width);
  l->setMinimumHeight(20);
  return l;
}

// The name column widens with the window, up to twice its width; every
// other column keeps its own.
void Widens(QWidget* w, int width) {
  w->setMinimumWidth(width);
  w->setMaximumWidth(kNameGrowth * width);
  w->setSizePolicy(QSizePolicy::Expanding, w->sizePolicy().verticalPolicy());
}

// scrollBar: the width of the rows' scroll bar, which the header stands over.
QWidget* BuildHeader(const std::array<int, 16>& w, int scrollBar, QWidget* parent) {
  auto* header = new QWidget(parent);
  auto* grid = new QGridLayout(header);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(HeaderBox("Event", w[0], header), 0, 0, 2, 1);
  QLabel* name = HeaderBox("SMS Alarm Name", w[1], header);
  Widens(name, w[1]);
  grid->addWidget(name, 0, 1, 2, 1);
  struct Top {
    const char* caption;
    int first, count;
  };
  const Top tops[] = {{"GPRS", 2, 2},       {"Auth No.1", 4, 3}, {"Auth No.2", 7, 3},
                      {"Auth No.3", 10, 3}, {"Output", 13, 2},   {"Camera", 15, 1}};
  for (const Top& t : tops) {
    const int width = std::accumulate(w.begin() + t.first, w.begin() + t.first + t.count, 0);
    grid->addWidget(HeaderBox(t.caption, width, header), 0, t.first, 1, t.count);
  }
  for (const EventColumnInfo& col : EventColumns()) {
    const int c = 2 + static_cast<int>(col.column);
    grid->addWidget(HeaderBox(Q(col.header), w[static_cast<std::size_t>(c)], header), 1, c);
  }
  grid->addItem(new QSpacerItem(scrollBar, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), 0, 16);
  grid->setColumnStretch(1, 1);
  return header;
}

QWidget* BuildRow(const EventRow& e, int index, const std::array<int, 16>& w, QWidget* parent,
                  ControlMap& controls) {
  auto* row = new QWidget(parent);
  if (index % 2 == 0) {
    row->setAutoFillBackground(true);
    QPalette p = row->palette();
    p.setColor(QPalette::Window, RowShade(p));
    row->setPalette(p);
  }
  row->setFixedHeight(kRowHeight);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(0);
  auto* label = new QLabel(Q(EventRowLabel(e)), row);
  label->setFixedWidth(w[0]);
  label->setIndent(4);
  h->addWidget(label);
  if (e.nameEdit.empty()) {
    h->addItem(new QSpacerItem(w[1], 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
  } else {
    ControlSpec spec = *FindControl(e.nameEdit);
    spec.caption.clear();  // the row label above stands beside the edit
    ControlWidgets cw = CreateControl(spec, row);
    cw.label = label;
    label->setBuddy(cw.widget);
    AttachLabels(cw.widget, cw.label, cw.unit);
    Widens(cw.widget, w[1] - 4);
    h->addWidget(cw.widget, 1);
    h->addSpacing(4);
    controls.insert(cw.widget->objectName(), cw);
  }
  for (const EventColumnInfo& col : EventColumns()) {
    const int width = w[2 + static_cast<std::size_t>(col.column)];
    const ControlSpec* spec = FindControl(EventCheckName(e, col.column));
    if (spec == nullptr) {
      h->addSpacing(width);
      continue;
    }
    ControlWidgets cw = CreateControl(*spec, row);
    const int cbw = cw.widget->sizeHint().width();
    cw.widget->setFixedWidth(cbw);
    const int left = (width - cbw) / 2;
    h->addSpacing(left);
    h->addWidget(cw.widget);
    h->addSpacing(width - cbw - left);
    controls.insert(cw.widget->objectName(), cw);
  }
  return row;
}

}  // namespace

QScrollArea* BuildEventPage(int tab, QWidget* page, ControlMap& controls) {
  auto* layout = new QVBoxLayout(page);
  layout->setSpacing(0);
  const std::array<int, 16> w = ColumnWidths(page->fontMetrics());
  // The header and the rows as one table, centred when the window is wider.
  auto* table = new QWidget(page);
  auto* tableLayout = new QVBoxLayout(table);
  tableLayout->setContentsMargins(0, 0, 0, 0);
  tableLayout->setSpacing(0);
  auto* scroll = new QScrollArea(table);
  scroll->setObjectName("ScrollBox1");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* rows = new QWidget(scroll);
  auto* v = new QVBoxLayout(rows);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  int index = 0;
  for (const EventRow& e : EventRows()) v->addWidget(BuildRow(e, index++, w, rows, controls));
  v->addStretch(1);
  scroll->setWidget(rows);
  scroll->verticalScrollBar()->setSingleStep(kRowHeight);
  const int scrollBar = scroll->verticalScrollBar()->sizeHint().width();
  tableLayout->addWidget(BuildHeader(w, scrollBar, table));
  tableLayout->addWidget(scroll, 1);
  const int tableWidth = std::accumulate(w.begin(), w.end(), 0) + scrollBar;
  table->setMaximumWidth(tableWidth + (kNameGrowth - 1) * w[1]);
  auto* centre = new QHBoxLayout;
  centre->addStretch(1);
  centre->addWidget(table, 100);
  centre->addStretch(1);
  layout->addLayout(centre, 1);

  auto* foot = new QHBoxLayout;
  foot->addStretch(1);
  for (const ControlSpec& c : Catalogue()) {
    if (c.tab != tab || c.kind != ControlKind::Button) continue;
    ControlWidgets cw = CreateControl(c, page);
    cw.widget->setMinimumWidth(72);
    foot->addWidget(cw.widget);
    controls.insert(cw.widget->objectName(), cw);
  }
  layout->addSpacing(6);
  layout->addLayout(foot);
  return scroll;
}

}  // namespace tracker
