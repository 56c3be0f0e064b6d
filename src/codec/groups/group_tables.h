#pragma once
// The field table of each parameter group.

#include "codec/field_table.h"

namespace tracker {

const GroupTable& GprsTable();
const GroupTable& MainATable();
const GroupTable& MainBTable();
const GroupTable& InterfaceTable();
const GroupTable& TemperatureTable();
const GroupTable& WifiTable();  // all 32 entries; read in halves of 16
const GroupTable& AuthTable();
const GroupTable& GeoTable();
const GroupTable& EventTable();
const GroupTable& DltTable();

}  // namespace tracker
