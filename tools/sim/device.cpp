#include "sim/device.h"

#include <algorithm>
#include <utility>

#include "sim/device_info.h"

namespace tracker::sim {
namespace {

constexpr std::size_t kBlockHeaderBytes = 5;  // block, offset (BE16), length (BE16)
constexpr std::size_t kAuthCodeBytes = 4;

Answer shortAnswer(std::uint8_t cmd, std::uint8_t status) {
  return Answer{cmd, {status}, false};
}

std::size_t bigEndian16(const Bytes& bytes, std::size_t at) {
  return (std::size_t{bytes[at]} << 8) | bytes[at + 1];
}

// Identifier lists travel as text, one identifier a line (CR LF between lines).
std::vector<std::string> splitLines(const Bytes& payload) {
  std::vector<std::string> lines;
  std::string line;
  for (std::uint8_t byte : payload) {
    if (byte == '\r' || byte == '\n') {
      if (!line.empty()) lines.push_back(std::exchange(line, {}));
      continue;
    }
    line.push_back(static_cast<char>(byte));
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

Device::Device(DeviceStore& store, std::string firmware)
    : store_(store), firmware_(std::move(firmware)) {}

std::optional<Answer> Device::handle(const Frame& request) {
  const Bytes& payload = request.payload;
  switch (request.command) {
    case command::kAuthorise:
      return authorise(payload);
    case command::kWriteBlock:
      return writeBlock(payload);
    case command::kReadBlock:
      return readBlock(payload);
    case command::kAddRfid:
      return addRfids(payload);
    case command::kDeleteRfid:
      return deleteRfids(payload);
    case command::kListRfid:
      return listRfids();
    case command::kTempPair:
      return shortAnswer(request.command, kDone);
    case command::kWriteWifi:
      return writeWifi(payload);
    case command::kReadWifi:
      return readWifi(payload);
    case command::kClearSms:
      return clearBuffer(request.command, TrackerBuffer::Sms);
    case command::kClearGprs1:
      return clearBuffer(request.command, TrackerBuffer::Gprs1);
    case command::kClearGprs2:
      return clearBuffer(request.command, TrackerBuffer::Gprs2);
    case command::kClearGpsLog:
      return clearBuffer(request.command, TrackerBuffer::GpsLog);
    case command::kSetMileage:
      return setMileage(payload);
    case command::kDefault:
      store_.restoreDefaults();
      return Answer{request.command, {kDone}, true};
    case command::kClearAuthCode:
      store_.authCode.reset();
      return shortAnswer(request.command, kDone);
    default:
      return std::nullopt;
  }
}

std::optional<Answer> Device::authorise(const Bytes& payload) const {
  bool accepted = !store_.authCode.has_value();
  if (!accepted && payload.size() >= 1 + kAuthCodeBytes) {
    const std::string given(payload.begin() + 1, payload.begin() + 1 + kAuthCodeBytes);
    accepted = given == *store_.authCode;
  }
  Answer answer{command::kAuthorise, {0x01, accepted ? kDone : kRefused, 0, 0, 0}, false};
  const Bytes info = deviceInfo(store_, firmware_);
  answer.payload.insert(answer.payload.end(), info.begin(), info.end());
  return answer;
}

std::optional<Answer> Device::writeBlock(const Bytes& payload) {
  if (payload.size() < kBlockHeaderBytes) return std::nullopt;
  const std::uint8_t number = payload[0];
  const std::size_t offset = bigEndian16(payload, 1);
  const std::size_t length = bigEndian16(payload, 3);
  Bytes* block = store_.block(number);
  const bool fits = block != nullptr && length == payload.size() - kBlockHeaderBytes &&
                    offset + length <= block->size();
  if (!fits) return Answer{command::kWriteBlock, {number, kRefused}, false};
  std::copy(payload.begin() + kBlockHeaderBytes, payload.end(),
            block->begin() + static_cast<std::ptrdiff_t>(offset));
  return Answer{command::kWriteBlock, {number, kDone}, false};
}

std::optional<Answer> Device::readBlock(const Bytes& payload) const {
  if (payload.size() < kBlockHeaderBytes) return std::nullopt;
  Answer answer{command::kReadBlock, Bytes(payload.begin(), payload.begin() + 5), false};
  const Bytes* block = store_.block(payload[0]);
  if (block == nullptr) return answer;
  const std::size_t offset = std::min(bigEndian16(payload, 1), block->size());
  const std::size_t length = std::min(bigEndian16(payload, 3), block->size() - offset);
  const auto begin = block->begin() + static_cast<std::ptrdiff_t>(offset);
  answer.payload.insert(answer.payload.end(), begin, begin + static_cast<std::ptrdiff_t>(length));
  return answer;
}

std::optional<Answer> Device::addRfids(const Bytes& payload) {
  const std::vector<std::string> ids = splitLines(payload);
  if (ids.empty()) return shortAnswer(command::kAddRfid, kFailed);
  for (const std::string& id : ids) {
    if (std::find(store_.rfids.begin(), store_.rfids.end(), id) == store_.rfids.end()) {
      store_.rfids.push_back(id);
    }
  }
  return shortAnswer(command::kAddRfid, kDone);
}

std::optional<Answer> Device::deleteRfids(const Bytes& payload) {
  const std::vector<std::string> ids = splitLines(payload);
  if (ids.empty()) return shortAnswer(command::kDeleteRfid, kFailed);
  std::erase_if(store_.rfids, [&ids](const std::string& id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
  });
  return shortAnswer(command::kDeleteRfid, kDone);
}

std::optional<Answer> Device::listRfids() const {
  // The first byte 2 would mean "error", so an empty list answers a bare line
  // break and no identifier may start the text with that byte.
  std::string text;
  for (const std::string& id : store_.rfids) {
    if (!text.empty()) text += "\r\n";
    text += id;
  }
  if (text.empty() || text.front() == '\x02') text.insert(0, "\r\n");
  return Answer{command::kListRfid, Bytes(text.begin(), text.end()), false};
}

std::optional<Answer> Device::writeWifi(const Bytes& payload) {
  if (payload.size() > kWifiBytes) return shortAnswer(command::kWriteWifi, kRefused);
  std::copy(payload.begin(), payload.end(), store_.wifi.begin());
  return shortAnswer(command::kWriteWifi, kDone);
}

std::optional<Answer> Device::readWifi(const Bytes& payload) const {
  if (payload.size() < 2) return std::nullopt;
  const std::size_t first = std::min<std::size_t>(payload[0], kWifiEntries);
  const std::size_t count = std::min<std::size_t>(payload[1], kWifiEntries - first);
  const auto begin = store_.wifi.begin() + static_cast<std::ptrdiff_t>(first * kWifiEntryBytes);
  const auto end = begin + static_cast<std::ptrdiff_t>(count * kWifiEntryBytes);
  return Answer{command::kReadWifi, Bytes(begin, end), false};
}

std::optional<Answer> Device::setMileage(const Bytes& payload) {
  if (payload.size() != 4) return shortAnswer(command::kSetMileage, kFailed);
  store_.mileage = std::uint32_t{payload[0]} | (std::uint32_t{payload[1]} << 8) |
                   (std::uint32_t{payload[2]} << 16) | (std::uint32_t{payload[3]} << 24);
  return shortAnswer(command::kSetMileage, kDone);
}

std::optional<Answer> Device::clearBuffer(std::uint8_t cmd, TrackerBuffer which) {
  store_.fill(which).stored = 0;
  return shortAnswer(cmd, kDone);
}

}  // namespace tracker::sim
