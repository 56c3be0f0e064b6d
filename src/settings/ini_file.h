#pragma once
// A settings file as the Windows profile functions see it: read by section and
// key, written one key at a time, everything the writes do not touch kept byte
// for byte. The file is read once, indexed, changed in memory and saved in one
// atomic step.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "settings/atomic_write.h"

namespace tracker {

enum class IniLoad { Missing, Loaded, Unreadable };

class IniDocument {
 public:
  // Values are cut to this many characters on reading.
  static constexpr std::size_t kMaxValueLength = 2047;

  IniDocument() = default;
  explicit IniDocument(std::string_view bytes);

  // Replaces the document by the file's content. A missing file (or a folder)
  // gives Missing and an empty document; a file that exists but cannot be read,
  // or is not text (it holds NUL or other control bytes), gives Unreadable, an
  // empty document and the reason in loadProblem().
  IniLoad load(const std::string& path);
  // The same for a file's content already in memory: Loaded, or Unreadable
  // (an empty document and the reason) when it is not text.
  IniLoad loadText(std::string_view bytes);
  const std::string& loadProblem() const { return loadProblem_; }

  // Texts are UTF-8; the file's bytes are decoded per value (see text_encoding.h).
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  std::int32_t readInt(std::string_view section, std::string_view key, std::int32_t fallback) const;
  bool readFlag(std::string_view section, std::string_view key, bool fallback) const;
  // Whether the file holds the section; the key with a value in it.
  bool holds(std::string_view section) const { return findSection(section) != nullptr; }
  bool holds(std::string_view section, std::string_view key) const {
    return readRaw(section, key).has_value();
  }
  // The names of the keys the file holds in the section (as holds() counts
  // them: each name once), in no particular order. Views into the document,
  // valid until it changes.
  std::vector<std::string_view> keyNames(std::string_view section) const;

  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInt(std::string_view section, std::string_view key, std::int32_t value);
  void writeFlag(std::string_view section, std::string_view key, bool value);

  // The document's bytes as they would be saved. A byte-order mark the file
  // began with is not written back (the Windows reader would take it as part
  // of the first line).
  std::string bytes() const;
  // Replaces the file atomically; throws EIniWriteError.
  void save(const std::string& path) const;

 private:
  struct Line {
    std::string text;
    std::string eol;  // "\r\n", "\n", "\r", or empty on a last line without one
  };
  // Names compare without regard to ASCII case, looked up by a view of the
  // name without building a string.
  struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using NameIndex = std::unordered_map<std::string, std::size_t, FoldedHash, FoldedEqual>;

  // A section's key lines by the folded hash of their names, sorted by hash,
  // one entry for each name (its first line): no string of its own, as a
  // file of a thousand keys would otherwise take two allocations a key.
  class KeyIndex {
   public:
    // While parsing: every key line, in file order; then sealed once.
    void add(std::string_view name, std::size_t line);
    void seal(const std::vector<Line>& body);
    // The body line of a name; npos when the section has no such key.
    std::size_t find(const std::vector<Line>& body, std::string_view name) const;
    void insert(std::string_view name, std::size_t line);  // a name not yet held
    std::size_t size() const { return entries_.size(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

    struct Entry {
      std::size_t hash;
      std::size_t line;
    };

   private:
    // Sorted up to sorted_; names inserted since stand after it, merged in
    // now and then, so that writing many keys stays linear.
    std::vector<Entry> entries_;
    std::size_t sorted_ = 0;
  };

  struct Section {
    Line header;
    std::vector<Line> body;
    KeyIndex keys;
    std::size_t keysEnd = 0;  // body position after the last key line
  };

  void parse(std::string_view bytes);
  void addLine(Line line);
  const Section* findSection(std::string_view name) const;
  // Trimmed value of a key with its one outer quote pair removed; nothing when
  // the key is missing or its line holds no "=".
  std::optional<std::string_view> readRaw(std::string_view section, std::string_view key) const;
  void writeRaw(std::string_view section, std::string_view key, const std::string& value);
  Line* lastLine();

  std::string loadProblem_;
  std::vector<Line> prelude_;  // lines before the first section: kept, never read
  std::vector<Section> sections_;
  NameIndex sectionIndex_;  // name → first section
};

}  // namespace tracker
