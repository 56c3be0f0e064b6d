#include "ui/memory_controls.h"

#include <stdexcept>
#include <utility>

#include "ui/catalogue.h"

namespace tracker {

bool TextIsCaption(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::Button || kind == ControlKind::Check ||
         kind == ControlKind::GroupBox;
}

MemoryControls::MemoryControls() {
  static const MemoryControls whole(Catalogue());
  *this = whole;
}

MemoryControls::MemoryControls(const std::vector<ControlSpec>& specs) {
  auto index = std::make_shared<NameIndex>();
  std::size_t count = 0;
  for (const ControlSpec& spec : specs) {
    // The first row of a name counts, as a map's first insertion would.
    if (!index->add(spec.name, count)) continue;
    if (count % kChunkSize == 0) chunks_.push_back(std::make_shared<Chunk>());
    State& s = (*chunks_.back())[count % kChunkSize];
    ++count;
    s.kind = spec.kind;
    s.hasCaptionLabel = !TextIsCaption(spec.kind) && !spec.caption.empty();
    s.enabled = spec.initiallyEnabled;
    s.shown = spec.initiallyShown;
    s.checked = spec.initialChecked;
    s.text = TextIsCaption(spec.kind) ? spec.caption : spec.initialText;
    s.caption = std::make_shared<const std::string>(TextIsCaption(spec.kind) ? "" : spec.caption);
    s.items = std::make_shared<const std::vector<std::string>>(spec.items);
    if (spec.kind == ControlKind::List) {
      const bool valid = spec.initialIndex >= 0 && spec.initialIndex < std::ssize(spec.items);
      s.index = valid ? spec.initialIndex : -1;
      s.text = valid ? spec.items[static_cast<std::size_t>(spec.initialIndex)] : spec.initialText;
    }
  }
  index_ = std::move(index);
}

std::size_t MemoryControls::position(std::string_view name) const {
  const std::size_t slot = index_->find(name);
  if (slot == NameIndex::npos) throw std::out_of_range("unknown control " + std::string(name));
  return slot;
}

MemoryControls::State& MemoryControls::writable(std::size_t slot) {
  std::shared_ptr<Chunk>& chunk = chunks_[slot / kChunkSize];
  if (chunk.use_count() > 1) chunk = std::make_shared<Chunk>(*chunk);
  return (*chunk)[slot % kChunkSize];
}

MemoryControls::State& MemoryControls::list(std::string_view name) {
  State& s = at(name);
  if (s.kind != ControlKind::List) throw std::invalid_argument(std::string(name) + " is no list");
  return s;
}

std::string MemoryControls::text(std::string_view name) const {
  return at(name).text;
}

void MemoryControls::setText(std::string_view name, std::string_view value) {
  const std::size_t slot = position(name);
  const State& now = stateAt(slot);
  if (now.text == value && (now.kind != ControlKind::List || now.index == -1)) return;
  State& s = writable(slot);
  s.text = value;
  // Typing into a list leaves no item selected.
  if (s.kind == ControlKind::List) s.index = -1;
}

int MemoryControls::itemIndex(std::string_view name) const {
  return at(name).index;
}

void MemoryControls::setItemIndex(std::string_view name, int index) {
  State& s = list(name);
  const bool valid = index >= 0 && index < std::ssize(*s.items);
  s.index = valid ? index : -1;
  s.text = valid ? (*s.items)[static_cast<std::size_t>(index)] : std::string();
}

int MemoryControls::itemCount(std::string_view name) const {
  return static_cast<int>(at(name).items->size());
}

void MemoryControls::setItems(std::string_view name, const std::vector<std::string>& items) {
  State& s = list(name);
  s.items = std::make_shared<const std::vector<std::string>>(items);
  s.index = -1;
}

bool MemoryControls::checked(std::string_view name) const {
  return at(name).checked;
}

void MemoryControls::setChecked(std::string_view name, bool value) {
  const std::size_t slot = position(name);
  const State& s = stateAt(slot);
  if (s.kind != ControlKind::Check) throw std::invalid_argument(std::string(name) + " is no check");
  if (s.checked != value) writable(slot).checked = value;
}

bool MemoryControls::enabled(std::string_view name) const {
  return at(name).enabled;
}

void MemoryControls::setEnabled(std::string_view name, bool value) {
  const std::size_t slot = position(name);
  if (stateAt(slot).enabled != value) writable(slot).enabled = value;
}

bool MemoryControls::shown(std::string_view name) const {
  return at(name).shown;
}

void MemoryControls::setShown(std::string_view name, bool value) {
  const std::size_t slot = position(name);
  if (stateAt(slot).shown != value) writable(slot).shown = value;
}

std::string MemoryControls::caption(std::string_view name) const {
  const State& s = at(name);
  return TextIsCaption(s.kind) ? s.text : *s.caption;
}

void MemoryControls::setCaption(std::string_view name, std::string_view value) {
  State& s = at(name);
  if (TextIsCaption(s.kind)) {
    s.text = value;
    return;
  }
  if (!s.hasCaptionLabel) throw std::invalid_argument(std::string(name) + " has no label");
  s.caption = std::make_shared<const std::string>(value);
}

std::optional<bool> MemoryControls::sameValue(std::string_view name,
                                              const MemoryControls& other) const {
  if (index_ != other.index_) return std::nullopt;
  const std::size_t slot = index_->find(name);
  if (slot == NameIndex::npos) return std::nullopt;
  const State& a = stateAt(slot);
  const State& b = other.stateAt(slot);
  switch (a.kind) {
    case ControlKind::Check:
      return a.checked == b.checked;
    case ControlKind::List:
      return a.index == b.index && (a.index >= 0 || a.text == b.text);
    default:
      return a.text == b.text;
  }
}

bool MemoryControls::has(std::string_view name) const {
  return index_->contains(name);
}

}  // namespace tracker
