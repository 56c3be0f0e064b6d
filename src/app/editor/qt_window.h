#pragma once
// The engine's Window over the main window: status panels, caption and the
// modal boxes.

#include <functional>
#include <string>

#include "ui/window.h"

namespace tracker {

class TForm1;

class QtWindow : public Window {
 public:
  explicit QtWindow(TForm1& form) : form_(form) {}

  void setPanelText(int panel, std::string_view text) override;
  std::string panelText(int panel) const override;
  void setCaption(std::string_view caption) override;
  void showNotice(std::string_view text) override;
  bool askYesNo(std::string_view text) override;
  void showError(std::string_view message) override;
  // "Main › Tow Time: …", with that tab selected and the field focused.
  void showFieldError(std::string_view control, std::string_view problem) override;
  bool dltTabShown() const override;
  void setTabNote(std::string_view tab, std::string_view note) override;

  // Lines a notice gets at its end (what a Read All cut short did not read).
  std::function<std::string()> noticeAddition;
  // Takes a notice instead of the window when it returns true (the boxes of
  // the writes inside Write Changes, which ends with one box of its own).
  std::function<bool(std::string_view)> noticeTaker;

 private:
  TForm1& form_;
};

}  // namespace tracker
