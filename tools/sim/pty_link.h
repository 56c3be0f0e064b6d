#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "sim/faults.h"
#include "sim/frame.h"

namespace tracker::sim {

// The tracker's end of a pseudo-terminal. The editor opens the slave side by
// its path; we keep only the master.
//
// We do not hold the slave open ourselves: with no slave open the master
// reports POLLHUP, and that is how we tell "the editor has the port open" from
// "nobody is listening" (for the "Model" banner on open, and to avoid queueing
// answers for a later opener). The slave keeps its raw settings across
// closes and reopens because the master stays open.
class PtyLink {
 public:
  PtyLink();  // throws std::runtime_error when no pseudo-terminal can be had
  ~PtyLink();
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  const std::string& path() const { return path_; }

  struct Event {
    bool peerOpen = false;  // somebody has the slave side open
    Bytes data;
  };

  // Waits up to timeout for received bytes and reports whether the slave side
  // is open. While nobody has it open, sleeps briefly instead of spinning.
  Event wait(std::chrono::milliseconds timeout);

  // Sends the pieces in order, keeping each piece's pause and, when paceBaud
  // is above 0, the average rate of a serial line at that speed (10 bits a
  // byte). Gives up when the peer closes the port or shouldStop says so.
  // Returns false when not everything went out.
  bool send(const std::vector<Piece>& pieces, int paceBaud,
            const std::function<bool()>& shouldStop);

  // When paceBaud is above 0, sleeps until `count` bytes just received would
  // have crossed a serial line at that speed behind the bytes received before.
  void paceReceived(std::size_t count, int paceBaud);

 private:
  bool writeSome(const std::uint8_t* data, std::size_t size, const std::function<bool()>& stop);
  bool writePaced(const Bytes& bytes, int paceBaud, const std::function<bool()>& stop);

  int master_ = -1;
  std::string path_;
  std::chrono::steady_clock::time_point receivedBy_;  // end of the paced receive line
};

}  // namespace tracker::sim
