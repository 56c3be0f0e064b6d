#include "serial/qt/qt_port_enumerator.h"

#include <QSerialPortInfo>

namespace tracker {
namespace {

// Qt lists every legacy "ttyS" slot the kernel created, most of them empty. Such
// a name is kept only when something real stands behind it: a device that
// identifies itself (vendor, manufacturer or serial number), or a UART type
// known to the kernel. Every other kind of port (ttyUSB, ttyACM, ttyAMA, ...) is
// kept as listed.
bool IsRealPort(const QSerialPortInfo& info, const std::filesystem::path& sysClassTty) {
  const QString name = info.portName();
  if (!name.startsWith(QLatin1String("ttyS"))) return true;
  if (info.hasVendorIdentifier() || !info.manufacturer().isEmpty() ||
      !info.serialNumber().isEmpty()) {
    return true;
  }
  return LegacyUartPresent(name.toStdString(), sysClassTty);
}

PortInfo ToPortInfo(const QSerialPortInfo& info) {
  PortInfo port;
  port.name = info.portName().toStdString();
  port.description = info.description().toStdString();
  port.hasIds = info.hasVendorIdentifier() && info.hasProductIdentifier();
  if (port.hasIds) {
    port.vendorId = info.vendorIdentifier();
    port.productId = info.productIdentifier();
  }
  return port;
}

}  // namespace

std::vector<PortInfo> QtPortEnumerator::presentPorts() const {
  std::vector<PortInfo> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (IsRealPort(info, sysClassTty_)) ports.push_back(ToPortInfo(info));
  }
  SortPortsByName(ports);
  return ports;
}

}  // namespace tracker
