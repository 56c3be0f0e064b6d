#pragma once
// The service commands, one row each: how a command starts, which answers
// end it with which texts, and what its time-out says.

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/engine_state.h"
#include "protocol/protocol_context.h"
#include "ui/controls.h"

namespace tracker {

inline constexpr int kAnyResult = -1;

// One answer a service command accepts: its first payload byte (or any),
// what panel 1 then says and the box.
struct ServiceAnswer {
  int result = kAnyResult;
  std::string_view panel;
  std::string_view box;  // empty: no such answer
};

struct ServiceSpec {
  std::string_view button;  // the control that starts it
  Op operation;
  std::uint8_t command;
  std::uint8_t timeout;       // ReplyTimeout in seconds
  std::string_view starting;  // panel 1 while it runs
  void (*build)(ProtocolContext&, const Controls&);
  std::array<ServiceAnswer, 3> answers;
  bool pollAfter = true;  // the authorisation poll is armed again after an answer
  std::string_view timeoutPanel;
  std::string_view timeoutBox;
  std::string_view confirm = {};  // asked Yes/No first when it destroys data on the tracker
};

// Every service command; Temp Pair has one row for pairing and one for deleting.
std::span<const ServiceSpec> ServiceSpecs();

// The row of a button, or null.
const ServiceSpec* FindService(std::string_view button);

// The first row of an operation, or null.
const ServiceSpec* FindServiceOf(Op operation);

// The Temp Pair row for the request: deleting when index or name is empty.
const ServiceSpec& TempPairService(bool deleting);

}  // namespace tracker
