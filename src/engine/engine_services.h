#pragma once
// The service commands, one row each: what a command sends, which answers
// end it with which texts, and what its time-out says. Which operation sends
// which command is the operation table's.

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/operation_table.h"
#include "engine/plan.h"
#include "protocol/frame.h"
#include "ui/controls.h"

namespace tracker {

inline constexpr int kAnyResult = -1;

// One answer a service command accepts: its first payload byte (or any),
// what panel 1 then says and the box.
struct ServiceAnswer {
  int result = kAnyResult;
  std::string_view panel;
  std::string_view box;           // empty: no such answer
  bool listsIdentifiers = false;  // the payload is the tracker's identifier list
};

struct ServiceSpec {
  std::uint8_t command;
  std::uint8_t timeout;       // ReplyTimeout in Timer2 ticks
  std::string_view starting;  // panel 1 while it runs
  Bytes (*build)(const Controls&);
  std::array<ServiceAnswer, 3> answers;
  bool pollAfter = true;      // the authorisation poll is armed again after an answer
  bool readAllAfter = false;  // the window reads everything again after a success
  std::string_view timeoutPanel;
  std::string_view timeoutBox;
};

// The row of a command; the sensor command has one row for pairing and one
// for deleting.
const ServiceSpec& ServiceOf(std::uint8_t command, bool deleting = false);

// The row an operation runs with the controls as they are: the sensor
// command deletes when index or name is empty.
const ServiceSpec& ServiceFor(const Operation& operation, const Controls& controls);

// What is asked before the operation sends anything; empty: nothing.
std::string_view QuestionOf(const Operation& operation, const Controls& controls);

}  // namespace tracker
