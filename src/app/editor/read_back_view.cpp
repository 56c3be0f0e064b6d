#include "app/editor/read_back_view.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>

#include "ui/qt/tform1.h"

namespace tracker {
namespace {

QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ReadBackView::ReadBackView(TForm1& form, Engine& engine, const Controls& controls, Window& window,
                           Preferences& preferences)
    : QObject(&form), form_(form), engine_(engine), preferences_(preferences), marks_(form) {
  changes_ =
      new ChangeMarks(form, controls, window, marks_, [&engine] { return engine.inHandler(); });
  engine_.onGroupsSynced = [this](const std::vector<Group>& groups) {
    std::vector<std::string> notKept;
    if (engine_.verifying()) {
      for (const FieldDifference& d : engine_.lastVerification().mismatches) {
        notKept.push_back(d.control);
      }
    }
    changes_->synced(groups, notKept);
    if (engine_.state().activity == Activity::Reading && !engine_.verifying()) clearMarks();
  };
  // Another tracker, or none: its identifier changes.
  connect(form_.findChild<QLineEdit*>(QStringLiteral("DeviceID")), &QLineEdit::textChanged, this,
          &ReadBackView::clearMarks);
  engine_.onCompared = [this](const std::vector<FieldDifference>& differences) {
    showDifferences(differences);
  };
  buildMenu();
  buildStatus();
}

void ReadBackView::buildMenu() {
  QMenu* edit = form_.findChild<QMenu*>(QStringLiteral("Edit1"));
  compare_ = edit->addAction(QStringLiteral("Compare with Tracker"));
  compare_->setObjectName(QStringLiteral("CompareWithTracker"));
  clear_ = edit->addAction(QStringLiteral("Clear Compare Marks"));
  clear_->setObjectName(QStringLiteral("ClearCompareMarks"));
  clear_->setEnabled(false);
  edit->addSeparator();
  verify_ = edit->addAction(QStringLiteral("Verify after writing"));
  verify_->setObjectName(QStringLiteral("VerifyAfterWriting"));
  verify_->setCheckable(true);
  verify_->setChecked(preferences_.verifyAfterWriting());
  engine_.setVerifyAfterWriting(verify_->isChecked());

  // Comparing needs an identified tracker and no operation in progress, as Read All does.
  connect(edit, &QMenu::aboutToShow, this, [this] {
    const QAbstractButton* readAll = form_.button(QStringLiteral("ReadAll"));
    compare_->setEnabled(readAll != nullptr && readAll->isEnabled() && !engine_.busy());
  });
  connect(compare_, &QAction::triggered, this,
          [this] { engine_.guarded([this] { engine_.CompareWithTrackerClick(); }); });
  connect(clear_, &QAction::triggered, this, &ReadBackView::clearMarks);
  connect(verify_, &QAction::toggled, this, [this](bool on) {
    engine_.setVerifyAfterWriting(on);
    preferences_.rememberVerifyAfterWriting(on);
  });
}

void ReadBackView::buildStatus() {
  status_ = new QLabel(&form_);
  status_->setObjectName(QStringLiteral("CompareStatus"));
  clearButton_ = new QToolButton(&form_);
  clearButton_->setObjectName(QStringLiteral("ClearCompareMarksButton"));
  clearButton_->setText(QStringLiteral("Clear Marks"));
  clearButton_->setAutoRaise(true);
  form_.statusBar()->addPermanentWidget(status_);
  form_.statusBar()->addPermanentWidget(clearButton_);
  status_->hide();
  clearButton_->hide();
  connect(clearButton_, &QToolButton::clicked, this, &ReadBackView::clearMarks);
}

void ReadBackView::showDifferences(const std::vector<FieldDifference>& differences) {
  marks_.clearDiffers();
  for (const FieldDifference& d : differences) marks_.setDiffers(Q(d.control), Q(d.right));
  const auto count = static_cast<qsizetype>(differences.size());
  status_->setText(count == 0   ? QStringLiteral("Same as the tracker")
                   : count == 1 ? QStringLiteral("1 field differs from the tracker")
                                : QStringLiteral("%1 fields differ from the tracker").arg(count));
  status_->show();
  clearButton_->show();
  clear_->setEnabled(true);
}

void ReadBackView::clearMarks() {
  marks_.clearDiffers();
  status_->hide();
  clearButton_->hide();
  clear_->setEnabled(false);
}

}  // namespace tracker
