#include "app/editor/history_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/editor/window_history.h"
#include "settings/atomic_write.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

const QStringList kColumns = {"Record",    "Time (UTC)", "Port",     "Device ID",
                              "Operation", "Result",     "Verified", "File"};

QString verifiedText(const std::optional<bool>& verified) {
  if (!verified) return QStringLiteral("-");
  return *verified ? QStringLiteral("yes") : QStringLiteral("no");
}

QStringList rowOf(const HistoryRecord& r) {
  return {QString::number(r.id),
          QString::fromStdString(r.time),
          QString::fromStdString(r.port),
          QString::fromStdString(r.deviceId),
          QString::fromStdString(r.operation),
          QString::fromStdString(r.result),
          verifiedText(r.verified),
          QString::fromStdString(r.file)};
}

}  // namespace

HistoryDialog::HistoryDialog(TForm1& form, WindowHistory& history, const std::string& deviceId)
    : QDialog(&form), form_(form), history_(history) {
  setObjectName(QStringLiteral("HistoryDialog"));
  setWindowTitle(QStringLiteral("History"));
  resize(860, 360);
  filter_ = new QLineEdit(QString::fromStdString(deviceId), this);
  filter_->setObjectName(QStringLiteral("HistoryDeviceId"));
  filter_->setPlaceholderText(QStringLiteral("every tracker"));
  filter_->setClearButtonEnabled(true);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("HistoryList"));
  list_->setHeaderLabels(kColumns);
  list_->setRootIsDecorated(false);
  list_->setAlternatingRowColors(true);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  load_ = buttons->addButton(QStringLiteral("Load into Window"), QDialogButtonBox::ActionRole);
  restore_ = buttons->addButton(QStringLiteral("Restore to Tracker"), QDialogButtonBox::ActionRole);
  save_ = buttons->addButton(QStringLiteral("Save As\u2026"), QDialogButtonBox::ActionRole);
  load_->setObjectName(QStringLiteral("HistoryLoad"));
  restore_->setObjectName(QStringLiteral("HistoryRestore"));
  save_->setObjectName(QStringLiteral("HistorySaveAs"));
  auto* form_layout = new QFormLayout;
  form_layout->addRow(QStringLiteral("Device ID:"), filter_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form_layout);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(filter_, &QLineEdit::textChanged, this, &HistoryDialog::refresh);
  connect(list_, &QTreeWidget::currentItemChanged, this, &HistoryDialog::updateButtons);
  connect(load_, &QPushButton::clicked, this, &HistoryDialog::loadIntoWindow);
  connect(restore_, &QPushButton::clicked, this, &HistoryDialog::restoreToTracker);
  connect(save_, &QPushButton::clicked, this, &HistoryDialog::saveAs);
  refresh();
}

void HistoryDialog::refresh() {
  list_->clear();
  records_.clear();
  try {
    records_ = history_.database().list(filter_->text().trimmed().toStdString());
  } catch (const std::exception& e) {
    QMessageBox::warning(this, QStringLiteral("History"), QString::fromUtf8(e.what()));
  }
  for (const HistoryRecord& record : records_)
    list_->addTopLevelItem(new QTreeWidgetItem(rowOf(record)));
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  updateButtons();
}

std::optional<HistoryRecord> HistoryDialog::chosen() {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  if (row < 0 || row >= static_cast<int>(records_.size())) return std::nullopt;
  return history_.database().find(records_[static_cast<std::size_t>(row)].id);
}

void HistoryDialog::updateButtons() {
  const int row = list_->indexOfTopLevelItem(list_->currentItem());
  load_->setEnabled(row >= 0);
  restore_->setEnabled(row >= 0);
  save_->setEnabled(row >= 0);
}

void HistoryDialog::loadIntoWindow() {
  const std::optional<HistoryRecord> record = chosen();
  if (record && history_.load(*record)) accept();
}

void HistoryDialog::restoreToTracker() {
  const std::optional<HistoryRecord> record = chosen();
  if (!record) return;
  QString question =
      QStringLiteral("Write the copy kept in record %1 back to the tracker?").arg(record->id);
  const QString here = form_.findChild<QLineEdit*>(QStringLiteral("DeviceID"))->text();
  if (here != QString::fromStdString(record->deviceId)) {
    question +=
        QStringLiteral("\nThe record was kept from tracker %1; the tracker connected is %2.")
            .arg(QString::fromStdString(record->deviceId),
                 here.isEmpty() ? QStringLiteral("not identified") : here);
  }
  if (QMessageBox::question(this, QStringLiteral("Notice"), question) != QMessageBox::Yes) return;
  accept();
  history_.restore(*record);
}

void HistoryDialog::saveAs() {
  const std::optional<HistoryRecord> record = chosen();
  if (!record || record->before.empty()) return;
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save As"),
                                                    QStringLiteral("record-%1.ini").arg(record->id),
                                                    QStringLiteral("Settings files (*.ini)"));
  if (path.isEmpty()) return;
  try {
    WriteFileAtomically(path.toStdString(), record->before);
  } catch (const std::exception& e) {
    QMessageBox::warning(this, QStringLiteral("Notice"), QString::fromUtf8(e.what()));
  }
}

}  // namespace tracker
