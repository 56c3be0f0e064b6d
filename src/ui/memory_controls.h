#pragma once
// Headless Controls over plain values, for tests and the command-line tool.
// Built from catalogue rows; behaves like the window's own controls. Cheap to
// copy: the name index is shared, and so is each chunk of states until one
// of the copies changes it.

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/name_index.h"
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

  // Whether a control shows the same value here as in `other` (the check
  // state of a check, the item of a list or its text when none is chosen,
  // the text of anything else), looked up once for both windows. Nullopt
  // when the two are not copies over one set of names, or the name is not
  // among them: the caller then compares through the Controls interface.
  std::optional<bool> sameValue(std::string_view name, const MemoryControls& other) const;

 private:
  // What a copy of a chunk copies: a control's changeable values, with its
  // caption and items shared until one of them is set.
  struct State {
    ControlKind kind{};
    bool hasCaptionLabel = false;  // edits, lists, memos: whether a label stands beside it
    int index = -1;
    bool checked = false;
    bool enabled = true;
    bool shown = true;
    std::string text;                            // caption for labels, buttons, checks and groups
    std::shared_ptr<const std::string> caption;  // the beside label of edits, lists and memos
    std::shared_ptr<const std::vector<std::string>> items;  // never null
  };

  // Throws std::out_of_range for a name the catalogue does not know. The
  // state to change is this copy's own: the setters copy a shared chunk only
  // when the value changes.
  State& at(std::string_view name) { return writable(position(name)); }
  const State& at(std::string_view name) const { return stateAt(position(name)); }
  State& list(std::string_view name);
  std::size_t position(std::string_view name) const;
  // By position: a setter looks its name up once, reads, and copies the
  // chunk only to change it.
  const State& stateAt(std::size_t slot) const {
    return (*chunks_[slot / kChunkSize])[slot % kChunkSize];
  }
  State& writable(std::size_t slot);

  // A copy shares whole chunks, so that copying a window of a thousand
  // controls takes a few dozen shared pointers, and a change copies the 16
  // states of its chunk in one allocation, not each state in its own.
  static constexpr std::size_t kChunkSize = 16;
  using Chunk = std::array<State, kChunkSize>;

  std::shared_ptr<const NameIndex> index_;  // name → position in the chunks
  std::vector<std::shared_ptr<Chunk>> chunks_;
};

// Whether the text of a control of this kind is its caption.
bool TextIsCaption(ControlKind kind);

}  // namespace tracker
