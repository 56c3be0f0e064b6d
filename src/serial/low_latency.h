#pragma once
// The driver's low-latency flag: USB serial adapters (FTDI and the like) then
// pass received bytes on at once instead of after their latency timer.

namespace tracker {

// Sets ASYNC_LOW_LATENCY on the port. True when this turned it on; false when
// it was on already, or the driver keeps no such flag or refuses (as
// pseudo-terminals do).
bool SetLowLatency(int fd);

// Turns the flag off again after SetLowLatency turned it on; a refusal is not
// reported.
void ClearLowLatency(int fd);

}  // namespace tracker
