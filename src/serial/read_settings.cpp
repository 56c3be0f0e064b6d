#include "serial/read_settings.h"

#include <algorithm>
#include <limits>

#include "serial/comm_types.h"

namespace tracker {
namespace {

// An interval of all ones asks for whatever has arrived, without waiting.
constexpr std::uint32_t kIntervalNoWait = std::numeric_limits<std::uint32_t>::max();

}  // namespace

int ChunkTimeoutMs(const ReadSettings& settings, std::int64_t elapsedMs) {
  const std::uint32_t interval = settings.intervalMs.load();
  const std::int64_t total =
      std::int64_t{settings.totalMultiplierMs.load()} * std::int64_t{kReadChunkSize} +
      settings.totalConstantMs.load();
  std::int64_t timeout = -1;
  if (interval == kIntervalNoWait)
    timeout = 0;
  else if (interval != 0)
    timeout = interval;
  if (total > 0) {
    const std::int64_t left = std::max<std::int64_t>(0, total - elapsedMs);
    timeout = timeout < 0 ? left : std::min(timeout, left);
  }
  return static_cast<int>(std::min<std::int64_t>(timeout, std::numeric_limits<int>::max()));
}

}  // namespace tracker
