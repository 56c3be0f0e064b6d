#include "sim/server.h"

#include <algorithm>

#include "sim/device_info.h"

namespace tracker::sim {
namespace {

constexpr std::chrono::milliseconds kTick{50};
// The banner waits until the editor has set up its freshly opened port, and
// after a restart it comes well apart from the answer, so the two never share
// one delivery at the editor (which splits deliveries at 30 ms pauses).
constexpr std::chrono::milliseconds kBannerDelay{150};
// A frame start that sees no more bytes for this long was noise.
constexpr std::chrono::milliseconds kStaleFrame{500};

}  // namespace

std::string bannerText(const std::string& model) {
  return "Model: " + model + " V1.0\r\n";
}

Server::Server(const SimOptions& options, DeviceStore& store, PtyLink& link)
    : options_(options),
      link_(link),
      device_(store, firmwareFor(options.model)),
      faults_(options.faults) {}

void Server::run(const std::function<bool()>& shouldStop) {
  while (!shouldStop() && !vanished_) {
    const PtyLink::Event event = link_.wait(nextWait(Clock::now()));
    const auto now = Clock::now();
    onPeer(event.peerOpen, now);
    if (!event.data.empty()) {
      link_.paceReceived(event.data.size(), options_.paceBaud);
      lastData_ = now;
      serve(parser_.feed(event.data), shouldStop);
    } else if (parser_.hasPartial() && now - lastData_ > kStaleFrame) {
      lastData_ = now;
      serve(parser_.dropStale(), shouldStop);
    }
    sendBannerIfDue(Clock::now(), shouldStop);
  }
}

void Server::onPeer(bool open, Clock::time_point now) {
  if (open == peerOpen_) return;
  peerOpen_ = open;
  parser_.reset();
  bannerDue_.reset();
  if (open && options_.banner) bannerDue_ = now + kBannerDelay;
}

void Server::serve(const std::vector<Frame>& frames, const std::function<bool()>& shouldStop) {
  for (const Frame& frame : frames) {
    if (faults_.silences(frame.command)) continue;
    std::optional<Answer> answer = faults_.forgets(frame);
    if (!answer) answer = device_.handle(frame);
    if (!answer) continue;
    faults_.misecho(answer->command, answer->payload);
    link_.send(faults_.shape(encodeFrame(answer->command, answer->payload)), options_.paceBaud,
               shouldStop);
    if (faults_.vanishes()) {
      vanished_ = true;
      return;
    }
    if (answer->restarted && options_.banner) bannerDue_ = Clock::now() + kBannerDelay;
  }
}

void Server::sendBannerIfDue(Clock::time_point now, const std::function<bool()>& shouldStop) {
  if (!bannerDue_ || now < *bannerDue_) return;
  bannerDue_.reset();
  const std::string text = bannerText(options_.model);
  link_.send({Piece{{}, Bytes(text.begin(), text.end())}}, options_.paceBaud, shouldStop);
}

std::chrono::milliseconds Server::nextWait(Clock::time_point now) const {
  if (!bannerDue_) return kTick;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*bannerDue_ - now);
  return std::clamp(left, std::chrono::milliseconds{0}, kTick);
}

}  // namespace tracker::sim
