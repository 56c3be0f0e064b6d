#pragma once
// Scheduling priority of the calling thread.

namespace tracker {

// Raises the calling thread to the highest priority the system grants, less
// `stepsBelowHighest` steps. A refusal leaves the priority as it was.
void RaiseThreadPriority(int stepsBelowHighest);

}  // namespace tracker
