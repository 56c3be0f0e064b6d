#include "engine/engine_steps.h"

namespace tracker {
namespace {

constexpr WriteStepRow kWrites[] = {
    {.step = 0, .group = Group::Gprs},        {.step = 1, .group = Group::MainA, .continues = true},
    {.step = 2, .group = Group::MainB},       {.step = 3, .group = Group::Interface},
    {.step = 4, .group = Group::Temperature}, {.step = 9, .group = Group::Wifi, .allTimeout = 3},
    {.step = 5, .group = Group::Auth},        {.step = 6, .group = Group::Geo},
    {.step = 7, .group = Group::Event},       {.step = 8, .group = Group::Dlt},
};

constexpr ReadStepRow kReads[] = {
    {.step = 0, .group = Group::Gprs},
    {.step = 1, .group = Group::MainA, .continues = true},
    {.step = 2, .group = Group::MainB},
    {.step = 3, .group = Group::Interface},
    {.step = 4, .group = Group::Temperature},
    {.step = 9, .group = Group::Wifi, .continues = true, .allTimeout = 2},
    {.step = 10, .group = Group::Wifi, .half = WifiHalf::Second, .allTimeout = 3},
    {.step = 5, .group = Group::Auth},
    {.step = 6, .group = Group::Geo},
    {.step = 7, .group = Group::Event},
    {.step = 8, .group = Group::Dlt},
};

template <typename Row>
const Row* findStep(std::span<const Row> rows, std::uint8_t step) {
  for (const Row& row : rows) {
    if (row.step == step) return &row;
  }
  return nullptr;
}

template <typename Row>
const Row& stepOf(std::span<const Row> rows, Group group) {
  for (const Row& row : rows) {
    if (row.group == group) return row;
  }
  return rows.front();
}

template <typename Row>
const Row* nextStep(std::span<const Row> rows, const Row& row, bool dltShown) {
  const Row* next = &row + 1;
  if (next == rows.data() + rows.size()) return nullptr;
  if (next->group == Group::Dlt && !dltShown) return nullptr;
  return next;
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

const WriteStepRow& WriteStepOf(Group group) {
  return stepOf(WriteSteps(), group);
}
const ReadStepRow& ReadStepOf(Group group) {
  return stepOf(ReadSteps(), group);
}

const WriteStepRow* NextWriteStep(const WriteStepRow& row, bool dltShown) {
  return nextStep(WriteSteps(), row, dltShown);
}
const ReadStepRow* NextReadStep(const ReadStepRow& row, bool dltShown) {
  return nextStep(ReadSteps(), row, dltShown);
}

StepTexts WriteTexts(const WriteStepRow& row) {
  if (row.continues) return {};
  const std::string caption(SpecOf(row.group).caption);
  return {.ok = "Write " + caption + " OK", .done = "Write " + caption + " Completed!"};
}
StepTexts ReadTexts(const ReadStepRow& row) {
  if (row.continues) return {};
  const std::string caption(SpecOf(row.group).caption);
  return {.ok = "Read " + caption + " OK", .done = "Read " + caption + " Completed!"};
}

BlockRange ReadRequestOf(const ReadStepRow& row) {
  if (row.group != Group::Wifi) return SpecOf(row.group).read;
  const std::uint8_t first = row.half == WifiHalf::First ? 0 : kWifiEntriesPerRead;
  return {.block = 0, .offset = first, .length = kWifiEntriesPerRead};
}

}  // namespace tracker
