#pragma once
// Translation of the line properties and time-outs into the Win32 structures.

#include <windows.h>

#include "serial/comm_types.h"

namespace tracker {

// Rewrites `dcb` (as read from the driver) for the properties: baud rate,
// byte size, parity, stop bits, the XON/XOFF limits and characters, the
// error-replacement character, and the flag word built afresh (binary mode
// always; every flag not named by a property cleared, abort-on-error too).
// Fields the properties do not name keep the driver's values.
void BuildDcb(const CommLineProperties& props, DCB& dcb);

// The port's time-outs. Writes take the properties as they are. A read waits
// for its first byte without limit and returns 1 ms after the bytes stop: the
// reader ends its chunks itself, by the read properties, so that it can also
// end one as soon as the answer in it is complete. (The documented "return at
// once" pair of MAXDWORDs is not honoured by Wine; this works on both.)
COMMTIMEOUTS PortTimeouts(const CommTimeouts& props);

}  // namespace tracker
