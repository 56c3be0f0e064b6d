#pragma once
// TComm, the serial-port component, as this platform builds it: both backends
// offer the same properties, events and operations.

#ifdef _WIN32
#include "serial/win32/win32_comm.h"
#else
#include "serial/termios_comm.h"
#endif
