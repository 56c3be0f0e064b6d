#include "app/editor/field_marks.h"

#include <QTabBar>
#include <QTabWidget>

#include "ui/catalogue.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

constexpr double kChangedShare = 0.30;
constexpr double kDiffersShare = 0.45;
const QColor kDiffersHue(255, 140, 0);  // orange: apart from any palette's highlight
const QColor kErrorHue(230, 30, 30);
constexpr double kErrorShare = 0.40;
const QString kTabMark = QStringLiteral(" *");

QColor blend(const QColor& base, const QColor& tint, double share) {
  return QColor::fromRgbF(static_cast<float>(base.redF() * (1 - share) + tint.redF() * share),
                          static_cast<float>(base.greenF() * (1 - share) + tint.greenF() * share),
                          static_cast<float>(base.blueF() * (1 - share) + tint.blueF() * share));
}

int tabOf(const QString& control) {
  const ControlSpec* spec = FindControl(control.toStdString());
  return spec == nullptr ? -1 : spec->tab;
}

}  // namespace

QColor FieldMarks::ChangedTint(const QPalette& palette) {
  return blend(palette.color(QPalette::Base), palette.color(QPalette::Highlight), kChangedShare);
}

QColor FieldMarks::DiffersTint(const QPalette& palette) {
  return blend(palette.color(QPalette::Base), kDiffersHue, kDiffersShare);
}

QColor FieldMarks::ErrorTint(const QPalette& palette) {
  return blend(palette.color(QPalette::Base), kErrorHue, kErrorShare);
}

void FieldMarks::setProblem(const QString& control, const QString& problem) {
  if (!states_.contains(control) && problem.isEmpty()) return;
  State& s = states_[control];
  if (s.problem == problem) return;
  s.problem = problem;
  apply(control, s);
}

void FieldMarks::setChanged(const QString& control, bool changed) {
  State& s = states_[control];
  if (s.changed == changed) return;
  s.changed = changed;
  const int tab = tabOf(control);
  changedPerTab_[tab] += changed ? 1 : -1;
  apply(control, s);
  updateTab(tab);
}

void FieldMarks::setDiffers(const QString& control, const QString& trackerValue) {
  State& s = states_[control];
  if (!s.differs) {
    ++differCount_;
    ++differsPerTab_[tabOf(control)];
    updateDiffersTab(tabOf(control));
  }
  s.differs = trackerValue;
  apply(control, s);
}

void FieldMarks::clearDiffers() {
  for (auto it = states_.begin(); it != states_.end(); ++it) {
    if (!it->differs) continue;
    it->differs.reset();
    apply(it.key(), *it);
  }
  differCount_ = 0;
  const QList<int> tabs = differsPerTab_.keys();
  differsPerTab_.clear();
  for (const int tab : tabs) updateDiffersTab(tab);
}

void FieldMarks::apply(const QString& control, State& s) {
  QWidget* widget = form_.control(control);
  if (widget == nullptr) return;
  if (!s.saved) {
    s.palette = widget->palette();
    s.toolTip = widget->toolTip();
    s.saved = true;
  }
  if (!s.changed && !s.differs && s.problem.isEmpty()) {
    widget->setPalette(s.palette);
    widget->setAutoFillBackground(false);
    widget->setToolTip(s.toolTip);
    return;
  }
  // Edits and typed lists paint Base, drop-down lists Button, checks Window.
  const QColor tint = !s.problem.isEmpty() ? ErrorTint(s.palette)
                      : s.differs          ? DiffersTint(s.palette)
                                           : ChangedTint(s.palette);
  QPalette palette = s.palette;
  for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
    palette.setColor(role, tint);
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
  QStringList tips;
  if (!s.problem.isEmpty()) tips << s.problem;
  if (!s.toolTip.isEmpty()) tips << s.toolTip;
  if (s.differs) {
    tips << QStringLiteral("Tracker holds: %1")
                .arg(s.differs->isEmpty() ? QStringLiteral("\"\"") : *s.differs);
  }
  if (s.changed) tips << QStringLiteral("Changed since the last Read, Load or Write");
  widget->setToolTip(tips.join(QLatin1Char('\n')));
}

void FieldMarks::updateDiffersTab(int tab) {
  if (tab < 0 || tab >= kTabCount) return;
  const TabSpec& spec = Tabs()[static_cast<std::size_t>(tab)];
  QTabWidget* pages = form_.pageControl();
  const int index = pages->indexOf(pages->findChild<QWidget*>(
      QString::fromUtf8(spec.name.data(), static_cast<qsizetype>(spec.name.size()))));
  if (index < 0) return;
  const bool differs = differsPerTab_.value(tab) > 0;
  const QColor text = pages->palette().color(QPalette::WindowText);
  pages->tabBar()->setTabTextColor(index, differs ? blend(text, kDiffersHue, 0.8) : QColor());
}

void FieldMarks::updateTab(int tab) {
  if (tab < 0 || tab >= kTabCount) return;
  const TabSpec& spec = Tabs()[static_cast<std::size_t>(tab)];
  QTabWidget* pages = form_.pageControl();
  QWidget* page = pages->findChild<QWidget*>(
      QString::fromUtf8(spec.name.data(), static_cast<qsizetype>(spec.name.size())));
  const int index = pages->indexOf(page);
  if (index < 0) return;
  // The mark follows whatever the caption says (a tab note, say); the plain
  // caption is kept on the page for the notes, without the mark.
  QString text = pages->tabText(index);
  const bool marked = text.endsWith(kTabMark);
  if (!page->property("plainCaption").isValid()) {
    page->setProperty("plainCaption", marked ? text.chopped(kTabMark.size()) : text);
  }
  const bool changed = changedPerTab_.value(tab) > 0;
  if (marked && !changed) text.chop(kTabMark.size());
  if (!marked && changed) text += kTabMark;
  pages->setTabText(index, text);
}

}  // namespace tracker
