#include "app/cli/session_record.h"

namespace tracker::cli {

SessionRecord::~SessionRecord() {
  const Controls& controls = session_.controls();
  record_.deviceId = controls.text("DeviceID");
  record_.imei = controls.text("IMEI");
  record_.firmware = controls.text("Firmware");
  record_.message = session_.lastMessage();  // a failure's own message replaces it
  record_.verified = session_.verified();
  record_.differences = session_.differences();
}

}  // namespace tracker::cli
