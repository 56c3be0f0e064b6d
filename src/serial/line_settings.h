#pragma once
// Translation of the line properties into POSIX terminal settings.

#include <termios.h>

#include <cstdint>
#include <optional>

#include "serial/comm_types.h"

namespace tracker {

// The termios speed constant of a standard baud rate; nullopt for any other rate.
std::optional<speed_t> BaudToSpeed(std::int32_t baudRate);
// The baud rate of a termios speed constant; 0 when unknown.
std::int32_t SpeedToBaud(speed_t speed);

// Rewrites `settings` (as read from the driver) for the properties: raw binary
// mode, speed, character size, parity, stop bits and flow control. Fields that
// have no terminal equivalent (DSR flow and sensitivity, XON/XOFF limits,
// TxContinueOnXoff) are left to the driver. A rate the terminal layer has no
// constant for keeps the driver's speed.
void BuildTermios(const CommLineProperties& props, termios& settings);

// Applies the line settings to an open terminal: termios, then DTR and RTS.
// Refusals are not reported (a pseudo-terminal refuses the modem lines).
void ApplyLineSettings(int fd, const CommLineProperties& props);

}  // namespace tracker
