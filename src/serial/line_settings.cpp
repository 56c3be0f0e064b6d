#include "serial/line_settings.h"

#include <sys/ioctl.h>

#include <array>
#include <utility>

namespace tracker {
namespace {

struct BaudEntry {
  std::int32_t rate;
  speed_t speed;
};

constexpr std::array kBaudTable{
    BaudEntry{50, B50},           BaudEntry{75, B75},           BaudEntry{110, B110},
    BaudEntry{134, B134},         BaudEntry{150, B150},         BaudEntry{200, B200},
    BaudEntry{300, B300},         BaudEntry{600, B600},         BaudEntry{1200, B1200},
    BaudEntry{1800, B1800},       BaudEntry{2400, B2400},       BaudEntry{4800, B4800},
    BaudEntry{9600, B9600},       BaudEntry{19200, B19200},     BaudEntry{38400, B38400},
    BaudEntry{57600, B57600},     BaudEntry{115200, B115200},   BaudEntry{230400, B230400},
    BaudEntry{460800, B460800},   BaudEntry{500000, B500000},   BaudEntry{576000, B576000},
    BaudEntry{921600, B921600},   BaudEntry{1000000, B1000000}, BaudEntry{1152000, B1152000},
    BaudEntry{1500000, B1500000}, BaudEntry{2000000, B2000000}, BaudEntry{2500000, B2500000},
    BaudEntry{3000000, B3000000}, BaudEntry{3500000, B3500000}, BaudEntry{4000000, B4000000},
};

tcflag_t CharacterSize(TByteSize size) {
  switch (size) {
    case TByteSize::_5:
      return CS5;
    case TByteSize::_6:
      return CS6;
    case TByteSize::_7:
      return CS7;
    case TByteSize::_8:
      break;
  }
  return CS8;
}

void SetParity(const CommLineProperties& props, termios& settings) {
  settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
  switch (props.Parity) {
    case TParity::None:
      break;
    case TParity::Odd:
      settings.c_cflag |= PARENB | PARODD;
      break;
    case TParity::Even:
      settings.c_cflag |= PARENB;
      break;
    case TParity::Mark:
      settings.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case TParity::Space:
      settings.c_cflag |= PARENB | CMSPAR;
      break;
  }
  // Checking received parity; a byte with a parity error then reads as NUL,
  // the terminal layer's only replacement character.
  if (props.ParityCheck) settings.c_iflag |= INPCK;
}

void SetFlowControl(const CommLineProperties& props, termios& settings) {
  const bool hardware = props.Outx_CtsFlow || props.RtsControl == TRtsControl::RtsHandshake;
  if (hardware) settings.c_cflag |= CRTSCTS;
  if (props.Outx_XonXoffFlow) settings.c_iflag |= IXON;
  if (props.Inx_XonXoffFlow) settings.c_iflag |= IXOFF;
  settings.c_cc[VSTART] = static_cast<cc_t>(props.XonChar);
  settings.c_cc[VSTOP] = static_cast<cc_t>(props.XoffChar);
}

void SetModemLine(int fd, int line, bool on) {
  ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

}  // namespace

std::optional<speed_t> BaudToSpeed(std::int32_t baudRate) {
  for (const auto& entry : kBaudTable) {
    if (entry.rate == baudRate) return entry.speed;
  }
  return std::nullopt;
}

std::int32_t SpeedToBaud(speed_t speed) {
  for (const auto& entry : kBaudTable) {
    if (entry.speed == speed) return entry.rate;
  }
  return 0;
}

void BuildTermios(const CommLineProperties& props, termios& settings) {
  cfmakeraw(&settings);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | CRTSCTS);
  settings.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXON | IXOFF | IXANY);
  // No modem-line dependence for reading, receiver on.
  settings.c_cflag |= CLOCAL | CREAD | CharacterSize(props.ByteSize);
  // One and a half stop bits exist only with five data bits; the UART picks it for CSTOPB.
  if (props.StopBits != TStopBits::_1) settings.c_cflag |= CSTOPB;
  SetParity(props, settings);
  SetFlowControl(props, settings);
  // The reader thread does its own chunking. With VMIN 1 a non-blocking read
  // of an empty queue fails with EAGAIN, so that 0 means the line hung up.
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  if (const auto speed = BaudToSpeed(props.BaudRate)) {
    cfsetispeed(&settings, *speed);
    cfsetospeed(&settings, *speed);
  }
}

void ApplyLineSettings(int fd, const CommLineProperties& props) {
  termios settings{};
  if (tcgetattr(fd, &settings) == 0) {
    BuildTermios(props, settings);
    tcsetattr(fd, TCSANOW, &settings);
  }
  // Handshake modes have no separate terminal setting for the line itself: the
  // line is raised, and CRTSCTS (above) lets the driver drive RTS.
  SetModemLine(fd, TIOCM_DTR, props.DtrControl != TDtrControl::DtrDisable);
  SetModemLine(fd, TIOCM_RTS, props.RtsControl != TRtsControl::RtsDisable);
}

}  // namespace tracker
