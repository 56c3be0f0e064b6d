#pragma once
// A CommPort that records frames and open/close calls, for engine tests.

#include <string>

#include "engine/comm_port.h"
#include "support/recording_link.h"

namespace tracker {

class RecordingPort : public CommPort {
 public:
  bool SendData(std::span<const std::uint8_t> bytes) override { return link.SendData(bytes); }
  void OpenComm(const std::string& name) override {
    if (!failOpen.empty()) throw std::runtime_error(failOpen);
    opened = name;
    isOpen = true;
  }
  void CloseComm() override { isOpen = false; }
  bool present(const std::string&) const override { return presentNow; }

  const std::vector<std::uint8_t>& lastFrame() const { return link.last(); }
  std::size_t frameCount() const { return link.frames.size(); }
  std::uint8_t lastCommand() const { return link.last().at(4); }

  RecordingLink link;
  std::string opened;
  std::string failOpen;  // message OpenComm throws when set
  bool isOpen = false;
  bool presentNow = true;  // what present() says of any port
};

}  // namespace tracker
