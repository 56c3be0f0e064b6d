// The settings layer over arbitrary file contents: a document saves the bytes
// it read unchanged (less a byte-order mark); writes read back after a reload and touch no other
// key; a settings file loaded, saved and loaded again gives the same window, and saving it twice
// the same bytes.

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
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

// Inputs whose hash is a multiple of this read every key of the settings table
// back after the writes; the others read the sections they write.
constexpr std::size_t kTableSample = 64;
// Inputs whose hash is a multiple of this load and save the file as settings
// (every key of the table into a window and out again, twice: the costliest
// check by far), and one in four of them through a real file.
constexpr std::size_t kSettingsSample = 256;

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

// One write an input asks for.
struct Write {
  std::string folded;  // folded "section\nkey"
  std::string section;
  std::string key;
  std::string value;
};

std::vector<Write> Writes(InputReader& writes) {
  std::vector<Write> all;
  for (int n = writes.byte() % 5; n > 0; --n) {
    std::string section = Name(writes, true);
    std::string key = Name(writes, false);
    std::string folded = Folded(section) + "\n" + Folded(key);
    all.push_back({std::move(folded), std::move(section), std::move(key), Value(writes)});
  }
  return all;
}

// Keys read back per section written, on the inputs that do not walk the
// whole table (the events' section alone has hundreds).
constexpr std::size_t kKeysPerSection = 32;

// The settings keys the writes leave alone: on a sample of the inputs every
// key of the table, on the others a stride through each section written, from
// a point the input chooses, so that over many inputs every key is read.
std::vector<const SettingKey*> Untouched(std::string_view bytes,
                                         const std::vector<Write>& written) {
  std::vector<const SettingKey*> keys;
  if (Sampled(bytes, kTableSample)) {
    for (const SettingKey& key : SettingKeys()) keys.push_back(&key);
  } else {
    const std::size_t start = std::hash<std::string_view>{}(bytes) / kTableSample;
    std::set<std::string> sections;
    for (const Write& w : written) sections.insert(w.folded.substr(0, w.folded.find('\n')));
    for (const std::string& section : sections) {
      const auto found = KeysBySection().find(section);
      if (found == KeysBySection().end()) continue;
      const std::vector<const SettingKey*>& all = found->second;
      const std::size_t stride = std::max<std::size_t>(1, all.size() / kKeysPerSection);
      for (std::size_t i = start % stride; i < all.size(); i += stride) keys.push_back(all[i]);
    }
  }
  std::erase_if(keys, [&](const SettingKey* key) {
    return std::any_of(written.begin(), written.end(),
                       [&](const Write& w) { return w.folded == FoldedName(*key); });
  });
  return keys;
}

void CheckDocument(std::string_view bytes, InputReader& input) {
  IniDocument document(bytes);
  // Leading byte-order marks are the one thing a save leaves out.
  const std::string_view bom = "\xEF\xBB\xBF";
  std::string_view text = bytes;
  while (text.starts_with(bom)) text.remove_prefix(bom.size());
  FUZZ_CHECK(document.bytes() == text);

  const std::vector<Write> written = Writes(input);
  const std::vector<const SettingKey*> others = Untouched(bytes, written);
  std::vector<std::string> before;  // what the untouched keys read before the writes
  for (const SettingKey* key : others)
    before.push_back(document.readString(key->section, key->key, kFallback));
  for (const Write& w : written) document.writeString(w.section, w.key, w.value);

  const IniDocument reloaded(document.bytes());
  for (std::size_t i = 0; i < written.size(); ++i) {
    const auto later = [&](const Write& w) { return w.folded == written[i].folded; };
    // A later write of the same key wins.
    if (std::any_of(written.begin() + static_cast<std::ptrdiff_t>(i) + 1, written.end(), later))
      continue;
    FUZZ_CHECK(reloaded.readString(written[i].section, written[i].key, kFallback) ==
               written[i].value);
  }
  for (std::size_t i = 0; i < others.size(); ++i)
    FUZZ_CHECK(reloaded.readString(others[i]->section, others[i]->key, kFallback) == before[i]);
}

void CheckSameKeys(const Controls& expected, const Controls& actual) {
  for (const SettingKey& key : SettingKeys()) {
    FUZZ_CHECK(Held(actual, key) == Held(expected, key));
  }
}

// The run's own file, in memory where the system offers it; removed at exit.
std::string SettingsFilePath() {
  const std::filesystem::path base =
      std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  return (base / ("tracker-ini-fuzz-" + std::to_string(::getpid()) + ".ini")).string();
}

// The file round trip through one reused file in memory where the system
// offers it: the same window, the same bytes as the in-memory save.
void CheckSettingsFile(std::string_view bytes, const Controls& loaded, const std::string& saved) {
  static const std::string path = [] {
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove(SettingsFilePath(), ignored);
    });
    return SettingsFilePath();
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
  if (Sampled(bytes, kSettingsSample * 4)) CheckSettingsFile(bytes, first, saved);
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
  if (Sampled(file, kSettingsSample)) CheckSettingsText(file);
  return 0;
}

}  // namespace tracker::fuzz
