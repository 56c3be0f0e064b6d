#include "base/name_index.h"

#include <cstring>

namespace tracker {

std::uint32_t NameIndex::hashOf(std::string_view name) {
  // Eight bytes at a time, the last eight overlapping the word before: a
  // lookup's cost is mostly this.
  const auto word = [&name](std::size_t at) {
    std::uint64_t w = 0;
    std::memcpy(&w, name.data() + at, 8);
    return w;
  };
  std::uint64_t hash = 0x9E3779B97F4A7C15u ^ name.size();
  const auto mix = [&hash](std::uint64_t w) {
    hash = (hash ^ w) * 0xFF51AFD7ED558CCDu;
    hash ^= hash >> 32;
  };
  if (name.size() >= 8) {
    for (std::size_t i = 0; i + 8 < name.size(); i += 8) mix(word(i));
    mix(word(name.size() - 8));
  } else {
    std::uint64_t tail = 0;
    for (const char c : name) tail = tail << 8 | static_cast<unsigned char>(c);
    mix(tail);
  }
  hash *= 0xC4CEB9FE1A85EC53u;
  return static_cast<std::uint32_t>(hash ^ hash >> 29);
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
