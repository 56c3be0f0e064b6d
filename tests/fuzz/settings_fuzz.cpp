// Settings files put together from the input: the program's own sections with
// some of their keys, sections and keys of other programs, comments, stray
// text, no settings at all. A key the file does not hold loads as it does
// from an empty file, or, loading only what the file holds, leaves the
// window's value standing; whatever is not the program's survives a save line for
// line; saving once more changes no byte; loaded, saved and loaded again the
// window is the same.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/settings_window.h"
#include "fuzz/snapshot.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "ui/list_values.h"

namespace tracker::fuzz {
namespace {

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

std::size_t Position(const SettingKey& key) {
  return static_cast<std::size_t>(&key - SettingKeys().data());
}

// The program's sections and keys by folded name, made once.
struct OwnNames {
  std::map<std::string, std::span<const SettingKey>, std::less<>> sections;  // a section's keys
  std::map<std::string, std::size_t, std::less<>> keys;  // "section\nkey" → position
  std::vector<std::string_view> light;                   // the sections other than [Event]
};

const OwnNames& Own() {
  static const OwnNames own = [] {
    OwnNames names;
    const std::span<const SettingKey> keys = SettingKeys();
    for (std::size_t first = 0, last = 0; first < keys.size(); first = last) {
      while (last < keys.size() && keys[last].section == keys[first].section) ++last;
      names.sections.emplace(Folded(keys[first].section), keys.subspan(first, last - first));
    }
    for (const SettingKey& key : keys)
      names.keys.emplace(Folded(key.section + "\n" + key.key), Position(key));
    for (const std::string_view section : SettingSections()) {
      if (section != "Event") names.light.push_back(section);
    }
    return names;
  }();
  return own;
}

bool IsOwnSection(std::string_view folded) {
  return Own().sections.count(folded) != 0;
}

// A file being written: which of the program's keys it holds, and the lines
// that are not the program's.
class FileText {
 public:
  explicit FileText(InputReader& input) : input_(input) {}

  std::string build() {
    while (!input_.empty() && lines_ < 200) line();
    return text_;
  }
  bool holds(const SettingKey& key) const { return held_[Position(key)]; }
  const std::vector<std::string>& foreignLines() const { return foreign_; }
  bool mentions(std::string_view section) const { return seen_.count(Folded(section)) != 0; }

 private:
  void line() {
    switch (input_.byte() % 8) {
      case 0:
      case 1:
        return section(std::string(randomSection()));
      case 2:
        return section(name());
      case 3:
      case 4:
        return key(ownKeyName());
      case 5:
        return key(name());
      case 6:
        return add(input_.byte() % 2 == 0 ? "; " + value() : "", true);
      default:
        return add(stray(), false);
    }
  }
  // [Event] holds most of the program's keys: a file naming it costs every
  // load, check and save many times what the others do, so one section line
  // in 32 names it and the others are equally likely.
  std::string_view randomSection() {
    const std::uint8_t pick = input_.byte();
    if (pick % 32 == 31) return "Event";
    return Own().light[pick / 32 % Own().light.size()];
  }
  // One of the current section's own keys when it has one, else any.
  std::string ownKeyName() {
    const auto found = Own().sections.find(section_);
    const std::span<const SettingKey> keys =
        found != Own().sections.end() ? found->second : std::span(SettingKeys());
    return std::string(keys[input_.u16() % keys.size()].key);
  }
  void section(std::string name) {
    const std::uint8_t style = input_.byte();
    if ((style & 1) != 0) name = Folded(name);
    const std::string header = ((style & 2) != 0 ? " [" : "[") + name + "]";
    section_ = Folded(name);
    // A section's first header counts; keys under a repeated one are never read.
    repeated_ = !seen_.insert(section_).second;
    add(header, !IsOwnSection(section_));
  }
  void key(const std::string& name) {
    const std::string line = name + ((input_.byte() & 1) != 0 ? " = " : "=") + value();
    const auto own = Own().keys.find(section_ + "\n" + Folded(name));
    if (own != Own().keys.end() && !repeated_) held_[own->second] = true;
    add(line, own == Own().keys.end() && !IsOwnSection(section_));
  }
  std::string name() {
    static constexpr std::string_view kLetters = "ABCxyz019_.";
    std::string text;
    for (int i = 1 + input_.byte() % 6; i > 0; --i)
      text += kLetters[input_.byte() % kLetters.size()];
    return text;
  }
  std::string value() {
    static constexpr std::string_view kChars[] = {"a", "Z", "0", "9", " ", "\"",       "'",   ";",
                                                  "=", "[", "]", "-", ".", "\xC3\xA9", "\xE9"};
    std::string text;
    for (int i = input_.byte() % 12; i > 0; --i) text += kChars[input_.byte() % std::size(kChars)];
    return text;
  }
  // Text that is neither a section nor a key with a value.
  std::string stray() {
    std::string text;
    for (const std::uint8_t b : input_.take(input_.byte() % 12)) {
      if (b >= 0x20 && b != '[' && b != '=' && b != 0x7F) text += static_cast<char>(b);
    }
    return text;
  }
  // A foreign line of the program's own section may be replaced by a key the
  // save adds, so only the other sections' lines are sure to stay.
  void add(const std::string& line, bool foreign) {
    static constexpr std::string_view kEnds[] = {"\r\n", "\n", "\r\n", "\r"};
    text_ += line;
    text_ += kEnds[input_.byte() % std::size(kEnds)];
    if (foreign && !IsOwnSection(section_) && !line.empty()) foreign_.push_back(line);
    ++lines_;
  }

  InputReader& input_;
  std::string text_;
  std::string section_;
  bool repeated_ = false;
  std::set<std::string> seen_;
  std::vector<bool> held_ = std::vector<bool>(SettingKeys().size());
  std::vector<std::string> foreign_;
  int lines_ = 0;
};

// The window an empty file gives.
const MemoryControls& EmptyFileWindow() {
  static const MemoryControls window = [] {
    MemoryControls controls = SettingsWindow();
    LoadSettingsText("", "empty.ini", controls);
    return controls;
  }();
  return window;
}

// A window whose text fields hold a value no empty file gives, so that a
// value a partial load leaves standing can be told from one it reads.
const MemoryControls& MarkedWindow() {
  static const MemoryControls window = [] {
    MemoryControls controls = EmptyFileWindow();
    for (const SettingKey& key : SettingKeys()) {
      if (key.type == SettingType::Text) controls.setText(key.control, "kept");
    }
    return controls;
  }();
  return window;
}

// The marked window of only the named sections' controls, made once for each
// set of sections: a copy per input costs little, and a load that touched any
// other control would throw.
const MemoryControls& MarkedWindowOf(const std::vector<std::string_view>& sections) {
  static std::map<std::vector<std::string_view>, MemoryControls> windows;
  const auto found = windows.find(sections);
  if (found != windows.end()) return found->second;
  std::vector<std::string> names;
  for (const std::string_view section : sections) {
    for (const SettingKey& key : SectionKeys(section)) names.push_back(key.control);
  }
  MemoryControls window = WindowOf(names);
  for (const std::string_view section : sections) {
    for (const SettingKey& key : SectionKeys(section)) {
      switch (key.type) {
        case SettingType::Text:
          window.setText(key.control, MarkedWindow().text(key.control));
          break;
        case SettingType::Position:
          SetListValue(window, key.control, ListValue(MarkedWindow(), key.control));
          break;
        case SettingType::Flag:
          window.setChecked(key.control, MarkedWindow().checked(key.control));
          break;
      }
    }
  }
  return windows.emplace(sections, std::move(window)).first->second;
}

// What a file holds: a section it lacks, or a key it lacks inside one it
// has, leaves the window's value standing (checked when `kept` is set).
// Inspecting the file finds what loading it found. `loaded` is the window a
// whole load gave, when there is one: every key the held load reads reads as
// that.
void CheckHeldLoad(const std::string& text, const FileText& file,
                   const std::vector<std::string_view>& sections, const MemoryControls& partial,
                   const SettingsHeld& held, const Controls* loaded, bool kept) {
  const SettingsHeld inspected = InspectSettingsText(text);
  FUZZ_CHECK(held.sections == inspected.sections && held.missing == inspected.missing);
  if (!kept && loaded == nullptr) return;
  for (const std::string_view section : sections) {
    const bool read = held.holds(section);
    for (const SettingKey& key : SectionKeys(section)) {
      if (!read || !file.holds(key)) {
        if (kept) FUZZ_CHECK(Held(partial, key) == Held(MarkedWindow(), key));
      } else if (loaded != nullptr) {
        FUZZ_CHECK(Held(partial, key) == Held(*loaded, key));
      }
    }
  }
}

}  // namespace

int FuzzOne(InputReader& input) {
  FileText file(input);
  const std::string text = file.build();
  // Loading the whole window reads all of the program's keys, and a save
  // writes every key of the sections it saves: by far the most work of an
  // input. Every input loads what the file holds; one in 16 also checks that
  // every key it lacks was left standing and saves the sections it names,
  // twice; one in 512 loads the whole window, checks every key against it and
  // saves every section.
  const std::size_t sample = std::hash<std::string>{}(text);
  const bool whole = sample % 512 == 0;
  const bool save = sample % 16 == 0;
  std::vector<std::string_view> sections;
  for (const std::string_view section : SettingSections()) {
    if (whole || file.mentions(section)) sections.push_back(section);
  }
  MemoryControls partial = MarkedWindowOf(sections);
  const SettingsHeld held = LoadHeldSettingsText(text, partial);
  std::optional<MemoryControls> loaded;
  if (whole) {
    loaded = SettingsWindow();
    LoadSettingsText(text, "fuzz.ini", *loaded);
    for (const SettingKey& key : SettingKeys()) {
      if (!file.holds(key)) FUZZ_CHECK(Held(*loaded, key) == Held(EmptyFileWindow(), key));
    }
  }
  CheckHeldLoad(text, file, sections, partial, held, loaded ? &*loaded : nullptr, save);
  // No sections to save would save them all: the whole window's share.
  if (!save || sections.empty()) return 0;
  const Controls& source = loaded ? static_cast<const Controls&>(*loaded) : partial;
  const std::string saved = SavedSettingsText(text, "fuzz.ini", source, sections);
  for (const std::string& line : file.foreignLines()) {
    FUZZ_CHECK(saved.find(line) != std::string::npos);
  }
  FUZZ_CHECK(SavedSettingsText(saved, "fuzz.ini", source, sections) == saved);
  if (!whole) return 0;
  MemoryControls again = SettingsWindow();
  LoadSettingsText(saved, "fuzz.ini", again);
  for (const SettingKey& key : SettingKeys()) FUZZ_CHECK(Held(again, key) == Held(*loaded, key));
  return 0;
}

}  // namespace tracker::fuzz
