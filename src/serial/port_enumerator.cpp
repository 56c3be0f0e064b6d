#include "serial/port_enumerator.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace tracker {
namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The digit run starting at `pos`, without leading zeros.
std::string_view DigitRun(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  std::string_view run = text.substr(start, pos - start);
  while (run.size() > 1 && run.front() == '0') run.remove_prefix(1);
  return run;
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const std::string_view x = DigitRun(a, i);
      const std::string_view y = DigitRun(b, j);
      if (x.size() != y.size()) return x.size() < y.size();
      if (x != y) return x < y;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}

void SortPortsByName(std::vector<PortInfo>& ports) {
  std::stable_sort(ports.begin(), ports.end(), [](const PortInfo& x, const PortInfo& y) {
    return NaturalLess(x.name, y.name);
  });
}

bool LegacyUartPresent(std::string_view name, const std::filesystem::path& sysClassTty) {
  std::ifstream typeFile(sysClassTty / std::string(name) / "type");
  int type = 0;
  return typeFile >> type && type != 0;
}

}  // namespace tracker
