#pragma once
// How the reader and writer threads reach the owner: every notification is a
// callable handed to the owner's posting function, carrying its own copy of
// any bytes. The sink runs on the owner thread, in posting order.

#include <cstdint>
#include <functional>
#include <vector>

#include "serial/comm_types.h"

namespace tracker {

class CommNotifier {
 public:
  using Post = std::function<void(std::function<void()>)>;
  using Sink =
      std::function<void(CommNotify kind, std::uint32_t value, std::vector<std::uint8_t>& bytes)>;

  CommNotifier(Post post, Sink sink) : post_(std::move(post)), sink_(std::move(sink)) {}

  // Each returns false when the notification could not be posted.
  bool data(std::vector<std::uint8_t> bytes) {
    return send(CommNotify::NotifyData, 0, std::move(bytes));
  }
  bool lineError(std::uint32_t bits) { return send(CommNotify::NotifyLineError, bits, {}); }
  bool modem(std::uint32_t bits) { return send(CommNotify::NotifyModem, bits, {}); }
  bool hangup() { return send(CommNotify::NotifyHangup, 0, {}); }
  bool sendEmpty() { return send(CommNotify::NotifySendEmpty, 0, {}); }

 private:
  bool send(CommNotify kind, std::uint32_t value, std::vector<std::uint8_t> bytes) {
    try {
      post_([sink = sink_, kind, value, bytes = std::move(bytes)]() mutable {
        sink(kind, value, bytes);
      });
      return true;
    } catch (...) {
      return false;
    }
  }

  Post post_;
  Sink sink_;
};

}  // namespace tracker
