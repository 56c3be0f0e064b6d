#include "app/editor/editor_controller.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include "app/editor/editor_aids.h"
#include "app/editor/window_history.h"
#include "ui/catalogue.h"
#include "ui/qt/list_box.h"
#include "ui/qt/tform1.h"

namespace tracker {
namespace {

constexpr int kTimer1Ms = 10;
// The status bar after a partial load lists this many lines at most.
constexpr std::size_t kMaxLeftAloneLines = 12;
constexpr int kTimer2Ms = 1000;
const QString kIniFilter = QStringLiteral("Settings files (*.ini)");

}  // namespace

EditorController::EditorController(TForm1& form, const PortEnumerator& ports)
    : QObject(&form),
      form_(form),
      ports_(ports),
      controls_(&form),
      window_(form),
      Comm1([this](std::function<void()> task) {
        // Runs the port's notifications on the window's thread, in order.
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
      }),
      port_(Comm1),
      demoPort_(
          port_,
          [this](std::function<void()> task) {
            QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
          },
          [this](std::span<const std::uint8_t> bytes) { delivered(bytes); }),
      traffic_(form, demoPort_),
      engine_(std::make_unique<Engine>(controls_, window_, traffic_.port())),
      preferences_(QCoreApplication::applicationDirPath()),
      Timer1(this),
      Timer2(this) {
  Comm1.applyComm1Values();
  Comm1.OnReceiveData = [this](TComm&, const std::uint8_t* buffer, std::uint16_t length) {
    delivered({buffer, length});
  };
  Comm1.OnRequestHangup = [this](TComm&) {
    engine_->guarded([this] { engine_->Comm1RequestHangup(); });
  };
  engine_->behaviour = {.reopenWhenBack = true, .readAfterDefault = true};
  traffic_.attach(*engine_);
  Timer1.setObjectName(QStringLiteral("Timer1"));
  Timer2.setObjectName(QStringLiteral("Timer2"));
  connect(&Timer1, &QTimer::timeout, this,
          [this] { engine_->guarded([this] { engine_->Timer1Timer(); }); });
  connect(&Timer2, &QTimer::timeout, this,
          [this] { engine_->guarded([this] { engine_->Timer2Timer(); }); });
  Timer1.start(kTimer1Ms);
  Timer2.start(kTimer2Ms);
  wireButtons();
  wireMenu();
  readBack_ = new ReadBackView(form_, *engine_, controls_, window_, preferences_);
  aids_ = new EditorAids({.form = form_,
                          .engine = *engine_,
                          .controls = controls_,
                          .window = window_,
                          .preferences = preferences_,
                          .ports = ports_,
                          .comm = Comm1,
                          .readBack = *readBack_,
                          .loadFile = [this](const QString& path) { loadFile(path); }});
  history_ = new WindowHistory({.form = form_,
                                .engine = *engine_,
                                .controls = controls_,
                                .window = window_,
                                .load = [this](const std::string& bytes, const std::string& name) {
                                  return loadCopy(bytes, name);
                                }});
  // Closing the window by any means asks first while an operation runs or
  // while changes are neither written nor saved, remembers the user's choices
  // and closes the port.
  form_.mayClose = [this] {
    return (!engine_->busy() ||
            window_.askYesNo("An operation is running. Quit and abandon it?")) &&
           readBack_->changes().confirmDiscard();
  };
  connect(&form_, &TForm1::closing, this, [this] {
    rememberChoices();
    engine_->guarded([this] { engine_->Exit1Click(); });
  });
}

EditorController::~EditorController() {
  Comm1.CloseComm();
}

void EditorController::delivered(std::span<const std::uint8_t> bytes) {
  traffic_.received(bytes);
  engine_->guarded([&] { engine_->Comm1ReceiveData(bytes); });
}

void EditorController::FormCreate(const QString& settingsPath) {
  const std::string path = settingsPath.toStdString();
  engine_->guarded([&] { engine_->FormCreate(ports_, path); });
  describePorts();
  aids_->started(settingsPath, !path.empty() && QFileInfo(settingsPath).isFile());
}

void EditorController::Start(bool keepPort) {
  FormCreate(preferences_.startupSettingsFile());
  form_.restoreGeometry(preferences_.geometry());
  if (!keepPort) restorePort();
}

// The port last opened, when it is present again (in the list, or as a
// path); else the first USB serial adapter.
void EditorController::restorePort() {
  const QString port = preferences_.lastPort();
  const int index = port.isEmpty() ? -1 : form_.portBox()->findText(port);
  if (index >= 0) {
    form_.portBox()->setCurrentIndex(index);
    return;
  }
  if (port.startsWith(QLatin1Char('/')) && QFileInfo::exists(port)) {
    form_.portBox()->setTypedText(port);
    return;
  }
  for (const PortInfo& info : ports_.presentPorts()) {
    if (!info.hasIds) continue;
    const int usb = form_.portBox()->findText(QString::fromStdString(info.name));
    if (usb < 0) continue;
    form_.portBox()->setCurrentIndex(usb);
    return;
  }
}

void EditorController::rememberChoices() {
  preferences_.rememberGeometry(form_.saveGeometry());
  const QString port = form_.portBox()->currentText();
  if (!port.isEmpty() && port != QStringLiteral("None")) preferences_.rememberPort(port);
}

void EditorController::describePorts() {
  // Each port's description and USB ids as its tooltip, to tell adapters apart.
  PortComboBox* box = form_.portBox();
  for (const PortInfo& info : ports_.presentPorts()) {
    const int index = box->findText(QString::fromStdString(info.name));
    if (index < 0) continue;
    QString tip = QString::fromStdString(info.description);
    if (info.hasIds) {
      tip += QStringLiteral(" (USB %1:%2)")
                 .arg(info.vendorId, 4, 16, QLatin1Char('0'))
                 .arg(info.productId, 4, 16, QLatin1Char('0'));
    }
    box->setItemData(index, tip.trimmed(), Qt::ToolTipRole);
  }
}

void EditorController::wireButtons() {
  for (const ControlSpec& spec : Catalogue()) {
    if (spec.kind != ControlKind::Button) continue;
    QAbstractButton* button = form_.button(QString::fromStdString(spec.name));
    if (button == nullptr) continue;
    connect(button, &QAbstractButton::clicked, this, [this, name = spec.name] {
      // Write All of start-up values asks first (button, toolbar and shortcut).
      if (name == "WriteAll" && !engine_->busy() && !aids_->mayWriteAll()) return;
      engine_->click(name);
    });
  }
  connect(form_.button(QStringLiteral("OpenPort")), &QAbstractButton::clicked, this,
          [this] { rememberChoices(); });
  connect(form_.portBox(), &PortComboBox::aboutToDropDown, this, [this] {
    engine_->guarded([this] { engine_->ComboBox1DropDown(ports_); });
    describePorts();
  });
}

void EditorController::wireMenu() {
  connect(form_.saveSettingsAction(), &QAction::triggered, this,
          &EditorController::SavetSettings1Click);
  connect(form_.loadSettingsAction(), &QAction::triggered, this,
          &EditorController::LoadSettings1Click);
  connect(form_.exitAction(), &QAction::triggered, this, &EditorController::Exit1Click);
  connect(form_.historyAction(), &QAction::triggered, this, [this] { history_->showDialog(); });
  connect(form_.emailAction(), &QAction::triggered, this, [] {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + TForm1::kEmailAddress));
  });
}

std::optional<std::string> EditorController::chooseSettingsFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().constFirst();
  preferences_.rememberFile(chosen);
  return chosen.toStdString();
}

void EditorController::SavetSettings1Click() {
  QFileDialog dialog(&form_, QString(), QString(), kIniFilter);
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const QString target = preferences_.saveTarget();
  dialog.setDirectory(QFileInfo(target).path());
  dialog.selectFile(target);
  if (const auto path = chooseSettingsFile(dialog)) {
    bool saved = false;
    engine_->guarded([&] {
      engine_->SaveSettingsFile(*path);
      saved = true;
    });
    if (saved) {
      readBack_->changes().saved();
      aids_->saved(QString::fromStdString(*path));
    }
  }
}

void EditorController::LoadSettings1Click() {
  if (!readBack_->changes().confirmDiscard()) return;
  QFileDialog dialog(&form_, QString(), QString(), kIniFilter);
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDirectory(preferences_.loadFolder());
  if (const auto path = chooseSettingsFile(dialog)) {
    bool loaded = false;
    engine_->guarded([&] { loaded = engine_->LoadSettingsFile(*path); });
    if (loaded) {
      readBack_->changes().loaded();
      aids_->loaded(QString::fromStdString(*path));
      noteLeftAlone(QFileInfo(QString::fromStdString(*path)).fileName().toStdString());
    }
  }
}

void EditorController::loadFile(const QString& path) {
  if (!readBack_->changes().confirmDiscard()) return;
  bool found = true;  // a file refused has said why in its own box
  bool loaded = false;
  engine_->guarded([&] {
    found = engine_->LoadSettingsFile(path.toStdString());
    loaded = found;
  });
  if (!found) window_.showError("Cannot load " + path.toStdString() + ": the file is not there.");
  if (!loaded) return;
  preferences_.rememberFile(path);
  readBack_->changes().loaded();
  aids_->loaded(path);
  noteLeftAlone(QFileInfo(path).fileName().toStdString());
}

bool EditorController::loadCopy(const std::string& bytes, const std::string& name) {
  if (!readBack_->changes().confirmDiscard()) return false;
  bool loaded = false;
  engine_->guarded([&] {
    engine_->LoadSettingsText(bytes, name);
    loaded = true;
  });
  if (!loaded) return false;
  readBack_->changes().loaded();
  aids_->loadedCopy();
  form_.setPanelText(1, QStringLiteral("Loaded ") + QString::fromStdString(name));
  noteLeftAlone(name);
  return true;
}

void EditorController::noteLeftAlone(const std::string& name) {
  // Said beside "Loaded …" in the status bar: a box after every partial load
  // would stand in the way of files that hold one group on purpose.
  const SettingsHeld& held = engine_->lastLoad();
  std::vector<std::string> lines = KeptKeyLines(held, name);
  if (const std::string lacking = LackingSectionsLine(held, name); !lacking.empty()) {
    lines.insert(lines.begin(), lacking);
  }
  if (lines.empty()) return;
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < kMaxLeftAloneLines; ++i) text += "; " + lines[i];
  if (lines.size() > kMaxLeftAloneLines) {
    text += "; and " + std::to_string(lines.size() - kMaxLeftAloneLines) + " more keys kept";
  }
  form_.setPanelText(1, form_.panelText(1) + QString::fromStdString(text));
}

void EditorController::Exit1Click() {
  form_.close();  // the port closes with the window
}

}  // namespace tracker
