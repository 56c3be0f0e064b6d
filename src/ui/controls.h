#pragma once
// What the core sees of the window: every control's state, by control name.
// Two implementations behave alike: MemoryControls (headless) and the Qt view.

#include <string>
#include <string_view>
#include <vector>

namespace tracker {

class Controls {
 public:
  virtual ~Controls() = default;

  // Text of an edit or memo, or the typed text of a list.
  virtual std::string text(std::string_view name) const = 0;
  virtual void setText(std::string_view name, std::string_view value) = 0;

  // Selected item position of a list, -1 for none. A position outside the
  // items leaves no selection and an empty text.
  virtual int itemIndex(std::string_view name) const = 0;
  virtual void setItemIndex(std::string_view name, int index) = 0;
  virtual int itemCount(std::string_view name) const = 0;
  // Replaces a list's items; its typed text stays.
  virtual void setItems(std::string_view name, const std::vector<std::string>& items) = 0;

  virtual bool checked(std::string_view name) const = 0;
  virtual void setChecked(std::string_view name, bool value) = 0;

  virtual bool enabled(std::string_view name) const = 0;
  virtual void setEnabled(std::string_view name, bool value) = 0;

  // Shown state; a control's label and unit label follow it.
  virtual bool shown(std::string_view name) const = 0;
  virtual void setShown(std::string_view name, bool value) = 0;

  // Caption of a label, button, check or group.
  virtual std::string caption(std::string_view name) const = 0;
  virtual void setCaption(std::string_view name, std::string_view value) = 0;

  // Whether the catalogue knows the name.
  virtual bool has(std::string_view name) const = 0;
};

}  // namespace tracker
