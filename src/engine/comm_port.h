#pragma once
// The serial port as the engine drives it: a Link for frames plus open/close.

#include <string>

#include "protocol/link.h"

namespace tracker {

class CommPort : public Link {
 public:
  // Opens the named port at 115200 baud; throws ECommsError on failure.
  virtual void OpenComm(const std::string& name) = 0;
  // Closes the port; nothing happens when it is closed.
  virtual void CloseComm() = 0;
  // Whether a port of that name is present now (watched after a hang-up).
  virtual bool present(const std::string& name) const = 0;
};

}  // namespace tracker
