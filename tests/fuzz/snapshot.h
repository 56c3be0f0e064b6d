#pragma once
// Everything a user can see of every control, for before/after comparisons.

#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "ui/catalogue.h"
#include "ui/controls.h"
#include "ui/memory_controls.h"

namespace tracker::fuzz {

// What one control shows.
struct View {
  std::string text;
  int index = -1;
  bool checked = false;
  bool shown = true;
  std::string caption;
  bool operator==(const View&) const = default;
};

inline View Shown(const Controls& controls, std::string_view n) {
  return {controls.text(n), controls.itemIndex(n), controls.checked(n), controls.shown(n),
          controls.caption(n)};
}

// What each control of a set shows, by name (names that outlive it), in the
// set's own order: two snapshots of one set compare entry by entry.
using Snapshot = std::vector<std::pair<std::string_view, View>>;

// A window as the program starts, built once and copied for each input.
inline MemoryControls FreshWindow() {
  static const MemoryControls pristine;
  return pristine;
}

// A window of only the named controls, as the program starts. A decoder or
// encoder that reaches for any other control throws, and the fuzzer stops.
inline MemoryControls WindowOf(const std::vector<std::string>& names) {
  std::vector<ControlSpec> specs;
  std::set<std::string> seen;
  for (const std::string& name : names) {
    const ControlSpec* spec = FindControl(name);
    FUZZ_CHECK(spec != nullptr);
    if (seen.insert(name).second) specs.push_back(*spec);
  }
  return MemoryControls(specs);
}

// Stops the program, naming the first control that differs, when they differ.
inline void CheckSameWindow(const Snapshot& expected, const Snapshot& actual) {
  FUZZ_CHECK(expected.size() == actual.size());
  const auto print = [](const char* what, const auto& entry) {
    const View& v = entry.second;
    std::fprintf(stderr, "control %.*s: %s \"%s\" %d %d %d \"%s\"\n",
                 static_cast<int>(entry.first.size()), entry.first.data(), what, v.text.c_str(),
                 v.index, v.checked, v.shown, v.caption.c_str());
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (actual[i] == expected[i]) continue;
    print("expected", expected[i]);
    print("got", actual[i]);
    FUZZ_CHECK(!"the same window");
  }
}

}  // namespace tracker::fuzz
