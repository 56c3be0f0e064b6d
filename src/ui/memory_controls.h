#pragma once
// Headless Controls over plain values, for tests and the command-line tool.
// Built from catalogue rows; behaves like the window's own controls. Cheap to
// copy: the name index is shared, and so is each control's state (and each
// chunk of states) until one of the copies changes it.

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/catalogue_row.h"
#include "ui/controls.h"

namespace tracker {

class MemoryControls : public Controls {
 public:
  MemoryControls();  // the whole catalogue
  explicit MemoryControls(const std::vector<ControlSpec>& specs);

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
  struct State {
    ControlKind kind;
    bool hasCaptionLabel;  // edits, lists, memos: whether a label stands beside it
    std::string text;      // caption for labels, buttons, checks and groups
    std::string caption;   // the beside label of edits, lists and memos
    std::vector<std::string> items;
    int index = -1;
    bool checked = false;
    bool enabled = true;
    bool shown = true;
  };

  // Throws std::out_of_range for a name the catalogue does not know. The
  // state to change is this copy's own.
  State& at(std::string_view name);
  const State& at(std::string_view name) const;
  State& list(std::string_view name);
  std::size_t position(std::string_view name) const;

  // Looked up by a view of the name, without building a string.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
      return std::hash<std::string_view>{}(name);
    }
  };
  using Index = std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>>;

  // A copy shares whole chunks, so that copying a window of a thousand
  // controls takes a few dozen shared pointers, not a thousand.
  static constexpr std::size_t kChunkSize = 64;
  using Chunk = std::array<std::shared_ptr<State>, kChunkSize>;

  std::shared_ptr<const Index> index_;  // name → position in the chunks
  std::vector<std::shared_ptr<Chunk>> chunks_;
};

// Whether the text of a control of this kind is its caption.
bool TextIsCaption(ControlKind kind);

}  // namespace tracker
