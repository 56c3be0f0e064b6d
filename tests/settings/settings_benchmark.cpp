// Times loading and saving a settings file that holds every key.
// Not a test: run it by hand and read the figures.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/temp_folder.h"
#include "ui/memory_controls.h"

namespace {

using Clock = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

// Median and best of repeated runs, in microseconds.
void Report(const char* what, int runs, const std::function<void()>& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    step();
    times.push_back(Micros(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("%-40s median %9.1f us   best %9.1f us   (%d runs)\n", what, times[times.size() / 2],
              times.front(), runs);
}

}  // namespace

int main() {
  using namespace tracker;
  testing::TempFolder folder;
  const std::string full = folder.file("Full.ini");
  MemoryControls controls;
  SaveSettingsFile(full, controls);
  std::printf("file of every key: %zu bytes\n", testing::ReadBytes(full).size());

  constexpr int kRuns = 200;
  Report("LoadSettingsFile (927 keys)", kRuns, [&] { LoadSettingsFile(full, controls); });
  Report("SaveSettingsFile over the full file", kRuns, [&] { SaveSettingsFile(full, controls); });
  // The same work as a save, without the disk: what remains is flushing to disk.
  Report("927 writes in memory over the full file", kRuns, [&] {
    IniDocument ini;
    ini.load(full);
    for (const SettingKey& key : SettingKeys()) {
      if (key.type == SettingType::Text) {
        ini.writeString(key.section, key.key, controls.text(key.control));
      } else if (key.type == SettingType::Position) {
        ini.writeInt(key.section, key.key, controls.itemIndex(key.control));
      } else {
        ini.writeFlag(key.section, key.key, controls.checked(key.control));
      }
    }
    static_cast<void>(ini.bytes());
  });
  int n = 0;
  Report("SaveSettingsFile into a new file", kRuns,
         [&] { SaveSettingsFile(folder.file("New" + std::to_string(n++) + ".ini"), controls); });
  return 0;
}
