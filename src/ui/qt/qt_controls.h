#pragma once
// Controls over the widgets of the window, found by objectName.

#include <QHash>
#include <QString>

#include "ui/controls.h"
#include "ui/qt/control_factory.h"

class QWidget;

namespace tracker {

class QtControls : public Controls {
 public:
  // Finds every catalogue control below root once; root must outlive this.
  explicit QtControls(QWidget* root);

  std::string text(std::string_view name) const override;
  void setText(std::string_view name, std::string_view value) override;
  int itemIndex(std::string_view name) const override;
  void setItemIndex(std::string_view name, int index) override;
  int itemCount(std::string_view name) const override;
  void setItems(std::string_view name, const std::vector<std::string>& items) override;
  bool checked(std::string_view name) const override;
  void setChecked(std::string_view name, bool value) override;
  bool enabled(std::string_view name) const override;
  void setEnabled(std::string_view name, bool value) override;
  bool shown(std::string_view name) const override;
  void setShown(std::string_view name, bool value) override;
  std::string caption(std::string_view name) const override;
  void setCaption(std::string_view name, std::string_view value) override;
  bool has(std::string_view name) const override;

 private:
  // Throws std::out_of_range for a name the window does not hold.
  const ControlWidgets& at(std::string_view name) const;

  QHash<QString, ControlWidgets> widgets_;
};

}  // namespace tracker
