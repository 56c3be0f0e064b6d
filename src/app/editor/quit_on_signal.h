#pragma once
// Ends the event loop on SIGTERM, SIGINT or SIGHUP, so the port is closed and
// the demo tracker ended as on Exit.

namespace tracker {

void QuitOnTerminationSignals();

}  // namespace tracker
