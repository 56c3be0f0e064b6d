#pragma once
// A Window that records what the engine shows, for tests.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window.h"

namespace tracker {

class RecordingWindow : public Window {
 public:
  void setPanelText(int panel, std::string_view text) override { panels.at(panel) = text; }
  std::string panelText(int panel) const override { return panels.at(panel); }
  void setCaption(std::string_view text) override { caption = text; }
  void showNotice(std::string_view text) override {
    notices.emplace_back(text);
    if (onNotice) onNotice(text);
  }
  bool askYesNo(std::string_view text) override {
    questions.emplace_back(text);
    return answerYes;
  }
  void showError(std::string_view message) override { errors.emplace_back(message); }
  bool dltTabShown() const override { return dltShown; }
  void setTabNote(std::string_view tab, std::string_view note) override {
    tabNotes[std::string(tab)] = note;
  }

  std::string lastNotice() const { return notices.empty() ? "" : notices.back(); }

  std::vector<std::string> panels{"", "", ""};
  std::string caption;
  std::vector<std::string> notices;
  std::vector<std::string> questions;
  std::vector<std::string> errors;
  bool answerYes = true;
  std::function<void(std::string_view)> onNotice;  // runs inside the box
  bool dltShown = true;
  std::map<std::string, std::string> tabNotes;
};

}  // namespace tracker
