#include "app/editor/qt_window.h"

#include <QMessageBox>
#include <QTabWidget>
#include <QVariant>

#include "settings/field_names.h"
#include "ui/catalogue.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtWindow::setPanelText(int panel, std::string_view text) {
  form_.setPanelText(panel, toQString(text));
}

std::string QtWindow::panelText(int panel) const {
  return form_.panelText(panel).toStdString();
}

void QtWindow::setCaption(std::string_view caption) {
  form_.setWindowTitle(toQString(caption));
}

void QtWindow::showNotice(std::string_view text) {
  if (noticeTaker && noticeTaker(text)) return;
  const std::string addition = noticeAddition ? noticeAddition() : std::string();
  QMessageBox box(QMessageBox::Information, QStringLiteral("Notice"),
                  toQString(text) + QString::fromStdString(addition), QMessageBox::Ok, &form_);
  box.exec();
}

bool QtWindow::askYesNo(std::string_view text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Notice"), toQString(text),
                  QMessageBox::Yes | QMessageBox::No, &form_);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void QtWindow::showError(std::string_view message) {
  QMessageBox box(QMessageBox::Critical, form_.windowTitle(), toQString(message), QMessageBox::Ok,
                  &form_);
  box.exec();
}

void QtWindow::showFieldError(std::string_view control, std::string_view problem) {
  QTabWidget* tabs = form_.pageControl();
  if (const ControlSpec* spec = FindControl(control); spec != nullptr) {
    const std::string_view page = Tabs()[static_cast<std::size_t>(spec->tab)].name;
    if (auto* tab = tabs->findChild<QWidget*>(toQString(page)); tab != nullptr) {
      tabs->setCurrentWidget(tab);
    }
  }
  if (auto* field = form_.findChild<QWidget*>(toQString(control)); field != nullptr) {
    field->setFocus(Qt::OtherFocusReason);
  }
  showError(WindowFieldName(control) + ": " + std::string(problem));
}

bool QtWindow::dltTabShown() const {
  const QWidget* dlt = form_.pageControl()->findChild<QWidget*>(QStringLiteral("DLT"));
  return dlt != nullptr && form_.pageControl()->indexOf(dlt) >= 0 &&
         form_.pageControl()->isTabVisible(form_.pageControl()->indexOf(dlt));
}

void QtWindow::setTabNote(std::string_view tab, std::string_view note) {
  QTabWidget* tabs = form_.pageControl();
  QWidget* page = tabs->findChild<QWidget*>(toQString(tab));
  const int index = page == nullptr ? -1 : tabs->indexOf(page);
  if (index < 0) return;
  // The plain caption is kept on the page, so notes never pile up.
  QVariant caption = page->property("plainCaption");
  if (!caption.isValid()) {
    caption = tabs->tabText(index);
    page->setProperty("plainCaption", caption);
  }
  QString text = caption.toString();
  if (!note.empty()) text += QStringLiteral(" (not read)");
  if (tabs->tabText(index).endsWith(QStringLiteral(" *"))) text += QStringLiteral(" *");  // changed
  tabs->setTabText(index, text);
  tabs->setTabToolTip(index, toQString(note));
}

}  // namespace tracker
