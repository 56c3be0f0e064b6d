#pragma once
// Enumerations and property values of the serial component. An enumeration is
// stored as its position (first name = 0).

#include <cstddef>
#include <cstdint>
#include <string>

namespace tracker {

enum class TDtrControl : std::uint8_t { DtrEnable, DtrDisable, DtrHandshake };
enum class TRtsControl : std::uint8_t {
  RtsEnable,
  RtsDisable,
  RtsHandshake,
  RtsTransmissionAvailable
};
enum class TByteSize : std::uint8_t { _5, _6, _7, _8 };
enum class TParity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class TStopBits : std::uint8_t { _1, _1_5, _2 };

// Line settings: every property from BaudRate to ReplacedChar, plus Parity.
struct CommLineProperties {
  std::int32_t BaudRate = 9600;
  bool ParityCheck = false;
  bool Outx_CtsFlow = false;
  bool Outx_DsrFlow = false;
  TDtrControl DtrControl = TDtrControl::DtrEnable;
  bool DsrSensitivity = false;
  bool TxContinueOnXoff = true;
  bool Outx_XonXoffFlow = true;
  bool Inx_XonXoffFlow = true;
  bool ReplaceWhenParityError = false;
  bool IgnoreNullChar = false;
  TRtsControl RtsControl = TRtsControl::RtsEnable;
  std::uint16_t XonLimit = 500;
  std::uint16_t XoffLimit = 500;
  TByteSize ByteSize = TByteSize::_8;
  TParity Parity = TParity::None;
  TStopBits StopBits = TStopBits::_1;
  char XonChar = 0x11;
  char XoffChar = 0x13;
  char ReplacedChar = 0x00;
};

// Read and write time-outs in milliseconds.
struct CommTimeouts {
  std::uint32_t ReadIntervalTimeout = 100;
  std::uint32_t ReadTotalTimeoutMultiplier = 0;
  std::uint32_t ReadTotalTimeoutConstant = 0;
  std::uint32_t WriteTotalTimeoutMultiplier = 0;
  std::uint32_t WriteTotalTimeoutConstant = 0;
};

// Bits of OnModemStateChange.
inline constexpr std::uint32_t kModemCarrierDetect = 8;
inline constexpr std::uint32_t kModemRing = 4;

// Bits of OnReceiveError (the driver's line-error bits).
inline constexpr std::uint32_t kLineErrorRxOver = 0x01;
inline constexpr std::uint32_t kLineErrorOverrun = 0x02;
inline constexpr std::uint32_t kLineErrorParity = 0x04;
inline constexpr std::uint32_t kLineErrorFrame = 0x08;
inline constexpr std::uint32_t kLineErrorBreak = 0x10;

// Notifications the threads post to the owner, numbered as the messages they stand for.
enum class CommNotify : std::uint32_t {
  NotifyData = 0x401,
  NotifyLineError = 0x402,
  NotifyHangup = 0x403,
  NotifyModem = 0x404,
  NotifySendEmpty = 0x405,
};

// A chunk delivered to OnReceiveData holds at most this many bytes.
inline constexpr std::size_t kReadChunkSize = 2048;

}  // namespace tracker
