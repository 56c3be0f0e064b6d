#include "ui/memory_controls.h"

#include "ui/controls_conformance.h"

namespace tracker {

INSTANTIATE_TEST_SUITE_P(Memory, ControlsConformance, ::testing::Values(ControlsFactory([] {
                           return std::make_shared<MemoryControls>();
                         })));

}  // namespace tracker
