#include "serial/win32/dcb.h"

namespace tracker {

void BuildDcb(const CommLineProperties& props, DCB& dcb) {
  dcb.DCBlength = sizeof(DCB);
  dcb.BaudRate = static_cast<DWORD>(props.BaudRate);
  dcb.ByteSize = static_cast<BYTE>(static_cast<int>(props.ByteSize) + 5);
  dcb.Parity = static_cast<BYTE>(props.Parity);
  dcb.StopBits = static_cast<BYTE>(props.StopBits);
  dcb.XonLim = props.XonLimit;
  dcb.XoffLim = props.XoffLimit;
  dcb.XonChar = props.XonChar;
  dcb.XoffChar = props.XoffChar;
  dcb.ErrorChar = props.ReplacedChar;

  dcb.fBinary = TRUE;
  dcb.fParity = props.ParityCheck;
  dcb.fOutxCtsFlow = props.Outx_CtsFlow;
  dcb.fOutxDsrFlow = props.Outx_DsrFlow;
  switch (props.DtrControl) {
    case TDtrControl::DtrEnable:
      dcb.fDtrControl = DTR_CONTROL_ENABLE;
      break;
    case TDtrControl::DtrDisable:
      dcb.fDtrControl = DTR_CONTROL_DISABLE;
      break;
    case TDtrControl::DtrHandshake:
      dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
      break;
  }
  dcb.fDsrSensitivity = props.DsrSensitivity;
  dcb.fTXContinueOnXoff = props.TxContinueOnXoff;
  dcb.fOutX = props.Outx_XonXoffFlow;
  dcb.fInX = props.Inx_XonXoffFlow;
  dcb.fErrorChar = props.ReplaceWhenParityError;
  dcb.fNull = props.IgnoreNullChar;
  switch (props.RtsControl) {
    case TRtsControl::RtsEnable:
      dcb.fRtsControl = RTS_CONTROL_ENABLE;
      break;
    case TRtsControl::RtsDisable:
      dcb.fRtsControl = RTS_CONTROL_DISABLE;
      break;
    case TRtsControl::RtsHandshake:
      dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
      break;
    case TRtsControl::RtsTransmissionAvailable:
      dcb.fRtsControl = RTS_CONTROL_TOGGLE;
      break;
  }
  dcb.fAbortOnError = FALSE;
  dcb.fDummy2 = 0;
}

COMMTIMEOUTS PortTimeouts(const CommTimeouts& props) {
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = 1;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = 0;
  timeouts.WriteTotalTimeoutMultiplier = props.WriteTotalTimeoutMultiplier;
  timeouts.WriteTotalTimeoutConstant = props.WriteTotalTimeoutConstant;
  return timeouts;
}

}  // namespace tracker
