#pragma once
// An engine over headless controls, a recording window and a recording port.

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/operation_table.h"
#include "protocol/commands.h"
#include "support/answer_frames.h"
#include "support/recording_port.h"
#include "support/recording_window.h"
#include "ui/memory_controls.h"

namespace tracker {

class EngineTest : public ::testing::Test {
 protected:
  void click(std::string_view control) { ASSERT_TRUE(engine.click(control)) << control; }
  void deliver(const Bytes& bytes) {
    engine.guarded([&] { engine.Comm1ReceiveData(bytes); });
  }
  void tick2(int count = 1) {
    for (int i = 0; i < count; ++i) engine.guarded([&] { engine.Timer2Timer(); });
  }
  void tick1(int count = 1) {
    for (int i = 0; i < count; ++i) engine.guarded([&] { engine.Timer1Timer(); });
  }
  EngineState& state() { return engine.state(); }
  std::string panel1() const { return window.panels[1]; }

  // The answer a tracker gives to the last request, with zero data of the
  // requested length.
  Bytes answerToLastRead() const {
    const Bytes& f = port.lastFrame();
    if (f.at(4) == 0xB7) return AnswerFrame(0xB7, Bytes(1024, 0x00));
    const std::uint16_t offset = static_cast<std::uint16_t>(f.at(6) << 8 | f.at(7));
    const std::size_t length = static_cast<std::size_t>(f.at(8) << 8 | f.at(9));
    return ReadAnswer(f.at(5), offset, Bytes(length, 0x00));
  }
  Bytes ackToLastWrite() const {
    const Bytes& f = port.lastFrame();
    if (f.at(4) == 0xB6) return AnswerFrame(0xB6, {0x01});
    return AnswerFrame(0x58, {f.at(5), 0x01});
  }

  MemoryControls controls;
  RecordingWindow window;
  RecordingPort port;
  Engine engine{controls, window, port};
};

}  // namespace tracker
