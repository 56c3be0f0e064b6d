#pragma once
// Everything a user can see of every control, for before/after comparisons.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "ui/catalogue.h"
#include "ui/controls.h"
#include "ui/memory_controls.h"

namespace tracker::fuzz {

using Snapshot = std::map<std::string, std::string>;

// What one control shows.
inline std::string Shown(const Controls& controls, const std::string& n) {
  return controls.text(n) + "|" + std::to_string(controls.itemIndex(n)) + "|" +
         std::to_string(controls.checked(n)) + "|" + std::to_string(controls.shown(n)) + "|" +
         controls.caption(n);
}

inline Snapshot TakeSnapshot(const Controls& controls) {
  Snapshot snapshot;
  for (const ControlSpec& spec : Catalogue()) snapshot[spec.name] = Shown(controls, spec.name);
  return snapshot;
}

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
  for (const auto& [name, value] : expected) {
    const auto found = actual.find(name);
    if (found != actual.end() && found->second == value) continue;
    std::fprintf(stderr, "control %s: expected \"%s\", got \"%s\"\n", name.c_str(), value.c_str(),
                 found == actual.end() ? "(none)" : found->second.c_str());
    FUZZ_CHECK(!"the same window");
  }
}

}  // namespace tracker::fuzz
