#pragma once
// What the engine asks of a window besides its controls: status panels,
// caption, message boxes and whether the DLT tab is shown.

#include <string>
#include <string_view>

namespace tracker {

class Window {
 public:
  virtual ~Window() = default;

  // Status panel 0 (connection) and 1 (operation).
  virtual void setPanelText(int panel, std::string_view text) = 0;
  virtual std::string panelText(int panel) const = 0;

  virtual void setCaption(std::string_view caption) = 0;

  // Modal box with the caption "Notice" and an OK button.
  virtual void showNotice(std::string_view text) = 0;
  // Modal Yes/No question; true for Yes.
  virtual bool askYesNo(std::string_view text) = 0;
  // The application's standard error box for an exception's message.
  virtual void showError(std::string_view message) = 0;
  // The error box for a value a field cannot hold: the window names the field
  // its own way (and may bring it into view). problem: "300 is out of range 0–255".
  virtual void showFieldError(std::string_view control, std::string_view problem) {
    showError(std::string(control) + ": " + std::string(problem));
  }

  virtual bool dltTabShown() const = 0;

  // A note on a tab (by its name) that its values are not the tracker's,
  // e.g. a group a Read All could not read; empty clears it.
  virtual void setTabNote(std::string_view tab, std::string_view note) {
    (void)tab;
    (void)note;
  }
};

}  // namespace tracker
