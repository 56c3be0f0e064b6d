// The settings layer over arbitrary file contents: a document saves the bytes
// it read unchanged; writes read back after a reload and touch no other key;
// a settings file loaded, saved and loaded again gives the same window.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/snapshot.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
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

void CheckDocument(std::string_view bytes, InputReader& writes) {
  IniDocument document(bytes);
  FUZZ_CHECK(document.bytes() == bytes);

  std::vector<std::pair<std::string, std::string>> written;  // folded section, key
  std::vector<std::string> values;
  for (int n = writes.byte() % 5; n > 0; --n) {
    const std::string section = Name(writes, true);
    const std::string key = Name(writes, false);
    const std::string value = Value(writes);
    document.writeString(section, key, value);
    written.emplace_back(Folded(section) + "\n" + Folded(key), section + "\n" + key);
    values.push_back(value);
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
  const IniDocument original(bytes);
  for (const SettingKey& key : SettingKeys()) {
    const std::string folded = Folded(key.section) + "\n" + Folded(key.key);
    bool touched = false;
    for (const auto& w : written) touched |= w.first == folded;
    if (touched) continue;
    FUZZ_CHECK(reloaded.readString(key.section, key.key, kFallback) ==
               original.readString(key.section, key.key, kFallback));
  }
}

// A folder for the files, in memory where the system offers one.
const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::filesystem::path path = base / ("tracker-ini-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

void CheckSettingsFile(std::string_view bytes) {
  const std::string path = (Folder() / "settings.ini").string();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  MemoryControls first = FreshWindow();
  try {
    FUZZ_CHECK(LoadSettingsFile(path, first));
  } catch (const ESettingsReadError&) {
    // Not a text settings file: refused, and the window is as it was.
    const MemoryControls fresh = FreshWindow();
    for (const SettingKey& key : SettingKeys()) {
      FUZZ_CHECK(Shown(first, key.control) == Shown(fresh, key.control));
    }
    return;
  }
  SaveSettingsFile(path, first);
  MemoryControls second = FreshWindow();
  FUZZ_CHECK(LoadSettingsFile(path, second));
  for (const SettingKey& key : SettingKeys()) {
    FUZZ_CHECK(Shown(second, key.control) == Shown(first, key.control));
  }
}

}  // namespace
}  // namespace tracker::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tracker::fuzz;
  // The first byte counts the bytes after it that choose the writes; the rest
  // is the file.
  const std::size_t control = size == 0 ? 0 : std::min<std::size_t>(size, 1 + data[0] % 64);
  InputReader writes(size == 0 ? data : data + 1, control == 0 ? 0 : control - 1);
  const std::string_view file(reinterpret_cast<const char*>(data) + control, size - control);
  CheckDocument(file, writes);
  CheckSettingsFile(file);
  return 0;
}
