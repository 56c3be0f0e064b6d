#pragma once
// One suite for every Controls implementation: instantiate it with a factory
// that builds a fresh window (or its headless stand-in) from the catalogue.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "ui/catalogue.h"
#include "ui/controls.h"
#include "ui/list_values.h"

namespace tracker {

using ControlsFactory = std::function<std::shared_ptr<Controls>()>;

class ControlsConformance : public ::testing::TestWithParam<ControlsFactory> {
 protected:
  void SetUp() override { controls_ = GetParam()(); }
  Controls& c() { return *controls_; }

 private:
  std::shared_ptr<Controls> controls_;
};

TEST_P(ControlsConformance, StartsWithEveryCatalogueValue) {
  for (const ControlSpec& spec : Catalogue()) {
    SCOPED_TRACE(spec.name);
    ASSERT_TRUE(c().has(spec.name));
    EXPECT_EQ(c().enabled(spec.name), spec.initiallyEnabled);
    EXPECT_EQ(c().shown(spec.name), spec.initiallyShown);
    EXPECT_EQ(c().caption(spec.name), spec.caption);
    switch (spec.kind) {
      case ControlKind::Edit:
      case ControlKind::Memo:
        EXPECT_EQ(c().text(spec.name), spec.initialText);
        break;
      case ControlKind::List:
        EXPECT_EQ(c().itemIndex(spec.name), spec.initialIndex);
        EXPECT_EQ(c().itemCount(spec.name), static_cast<int>(spec.items.size()));
        EXPECT_EQ(c().text(spec.name), spec.initialText);
        break;
      case ControlKind::Check:
        EXPECT_EQ(c().checked(spec.name), spec.initialChecked);
        break;
      default:
        break;
    }
  }
}

TEST_P(ControlsConformance, UnknownNamesAreProgrammingErrors) {
  EXPECT_FALSE(c().has("NoSuchControl"));
  EXPECT_THROW(c().text("NoSuchControl"), std::out_of_range);
  EXPECT_THROW(c().setText("NoSuchControl", "x"), std::out_of_range);
  EXPECT_THROW(c().setChecked("NoSuchControl", true), std::out_of_range);
  EXPECT_THROW(c().shown("NoSuchControl"), std::out_of_range);
}

TEST_P(ControlsConformance, ListPositionOutsideItemsSelectsNothing) {
  c().setItemIndex("GPRSType", 2);
  EXPECT_EQ(c().text("GPRSType"), "UDP");
  for (int bad : {3, -1, 255, -7}) {
    SCOPED_TRACE(bad);
    c().setItemIndex("GPRSType", 1);
    c().setItemIndex("GPRSType", bad);
    EXPECT_EQ(c().itemIndex("GPRSType"), -1);
    EXPECT_EQ(c().text("GPRSType"), "");
  }
  // Back to a valid position after an invalid one.
  c().setItemIndex("GPRSType", 0);
  EXPECT_EQ(c().itemIndex("GPRSType"), 0);
  EXPECT_EQ(c().text("GPRSType"), "Close");
}

TEST_P(ControlsConformance, AListValueItDoesNotKnowIsAnExtraItem) {
  SetListValue(c(), "GPRSType", 64);
  EXPECT_EQ(c().itemCount("GPRSType"), 4);
  EXPECT_EQ(c().text("GPRSType"), "Value 64");
  EXPECT_EQ(ListValue(c(), "GPRSType"), 64);
  SetListValue(c(), "GPRSType", 0xFF);
  EXPECT_EQ(ListValue(c(), "GPRSType"), -1);
  EXPECT_EQ(c().itemCount("GPRSType"), 3);
  SetListValue(c(), "GPRSType", 2);
  EXPECT_EQ(c().text("GPRSType"), "UDP");
}

TEST_P(ControlsConformance, TypedListTextLeavesNoSelection) {
  c().setText("Car_Type", "Something typed");
  EXPECT_EQ(c().itemIndex("Car_Type"), -1);
  EXPECT_EQ(c().text("Car_Type"), "Something typed");
  // Even a text equal to an item selects nothing.
  c().setItemIndex("BufferMode", 0);
  c().setText("BufferMode", "FIFO");
  EXPECT_EQ(c().itemIndex("BufferMode"), -1);
  EXPECT_EQ(c().text("BufferMode"), "FIFO");
}

TEST_P(ControlsConformance, ReplacingItemsKeepsTheTypedText) {
  c().setText("ComboBox1", "COM7");
  c().setItems("ComboBox1", {"/dev/ttyS0", "/dev/ttyUSB0"});
  EXPECT_EQ(c().itemCount("ComboBox1"), 2);
  EXPECT_EQ(c().text("ComboBox1"), "COM7");
  EXPECT_EQ(c().itemIndex("ComboBox1"), -1);
  c().setItemIndex("ComboBox1", 1);
  EXPECT_EQ(c().text("ComboBox1"), "/dev/ttyUSB0");
  c().setItems("ComboBox1", {});
  EXPECT_EQ(c().itemCount("ComboBox1"), 0);
  EXPECT_EQ(c().itemIndex("ComboBox1"), -1);
  EXPECT_EQ(c().text("ComboBox1"), "/dev/ttyUSB0");
}

TEST_P(ControlsConformance, TextsKeepNonAsciiCharacters) {
  c().setText("APN", "internet.ü.de");
  EXPECT_EQ(c().text("APN"), "internet.ü.de");
  c().setText("RFID_Memo", "0001\n0002");
  EXPECT_EQ(c().text("RFID_Memo"), "0001\n0002");
}

TEST_P(ControlsConformance, StatesAndCaptionsChange) {
  c().setChecked("No3Out", true);
  EXPECT_TRUE(c().checked("No3Out"));
  c().setEnabled("DeviceID", false);
  EXPECT_FALSE(c().enabled("DeviceID"));
  c().setShown("In5Mode", true);
  EXPECT_TRUE(c().shown("In5Mode"));
  c().setShown("IN1ActiveTM", false);
  EXPECT_FALSE(c().shown("IN1ActiveTM"));
  c().setCaption("Label219", "Input1(AD1)");
  EXPECT_EQ(c().caption("Label219"), "Input1(AD1)");
  c().setCaption("OpenPort", "Close");
  EXPECT_EQ(c().caption("OpenPort"), "Close");
  c().setCaption("Speed", "Overspeed");
  EXPECT_EQ(c().caption("Speed"), "Overspeed");
}

TEST_P(ControlsConformance, KindMismatchesAreRefused) {
  EXPECT_THROW(c().setItemIndex("APN", 0), std::invalid_argument);
  EXPECT_THROW(c().setItems("APN", {"a"}), std::invalid_argument);
  EXPECT_THROW(c().setChecked("APN", true), std::invalid_argument);
  EXPECT_THROW(c().setCaption("AlarmTime1", "x"), std::invalid_argument);
  EXPECT_EQ(c().itemIndex("APN"), -1);
  EXPECT_EQ(c().itemCount("APN"), 0);
  EXPECT_FALSE(c().checked("APN"));
}

}  // namespace tracker
