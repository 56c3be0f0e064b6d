#pragma once
// Positions looked up by name, for the fixed sets of names the window and its
// tables are built from: open addressing over a hash of the name, so that a
// lookup is one hash and, nearly always, one comparison of names.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tracker {

class NameIndex {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // Adds a name at a position; a name already there keeps its first position
  // and false is returned.
  bool add(std::string_view name, std::size_t position);
  // The name's position, or npos.
  std::size_t find(std::string_view name) const;
  bool contains(std::string_view name) const { return find(name) != npos; }
  std::size_t size() const { return names_.size(); }

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t entry = 0;  // 1 + the entry's number; 0 for an empty slot
  };
  static std::uint32_t hashOf(std::string_view name);
  void grow();

  std::vector<std::string> names_;
  std::vector<std::size_t> positions_;
  std::vector<Slot> slots_;  // a power of two of them, at most half in use
};

}  // namespace tracker

namespace tracker {

// Values looked up by name through a NameIndex.
template <typename Value>
class NameMap {
 public:
  // A name already there keeps its first value and false is returned.
  bool emplace(std::string_view name, Value value) {
    if (!index_.add(name, values_.size())) return false;
    values_.push_back(std::move(value));
    return true;
  }
  const Value* find(std::string_view name) const {
    const std::size_t at = index_.find(name);
    return at == NameIndex::npos ? nullptr : &values_[at];
  }

 private:
  NameIndex index_;
  std::vector<Value> values_;
};

}  // namespace tracker
