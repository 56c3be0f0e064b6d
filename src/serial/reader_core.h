#pragma once
// What the reader threads of both systems share: the owner's notifier, the
// read settings, the completeness test, the gathered bytes, the thread, and
// the posting of a finished chunk. A reader derives as
// `class TReadThread : public ReaderCore<TReadThread>` and provides run().

#include <algorithm>
#include <cstdint>
#include <span>
#include <thread>
#include <vector>

#include "serial/comm_notifier.h"
#include "serial/read_settings.h"

namespace tracker {

template <class Reader>
class ReaderCore {
 public:
  ReaderCore(const ReaderCore&) = delete;
  ReaderCore& operator=(const ReaderCore&) = delete;

  // Starts the thread; throws std::system_error when it cannot be created.
  void start() {
    thread_ = std::thread([this] { static_cast<Reader&>(*this).run(); });
  }
  // Waits for the end of the thread (the close event must be raised first).
  void join() {
    if (thread_.joinable()) thread_.join();
  }

 protected:
  // An empty test ends chunks by the time-outs and the size alone.
  ReaderCore(CommNotifier notifier, const ReadSettings& settings, TCompletenessTest complete)
      : notifier_(std::move(notifier)), settings_(settings), complete_(std::move(complete)) {}
  // The reader joins in its own destructor, while its parts exist.
  ~ReaderCore() = default;

  // More than any answer is long; beyond it, full chunks are no longer kept
  // for the test.
  static constexpr std::size_t kMaxGathered = 64 * 1024;

  // Whether gathered_[0, end) ends an answer, by the owner's test.
  bool answerEnds(std::size_t end) const {
    return complete_ && complete_(std::span<const std::uint8_t>(gathered_.data(), end));
  }
  // Posts a finished chunk, its NUL bytes dropped when the settings say so;
  // false, after a hang-up notice, when it could not be posted.
  bool post(std::vector<std::uint8_t> chunk) {
    if (settings_.ignoreNullChar.load()) std::erase(chunk, std::uint8_t{0});
    if (chunk.empty()) return true;
    if (notifier_.data(std::move(chunk))) return true;
    notifier_.hangup();
    return false;
  }

  CommNotifier notifier_;
  const ReadSettings& settings_;
  const TCompletenessTest complete_;
  // The chunk being read, after the chunks that ended full since the last
  // chunk that ended otherwise: an answer longer than a chunk is tested whole.
  std::vector<std::uint8_t> gathered_;

 private:
  std::thread thread_;
};

}  // namespace tracker
