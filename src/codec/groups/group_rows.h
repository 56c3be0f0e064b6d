#pragma once
// The row of each parameter group, and the read requests that fetch them.

#include "codec/group_row.h"
#include "codec/read_requests.h"

namespace tracker {

const GroupSpec& GprsSpec();
const GroupSpec& MainASpec();
const GroupSpec& MainBSpec();
const GroupSpec& InterfaceSpec();
const GroupSpec& TemperatureSpec();
const GroupSpec& WifiSpec();  // all 32 entries; read in halves of 16
const GroupSpec& AuthSpec();
const GroupSpec& GeoSpec();
const GroupSpec& EventSpec();
const GroupSpec& DltSpec();

}  // namespace tracker
