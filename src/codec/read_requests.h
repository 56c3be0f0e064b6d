#pragma once
// The read requests: block, start offset, number of bytes wanted. Each is
// defined beside the group it reads.

#include "protocol/block_map.h"

namespace tracker {

extern const BlockRange ReqGprs;
extern const BlockRange ReqDeviceId;
extern const BlockRange ReqMainA;
extern const BlockRange ReqMainB;
extern const BlockRange ReqInterface;
extern const BlockRange ReqTemp;
extern const BlockRange ReqAuth;
extern const BlockRange ReqGeo;
extern const BlockRange ReqEvent;
extern const BlockRange ReqDlt;

}  // namespace tracker
