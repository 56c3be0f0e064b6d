#include "engine/engine_steps.h"

#include "engine/engine_state.h"

namespace tracker {
namespace {

using G = GroupId;

constexpr WriteStepRow kWrites[] = {
    {0, G::Gprs, 1, "Write GPRS OK", "Write GPRS Completed!"},
    {1, G::MainA, 2, "", ""},
    {2, G::MainB, 2, "Write Main OK", "Write Main Completed!"},
    {3, G::Interface, 2, "Write Interface OK", "Write Interface Completed!"},
    {4, G::Temperature, 2, "Write Temperature OK", "Write Temperature Completed!"},
    {kWifiWriteStep, G::Wifi, 0, "Write WIFI OK", "Write WIFI Completed!"},
    {5, G::Auth, 3, "Write Auth OK", "Write Auth Completed!"},
    {6, G::Geo, 4, "Write GEO OK", "Write GEO Completed!"},
    {7, G::Event, 5, "Write Event OK", "Write Event Completed!"},
    {kDltStep, G::Dlt, 6, "Write DLT OK", "Write DLT Completed!"},
};

constexpr ReadStepRow kReads[] = {
    {0, G::Gprs, ReqGprs, 5, "Read GPRS OK", "Read GPRS Completed!"},
    {1, G::MainA, ReqMainA, 5, "", ""},
    {2, G::MainB, ReqMainB, 5, "Read Main OK", "Read Main Completed!"},
    {3, G::Interface, ReqInterface, 5, "Read Interface OK", "Read Interface Completed!"},
    {4, G::Temperature, ReqTemp, 5, "Read Temperature OK", "Read Temperature Completed!"},
    {kWifiReadStep1, G::WifiFirstHalf, {0, 0x00, 0x10}, 2, "", ""},
    {kWifiReadStep2, G::WifiSecondHalf, {0, 0x10, 0x10}, 3, "Read WIFI OK", "Read WIFI Completed!"},
    {5, G::Auth, ReqAuth, 5, "Read Auth OK", "Read Auth Completed!"},
    {6, G::Geo, ReqGeo, 5, "Read GEO OK", "Read GEO Completed!"},
    {7, G::Event, ReqEvent, 5, "Read Event OK", "Read Event Completed!"},
    {kDltStep, G::Dlt, ReqDlt, 5, "Read DLT OK", "Read DLT Completed!"},
};

template <typename Row>
const Row* findStep(std::span<const Row> rows, std::uint8_t step) {
  for (const Row& row : rows) {
    if (row.step == step) return &row;
  }
  return nullptr;
}

template <typename Row>
std::optional<std::uint8_t> nextStep(std::span<const Row> rows, std::uint8_t step, bool dltShown) {
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    if (rows[i].step != step) continue;
    const std::uint8_t next = rows[i + 1].step;
    if (next == kDltStep && !dltShown) return std::nullopt;
    return next;
  }
  return std::nullopt;
}

}  // namespace

std::span<const WriteStepRow> WriteSteps() {
  return kWrites;
}
std::span<const ReadStepRow> ReadSteps() {
  return kReads;
}

const WriteStepRow* FindWriteStep(std::uint8_t step) {
  return findStep(WriteSteps(), step);
}
const ReadStepRow* FindReadStep(std::uint8_t step) {
  return findStep(ReadSteps(), step);
}

std::optional<std::uint8_t> NextWriteStep(std::uint8_t step, bool dltShown) {
  return nextStep(WriteSteps(), step, dltShown);
}

std::optional<std::uint8_t> NextReadStep(std::uint8_t step, bool dltShown) {
  return nextStep(ReadSteps(), step, dltShown);
}

}  // namespace tracker
