#pragma once
// The window of the command-line tool: boxes (and, verbose, every status
// text) are printed as they happen, the Yes/No question is answered Yes, the DLT tab counts as
// shown. Remembers the boxes so the caller can tell how an operation ended.

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "ui/window.h"

namespace tracker::cli {

class ConsoleWindow : public Window {
 public:
  // verbose: every status text is printed; else only those that report a
  // failure or a retry (the boxes are printed either way).
  // boxes: notices and questions are printed too (errors always are).
  explicit ConsoleWindow(std::ostream& out, bool verbose = true, bool boxes = true)
      : out_(out), verbose_(verbose), boxes_(boxes) {}

  void setPanelText(int panel, std::string_view text) override;
  std::string panelText(int panel) const override;
  void setCaption(std::string_view caption) override { caption_ = caption; }
  void showNotice(std::string_view text) override;
  bool askYesNo(std::string_view text) override;
  void showError(std::string_view message) override;
  // "[Main] Tow Time: …", the settings file's name of the field.
  void showFieldError(std::string_view control, std::string_view problem) override;
  bool dltTabShown() const override { return true; }

  // Boxes shown since the last call to clearBoxes.
  const std::vector<std::string>& notices() const { return notices_; }
  const std::vector<std::string>& errors() const { return errors_; }
  void clearBoxes();

  std::ostream& out() { return out_; }
  bool printsBoxes() const { return boxes_; }

 private:
  std::ostream& out_;
  bool verbose_;
  bool boxes_;
  std::array<std::string, 2> panels_;
  std::string caption_;
  std::vector<std::string> notices_;
  std::vector<std::string> errors_;
};

}  // namespace tracker::cli
