#include "sim/state_file.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tracker::sim {
namespace {

constexpr const char* kMagic = "tracker-sim-state 1";

std::string toHex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0x0F]);
  }
  return hex;
}

std::string toHex(const Bytes& bytes) {
  return toHex(std::string(bytes.begin(), bytes.end()));
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string fromHex(const std::string& hex, int lineNo) {
  std::string bytes;
  bool bad = hex.size() % 2 != 0;
  for (std::size_t i = 0; !bad && i < hex.size(); i += 2) {
    const int high = hexDigit(hex[i]);
    const int low = hexDigit(hex[i + 1]);
    bad = high < 0 || low < 0;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  if (bad) throw StateError("line " + std::to_string(lineNo) + ": bad hex data");
  return bytes;
}

// Replaces target's bytes with the line's, which must have the same size.
void loadSized(Bytes& target, const std::string& hex, int lineNo) {
  const std::string bytes = fromHex(hex, lineNo);
  if (bytes.size() != target.size()) {
    throw StateError("line " + std::to_string(lineNo) + ": expected " +
                     std::to_string(target.size()) + " bytes, found " +
                     std::to_string(bytes.size()));
  }
  target.assign(bytes.begin(), bytes.end());
}

void parseLine(const std::string& key, std::istringstream& in, int lineNo, DeviceStore& store) {
  const auto fail = [lineNo](const std::string& why) {
    throw StateError("line " + std::to_string(lineNo) + ": " + why);
  };
  std::string hex;
  if (key == "block") {
    int number = 0;
    in >> number >> hex;
    Bytes* block = store.block(number);
    if (!in || block == nullptr) fail("bad block line");
    loadSized(*block, hex, lineNo);
  } else if (key == "wifi") {
    in >> hex;
    loadSized(store.wifi, hex, lineNo);
  } else if (key == "rfid") {
    in >> hex;
    store.rfids.push_back(fromHex(hex, lineNo));
  } else if (key == "buffer") {
    std::size_t k = 0;
    in >> k;
    if (!in || k >= store.buffers.size()) fail("bad buffer line");
    in >> store.buffers[k].stored >> store.buffers[k].capacity;
  } else if (key == "battery") {
    unsigned value = 0;
    in >> value;
    if (value > 255) fail("battery out of range");
    store.battery = static_cast<std::uint8_t>(value);
  } else if (key == "mileage") {
    in >> store.mileage;
  } else if (key == "code") {
    in >> hex;
    store.authCode.reset();
    if (hex != "none") store.authCode = fromHex(hex, lineNo);
  } else {
    fail("unknown item '" + key + "'");
  }
  if (!in) fail("bad " + key + " line");
}

}  // namespace

std::string formatState(const DeviceStore& store) {
  std::ostringstream out;
  out << kMagic << '\n';
  for (int n = 1; n <= kBlockCount; ++n)
    out << "block " << n << ' ' << toHex(*store.block(n)) << '\n';
  out << "wifi " << toHex(store.wifi) << '\n';
  for (const std::string& id : store.rfids) out << "rfid " << toHex(id) << '\n';
  for (std::size_t k = 0; k < store.buffers.size(); ++k) {
    out << "buffer " << k << ' ' << store.buffers[k].stored << ' ' << store.buffers[k].capacity
        << '\n';
  }
  out << "battery " << unsigned{store.battery} << '\n';
  out << "mileage " << store.mileage << '\n';
  out << "code " << (store.authCode ? toHex(*store.authCode) : std::string("none")) << '\n';
  return out.str();
}

void parseState(const std::string& text, DeviceStore& store) {
  std::istringstream lines(text);
  std::string line;
  if (!std::getline(lines, line) || line != kMagic)
    throw StateError("not a tracker-sim state file");
  DeviceStore loaded = store;
  loaded.rfids.clear();
  int lineNo = 1;
  while (std::getline(lines, line)) {
    ++lineNo;
    if (line.empty()) continue;
    std::istringstream in(line);
    std::string key;
    in >> key;
    parseLine(key, in, lineNo, loaded);
  }
  store = std::move(loaded);
}

void loadStateFile(const std::string& path, DeviceStore& store) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw StateError("cannot open " + path);
  std::ostringstream text;
  text << file.rdbuf();
  try {
    parseState(text.str(), store);
  } catch (const StateError& e) {
    throw StateError(path + ": " + e.what());
  }
}

void saveStateFile(const std::string& path, const DeviceStore& store) {
  writeFileAtomically(path, formatState(store));
}

void writeFileAtomically(const std::string& path, const std::string& text) {
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file << text;
    file.flush();
    if (!file) {
      std::remove(temp.c_str());
      throw StateError("cannot write " + temp);
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    throw StateError("cannot replace " + path);
  }
}

}  // namespace tracker::sim
