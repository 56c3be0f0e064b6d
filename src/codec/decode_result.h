#pragma once
// What a decoder reports to the engine.

namespace tracker {

// TooShort: the answer holds fewer bytes than the decoder uses; no control
// was changed.
enum class DecodeResult { Ok, TooShort };

}  // namespace tracker
