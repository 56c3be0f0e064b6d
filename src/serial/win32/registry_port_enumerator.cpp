#include "serial/win32/registry_port_enumerator.h"

#include <windows.h>
// After windows.h.
#include <setupapi.h>

#include <map>

#include "base/win32/wide_text.h"

namespace tracker {
namespace {

// GUID_DEVINTERFACE_COMPORT, the interface every COM port device offers.
constexpr GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

// A registry string value, as UTF-8; empty when it is not a string.
std::string StringValue(HKEY key, const wchar_t* name) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return {};
  if (type != REG_SZ || bytes == 0) return {};
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  value.resize(wcsnlen(value.c_str(), value.size()));
  return Utf8FromWide(value);
}

// The port names in the registry's enumeration order.
std::vector<std::string> RegistryPortNames() {
  std::vector<std::string> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return names;
  }
  for (DWORD index = 0;; ++index) {
    wchar_t valueName[256];
    DWORD length = static_cast<DWORD>(std::size(valueName));
    if (RegEnumValueW(key, index, valueName, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    std::string port = StringValue(key, valueName);
    if (!port.empty()) names.push_back(std::move(port));
  }
  RegCloseKey(key);
  return names;
}

// Port name -> friendly name of every present COM port device that has both.
std::map<std::string, std::string> FriendlyNames() {
  std::map<std::string, std::string> names;
  HDEVINFO devices = SetupDiGetClassDevsW(&kComPortInterface, nullptr, nullptr,
                                          DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (devices == INVALID_HANDLE_VALUE) return names;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
    HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    const std::string port = StringValue(key, L"PortName");
    RegCloseKey(key);
    wchar_t friendly[256] = {};
    if (port.empty() || !SetupDiGetDeviceRegistryPropertyW(
                            devices, &device, SPDRP_FRIENDLYNAME, nullptr,
                            reinterpret_cast<BYTE*>(friendly), sizeof friendly - 2, nullptr)) {
      continue;
    }
    names[port] = Utf8FromWide(friendly);
  }
  SetupDiDestroyDeviceInfoList(devices);
  return names;
}

}  // namespace

std::vector<PortInfo> RegistryPortEnumerator::presentPorts() const {
  const std::map<std::string, std::string> friendly = FriendlyNames();
  std::vector<PortInfo> ports;
  for (std::string& name : RegistryPortNames()) {
    const auto it = friendly.find(name);
    ports.push_back(
        PortInfo{std::move(name), it != friendly.end() ? it->second : std::string(), 0, 0, false});
  }
  SortPortsByName(ports);
  return ports;
}

}  // namespace tracker
