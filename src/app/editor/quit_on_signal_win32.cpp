#include "app/editor/quit_on_signal.h"

namespace tracker {

// Windows ends a program with a window by closing it (WM_CLOSE, the session's
// end), which Qt already turns into the window's close: nothing to add.
void QuitOnTerminationSignals() {}

}  // namespace tracker
