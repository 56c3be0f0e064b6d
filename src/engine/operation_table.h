#pragma once
// Every operation the program runs, one row each: what starts it, what it is
// called, what kind it is and what it moves. The engine, the busy lock, the
// progress plan, the window's buttons and the command line look operations up
// here; adding an operation is adding a row.

#include <cstdint>
#include <span>
#include <string_view>

#include "codec/group_row.h"

namespace tracker {

// Where a read's answers go: the window, or scratch controls for a read-back.
enum class ReadBackPurpose { None, Verify, Compare };

enum class OperationId : std::uint8_t {
  ReadAll,
  WriteAll,
  ReadGprs,
  WriteGprs,
  ReadMain,
  WriteMain,
  ReadInterface,
  WriteInterface,
  ReadTemp,
  WriteTemp,
  ReadWifi,
  WriteWifi,
  ReadSms,
  WriteSms,
  ReadGeo,
  WriteGeo,
  ReadEvent,
  WriteEvent,
  ReadDlt,
  WriteDlt,
  Default,
  ClearGprs1,
  ClearGprs2,
  ClearSms,
  ClearGpsLog,
  SetMileage,
  RfidAdd,
  RfidDelete,
  RfidCheck,
  TempPair,
  ClearAuthCode,
  CompareWithTracker,
  Identify,
};

enum class OperationKind : std::uint8_t {
  Read,            // reads its groups into the window (or into scratch controls)
  Write,           // encodes its groups first, writes them, reads them back when verifying
  Service,         // one command that acts on the tracker (engine_services.cpp)
  Identification,  // the identifier read that follows the authorisation answer
};

// What an operation that changes the tracker reads first and keeps (the
// copy before).
enum class KeepsBefore : std::uint8_t {
  Nothing,      // it changes nothing on the tracker
  DeviceInfo,   // it clears counters or a code: the device information is kept
  Groups,       // a write: the groups it writes; a service: its `group`
  Identifiers,  // the RFID changes: the identifiers the tracker holds
  AllGroups,    // "Default": everything
};

struct Operation {
  OperationId id;
  OperationKind kind;
  std::string_view button = {};    // the control that starts it; empty: none
  std::string_view title = {};     // "Read GEO": the progress display's name
  std::string_view starting = {};  // panel 1 as it starts: "Reading GEO..."
  Group group = Group::Gprs;       // reads and writes: the group, or the first of all
  bool all = false;                // reads and writes: every group, in order
  std::uint8_t command = 0;        // service: the command it sends
  KeepsBefore keeps = KeepsBefore::Nothing;
  std::string_view confirm = {};                     // asked Yes/No before anything is sent
  ReadBackPurpose readBack = ReadBackPurpose::None;  // where a read's answers go
  // The window's creation leaves its button enabled (the Info tab's services);
  // every button is disabled once the port state is known.
  bool enabledAtStart = false;
};

std::span<const Operation> Operations();

// The row of an operation; every id has exactly one.
const Operation& OperationOf(OperationId id);

// The row a button starts, or null.
const Operation* FindOperation(std::string_view button);

// The single-group read or write of a group (Main: its first range), or null.
const Operation* FindGroupOperation(OperationKind kind, Group group);

// Whether the operation changes the tracker's parameters or counters.
inline bool ChangesTracker(const Operation& operation) {
  return operation.keeps != KeepsBefore::Nothing;
}

}  // namespace tracker
