// Measures, over a pseudo-terminal with Comm1's settings, the delay from the
// last byte of a burst to its OnReceiveData (for bytes that end by the read
// interval, and for a frame that the engine's completeness test ends at once),
// and the CPU an idle open port uses.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "protocol/frame.h"
#include "serial/comm.h"
#include "serial/owner_queue.h"
#include "serial/pty_pair.h"
#include "support/answer_frames.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Sends the burst 20 times and prints the delays from its last byte to its
// last delivery; false when a burst was not delivered.
bool MeasureDelays(const char* what, tracker::test::PtyPair& pty, tracker::OwnerQueue& queue,
                   const std::vector<std::uint8_t>& burst, std::size_t& received,
                   const Clock::time_point& delivered) {
  std::vector<double> delays;
  for (int i = 0; i < 20; ++i) {
    received = 0;
    pty.writeMaster(burst);
    const auto lastByte = Clock::now();
    if (!tracker::test::RunUntil(queue, [&] { return received >= burst.size(); })) {
      std::fprintf(stderr, "burst %d not delivered (%zu bytes)\n", i, received);
      return false;
    }
    delays.push_back(Milliseconds(delivered - lastByte));
  }
  std::sort(delays.begin(), delays.end());
  std::printf(
      "delay last byte -> OnReceiveData (%s, 20 runs): min %.1f ms, median %.1f ms, "
      "max %.1f ms\n",
      what, delays.front(), delays[delays.size() / 2], delays.back());
  return true;
}

}  // namespace

int main() {
  tracker::test::PtyPair pty;
  tracker::OwnerQueue queue;
  tracker::TComm comm(queue.poster());
  comm.applyComm1Values();
  comm.SetCommName(pty.path());
  comm.SetCompletenessTest(tracker::FramesComplete);
  Clock::time_point delivered;
  std::size_t received = 0;
  comm.OnReceiveData = [&](tracker::TComm&, const std::uint8_t*, std::uint16_t length) {
    delivered = Clock::now();
    received += length;
  };
  comm.OpenComm();

  const auto frame = tracker::AnswerFrame(0x59, tracker::test::Pattern(193));
  if (!MeasureDelays("200 bytes of noise", pty, queue, tracker::test::Pattern(200), received,
                     delivered) ||
      !MeasureDelays("a 200-byte frame", pty, queue, frame, received, delivered)) {
    return 1;
  }

  queue.runPending();
  const double cpuBefore = CpuSeconds();
  const auto idleStart = Clock::now();
  std::this_thread::sleep_for(2s);
  const double cpu = CpuSeconds() - cpuBefore;
  const double wall = Milliseconds(Clock::now() - idleStart) / 1000.0;
  std::printf("CPU while open and idle: %.3f ms over %.2f s (%.4f %%)\n", cpu * 1000.0, wall,
              100.0 * cpu / wall);
  comm.CloseComm();
  return 0;
}
