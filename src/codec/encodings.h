#pragma once
// The encodings as function pairs over controls, for the group tables.

#include "codec/field_table.h"

namespace tracker::encoding {

extern const Encoding kText;       // text(N)
extern const Encoding kWifiText;   // text(N), reading also stops at 0xFF
extern const Encoding kU16;        // u16le
extern const Encoding kU8;         // u8
extern const Encoding kIndex;      // index
extern const Encoding kVolt100;    // volt100
extern const Encoding kHhmm;       // hhmm
extern const Encoding kSensorId;   // sensor-id
extern const Encoding kTemp10;     // temp10
extern const Encoding kI32;        // i32le, read signed
extern const Encoding kU32;        // u32le (fence radius)
extern const Encoding kTimeZone;   // i32le holding the minutes text × 60
extern const Encoding kLatitude;   // deg6 within ±90
extern const Encoding kLongitude;  // deg6 within ±180
extern const Encoding kFlag;       // one bit of flags8/flags16: Field::bit of the check
extern const Encoding kFixed;      // written as Field::bit in every byte, not read

}  // namespace tracker::encoding
