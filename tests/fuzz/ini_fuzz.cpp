// The settings layer over arbitrary file contents: a document saves the bytes
// it read unchanged (less a byte-order mark); writes read back after a reload and touch no other
// key; a settings file loaded, saved and loaded again gives the same window, and saving it twice
// the same bytes.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/settings_window.h"
#include "fuzz/snapshot.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "ui/list_values.h"
#include "ui/memory_controls.h"

namespace tracker::fuzz {
namespace {

constexpr std::string_view kFallback = "\x01missing";

// A name of one to six letters and digits, or one of the settings' own
// sections and keys, so that writes meet existing lines.
std::string Name(InputReader& input, bool section) {
  const std::uint8_t pick = input.byte();
  if (pick < 128) {
    const SettingKey& key = SettingKeys()[input.u16() % SettingKeys().size()];
    return section ? key.section : key.key;
  }
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string name;
  for (int i = pick % 6; i >= 0; --i) name += kAlphabet[input.byte() % kAlphabet.size()];
  return name;
}

// A value a profile line can hold as it is: no spaces at its ends, no quotes,
// no line breaks.
std::string Value(InputReader& input) {
  static constexpr std::string_view kAlphabet = "abcXYZ019.,:;+-_/=[]#";
  std::string value;
  for (int i = input.byte() % 12; i > 0; --i) value += kAlphabet[input.byte() % kAlphabet.size()];
  return value;
}

std::string Folded(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// Inputs whose hash is a multiple of this make the checks that walk the whole
// settings table; the others check the sections they write.
constexpr std::size_t kTableSample = 64;

bool Sampled(std::string_view bytes, std::size_t every) {
  return std::hash<std::string_view>{}(bytes) % every == 0;
}

// The settings keys of each section, by folded name.
const std::map<std::string, std::vector<const SettingKey*>>& KeysBySection() {
  static const auto sections = [] {
    std::map<std::string, std::vector<const SettingKey*>> all;
    for (const SettingKey& key : SettingKeys()) all[Folded(key.section)].push_back(&key);
    return all;
  }();
  return sections;
}

// A key's folded "section\nkey", made once for every key.
const std::string& FoldedName(const SettingKey& key) {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const SettingKey& k : SettingKeys())
      all.push_back(Folded(k.section) + "\n" + Folded(k.key));
    return all;
  }();
  return names[static_cast<std::size_t>(&key - SettingKeys().data())];
}

void CheckDocument(std::string_view bytes, InputReader& writes) {
  IniDocument document(bytes);
  // Leading byte-order marks are the one thing a save leaves out.
  const std::string_view bom = "\xEF\xBB\xBF";
  std::string_view text = bytes;
  while (text.starts_with(bom)) text.remove_prefix(bom.size());
  FUZZ_CHECK(document.bytes() == text);

  std::vector<std::pair<std::string, std::string>> written;  // folded section, key
  std::vector<std::string> values;
  std::set<std::string> sections;
  for (int n = writes.byte() % 5; n > 0; --n) {
    const std::string section = Name(writes, true);
    const std::string key = Name(writes, false);
    const std::string value = Value(writes);
    document.writeString(section, key, value);
    written.emplace_back(Folded(section) + "\n" + Folded(key), section + "\n" + key);
    values.push_back(value);
    sections.insert(Folded(section));
  }
  const IniDocument reloaded(document.bytes());
  for (std::size_t i = 0; i < written.size(); ++i) {
    bool later = false;  // a later write of the same key wins
    for (std::size_t j = i + 1; j < written.size(); ++j)
      later |= written[j].first == written[i].first;
    if (later) continue;
    const std::string& both = written[i].second;
    const std::size_t cut = both.find('\n');
    FUZZ_CHECK(reloaded.readString(both.substr(0, cut), both.substr(cut + 1), kFallback) ==
               values[i]);
  }
  std::vector<const SettingKey*> others;
  if (Sampled(bytes, kTableSample)) {
    for (const SettingKey& key : SettingKeys()) others.push_back(&key);
  } else {
    for (const std::string& section : sections) {
      const auto found = KeysBySection().find(section);
      if (found != KeysBySection().end())
        others.insert(others.end(), found->second.begin(), found->second.end());
    }
  }
  const IniDocument original(bytes);
  for (const SettingKey* key : others) {
    const std::string& folded = FoldedName(*key);
    bool touched = false;
    for (const auto& w : written) touched |= w.first == folded;
    if (touched) continue;
    FUZZ_CHECK(reloaded.readString(key->section, key->key, kFallback) ==
               original.readString(key->section, key->key, kFallback));
  }
}

void CheckSameKeys(const Controls& expected, const Controls& actual) {
  for (const SettingKey& key : SettingKeys()) {
    FUZZ_CHECK(Held(actual, key) == Held(expected, key));
  }
}

// The file round trip through one reused file in memory where the system
// offers it: the same window, the same bytes as the in-memory save.
void CheckSettingsFile(std::string_view bytes, const Controls& loaded, const std::string& saved) {
  static const std::string path = [] {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    return (base / ("tracker-ini-fuzz-" + std::to_string(::getpid()) + ".ini")).string();
  }();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  MemoryControls fromFile = SettingsWindow();
  FUZZ_CHECK(LoadSettingsFile(path, fromFile));
  CheckSameKeys(loaded, fromFile);
  SaveSettingsFile(path, fromFile);
  std::ifstream in(path, std::ios::binary);
  FUZZ_CHECK(std::string(std::istreambuf_iterator<char>(in), {}) == saved);
}

// Loaded, saved and loaded again, the window is the same; a text that is no
// settings file is refused and changes nothing. A sample of the inputs makes
// the same round trip through a real file.
void CheckSettingsText(std::string_view bytes) {
  MemoryControls first = SettingsWindow();
  try {
    LoadSettingsText(bytes, "fuzz.ini", first);
  } catch (const ESettingsReadError&) {
    CheckSameKeys(SettingsWindow(), first);
    return;
  }
  const std::string saved = SavedSettingsText(bytes, "fuzz.ini", first, {});
  MemoryControls second = SettingsWindow();
  LoadSettingsText(saved, "fuzz.ini", second);
  CheckSameKeys(first, second);
  FUZZ_CHECK(SavedSettingsText(saved, "fuzz.ini", second, {}) == saved);
  if (Sampled(bytes, kTableSample * 8)) CheckSettingsFile(bytes, first, saved);
}

}  // namespace

int FuzzOne(InputReader& input) {
  const auto all = input.rest();
  const std::uint8_t* data = all.data();
  const std::size_t size = all.size();
  // The first byte counts the bytes after it that choose the writes; the rest
  // is the file.
  const std::size_t control = size == 0 ? 0 : std::min<std::size_t>(size, 1 + data[0] % 64);
  InputReader writes(size == 0 ? data : data + 1, control == 0 ? 0 : control - 1);
  const std::string_view file(reinterpret_cast<const char*>(data) + control, size - control);
  CheckDocument(file, writes);
  if (Sampled(file, kTableSample)) CheckSettingsText(file);
  return 0;
}

}  // namespace tracker::fuzz
