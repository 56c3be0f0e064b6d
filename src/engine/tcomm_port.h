#pragma once
// The serial component as the engine's port: frames go to SendData, opening
// sets the chosen name and the tracker's baud rate first, and a delivery ends
// as soon as it holds whole frames.

#include "engine/comm_port.h"
#include "serial/comm.h"

namespace tracker {

class TCommPort : public CommPort {
 public:
  explicit TCommPort(TComm& comm);

  bool SendData(std::span<const std::uint8_t> bytes) override;
  void OpenComm(const std::string& name) override;
  void CloseComm() override { comm_.CloseComm(); }
  bool present(const std::string& name) const override;

 private:
  TComm& comm_;
};

}  // namespace tracker
