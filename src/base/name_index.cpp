#include "base/name_index.h"

namespace tracker {

std::uint32_t NameIndex::hashOf(std::string_view name) {
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
  return static_cast<std::uint32_t>(hash ^ hash >> 32);
}

std::size_t NameIndex::find(std::string_view name) const {
  if (slots_.empty()) return npos;
  const std::uint32_t hash = hashOf(name);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.entry == 0) return npos;
    if (slot.hash == hash && names_[slot.entry - 1] == name) return positions_[slot.entry - 1];
  }
}

bool NameIndex::add(std::string_view name, std::size_t position) {
  if (find(name) != npos) return false;
  if (2 * (names_.size() + 1) > slots_.size()) grow();
  names_.emplace_back(name);
  positions_.push_back(position);
  const std::uint32_t hash = hashOf(name);
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i].entry != 0) i = (i + 1) & mask;
  slots_[i] = {hash, static_cast<std::uint32_t>(names_.size())};
  return true;
}

void NameIndex::grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 64 : 2 * old.size(), Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.entry == 0) continue;
    std::size_t i = slot.hash & mask;
    while (slots_[i].entry != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace tracker
