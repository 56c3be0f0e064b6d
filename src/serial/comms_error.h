#pragma once
// The serial component's exception and its messages, as the user sees them.

#include <stdexcept>
#include <string>

namespace tracker {

inline constexpr const char* kMsgAlreadyOpened = "This serial port already opened";
// The trailing blank belongs to the message.
inline constexpr const char* kMsgNotCommHandle = "File handle is not a comm handle ";
inline constexpr const char* kMsgCommBuffer = "Cannot setup comm buffer";
inline constexpr const char* kMsgCreateEvent = "Unable to create event";
inline constexpr const char* kMsgReadThread = "Unable to create read thread";
inline constexpr const char* kMsgWriteThread = "Unable to create write thread";

class ECommsError : public std::runtime_error {
 public:
  explicit ECommsError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tracker
