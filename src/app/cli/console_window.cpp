#include "app/cli/console_window.h"

#include "settings/field_names.h"

namespace tracker::cli {

namespace {

// A status text worth printing without --verbose: a failure, a retry or a
// port where nothing answers.
bool Warns(std::string_view text) {
  return text.find("Error") != std::string_view::npos ||
         text.find("retry") != std::string_view::npos ||
         text.find("No answer") != std::string_view::npos ||
         text.find("was lost") != std::string_view::npos;
}

}  // namespace

void ConsoleWindow::setPanelText(int panel, std::string_view text) {
  if (panel < 0 || panel >= static_cast<int>(panels_.size())) return;
  std::string& current = panels_[static_cast<std::size_t>(panel)];
  if (current == text) return;
  current = text;
  // One line a tracker (several ports) leaves the warnings to its error.
  if (!verbose_ && (!boxes_ || !Warns(text))) return;
  // Panel 0 is the connection, panel 1 the operation.
  out_ << (panel == 0 ? "connection: " : "status: ") << text << std::endl;
}

std::string ConsoleWindow::panelText(int panel) const {
  if (panel < 0 || panel >= static_cast<int>(panels_.size())) return {};
  return panels_[static_cast<std::size_t>(panel)];
}

void ConsoleWindow::showNotice(std::string_view text) {
  notices_.emplace_back(text);
  if (!boxes_) return;
  // A box of several lines: each line as a notice of its own.
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       start = end + 1, end = text.find('\n', start)) {
    out_ << "notice: " << text.substr(start, end - start) << '\n';
  }
  out_ << "notice: " << text.substr(start) << std::endl;
}

bool ConsoleWindow::askYesNo(std::string_view text) {
  if (boxes_) out_ << "question: " << text << " Yes" << std::endl;
  return true;
}

void ConsoleWindow::showError(std::string_view message) {
  errors_.emplace_back(message);
  out_ << "error: " << message << std::endl;
}

void ConsoleWindow::showFieldError(std::string_view control, std::string_view problem) {
  showError(FileFieldName(control) + ": " + std::string(problem));
}

void ConsoleWindow::clearBoxes() {
  notices_.clear();
  errors_.clear();
}

}  // namespace tracker::cli
