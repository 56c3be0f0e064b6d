#include "ui/memory_controls.h"

#include "ui/controls_conformance.h"

namespace tracker {

INSTANTIATE_TEST_SUITE_P(Memory, ControlsConformance, ::testing::Values(ControlsFactory([] {
                           return std::make_shared<MemoryControls>();
                         })));

// Copies share their state until one changes it: a change to any control, in
// any copy, shows in that copy alone, whichever was made from which.
TEST(MemoryControlsCopies, AChangeShowsInTheChangedCopyAlone) {
  struct Case {
    const char* name;
    int changed;  // 0: the original, 1: its copy, 2: the copy's copy
  };
  for (const Case& t : {Case{"original", 0}, Case{"copy", 1}, Case{"copy of the copy", 2}}) {
    SCOPED_TRACE(t.name);
    MemoryControls windows[3];
    windows[1] = windows[0];
    windows[2] = windows[1];
    for (const ControlSpec& spec : Catalogue()) {
      if (spec.kind == ControlKind::Edit) windows[t.changed].setText(spec.name, "changed");
      windows[t.changed].setEnabled(spec.name, !spec.initiallyEnabled);
    }
    for (int w = 0; w < 3; ++w) {
      for (const ControlSpec& spec : Catalogue()) {
        SCOPED_TRACE(spec.name);
        const bool changed = w == t.changed;
        ASSERT_EQ(windows[w].enabled(spec.name), changed != spec.initiallyEnabled);
        if (spec.kind == ControlKind::Edit) {
          ASSERT_EQ(windows[w].text(spec.name), changed ? "changed" : spec.initialText);
        }
      }
    }
  }
}

}  // namespace tracker
