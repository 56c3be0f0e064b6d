// tracker-cli's command line: what each command clicks and sets, and the
// lines it refuses before anything is opened.

#include <gtest/gtest.h>

#include "app/cli/cli_options.h"
#include "app/cli/command_table.h"
#include "ui/memory_controls.h"

namespace tracker::cli {
namespace {

CommandPlan PlanOf(const std::vector<std::string>& args) {
  const CliOptions options = ParseOptions(args);
  return FindCommand(options.command)->plan(options.arguments);
}

using Buttons = std::vector<std::string>;

// The buttons of the operations a plan runs.
Buttons buttonsOf(const CommandPlan& plan) {
  Buttons buttons;
  for (const OperationId id : plan.operations) buttons.emplace_back(OperationOf(id).button);
  return buttons;
}

TEST(CliOptions, OptionsGoAnywhereAndTakeBothForms) {
  const CliOptions o =
      ParseOptions({"read", "--port=ttyUSB1", "gprs", "--code", "0000", "--timeout=3", "event"});
  EXPECT_EQ(o.port, "ttyUSB1");
  EXPECT_EQ(o.code, "0000");
  EXPECT_EQ(o.timeout, std::chrono::seconds(3));
  EXPECT_EQ(o.command, "read");
  EXPECT_EQ(o.arguments, (Buttons{"gprs", "event"}));
  EXPECT_FALSE(o.outFile.has_value());
  EXPECT_EQ(ParseOptions({"--port", "p", "info"}).timeout, std::chrono::seconds(10));
  EXPECT_TRUE(ParseOptions({"--help"}).help);
  EXPECT_EQ(ParseOptions({"ports"}).command, "ports") << "ports needs no port";
}

TEST(CliOptions, ReadAndWriteClickTheAllButtonOrEachGroupInTurn) {
  EXPECT_EQ(buttonsOf(PlanOf({"--port", "p", "read"})), Buttons{"ReadAll"});
  EXPECT_EQ(buttonsOf(PlanOf({"--port", "p", "write", "--in", "f.ini"})), Buttons{"WriteAll"});
  EXPECT_EQ(buttonsOf(PlanOf({"--port", "p", "read", "gprs", "main", "interface", "temp", "wifi",
                              "auth", "geo", "event", "dlt"})),
            (Buttons{"GPRSRead", "MainRead", "InterfaceRead", "Temp_Read", "WIFI_Read", "SMSRead",
                     "GEOFenceRead", "EventRead", "DLTRead"}));
  EXPECT_EQ(buttonsOf(PlanOf({"--port", "p", "write", "--in", "f", "auth", "geo"})),
            (Buttons{"SMSWrite", "GEOFenceWrite"}));
}

TEST(CliOptions, ServiceCommandsSetTheirControlsFirst) {
  MemoryControls controls;
  const CommandPlan mileage = PlanOf({"--port", "p", "set-mileage", "-15"});
  EXPECT_EQ(buttonsOf(mileage), Buttons{"SetMileage"});
  mileage.prepare(controls);
  EXPECT_EQ(controls.text("Mileage"), "-15");

  const CommandPlan auth = PlanOf({"--port", "p", "rfid-auth", "00A1", "00B2"});
  EXPECT_EQ(buttonsOf(auth), Buttons{"SET_ID"});
  auth.prepare(controls);
  EXPECT_EQ(controls.text("RFID_Memo"), "00A1\n00B2");

  const CommandPlan pair = PlanOf({"--port", "p", "temp-pair", "3", "Cold room"});
  pair.prepare(controls);
  EXPECT_EQ(controls.text("Temp_Index"), "3");
  EXPECT_EQ(controls.text("Temp_Name"), "Cold room");
  const CommandPlan deleteOne = PlanOf({"--port", "p", "temp-delete", "2"});
  deleteOne.prepare(controls);
  EXPECT_EQ(controls.text("Temp_Index"), "2");
  EXPECT_EQ(controls.text("Temp_Name"), "") << "an empty name deletes";
  PlanOf({"--port", "p", "temp-delete"}).prepare(controls);
  EXPECT_EQ(controls.text("Temp_Index"), "") << "no index deletes all";

  EXPECT_TRUE(PlanOf({"--port", "p", "default"}).reidentify);
  EXPECT_EQ(buttonsOf(PlanOf({"--port", "p", "clear-gps-log"})), Buttons{"ClearGPSLog"});
  EXPECT_EQ(buttonsOf(PlanOf({"--port", "p", "clear-auth-code"})), Buttons{"ClearCode"});
}

TEST(CliOptions, BadLinesAreRefusedWithAReason) {
  const auto refused = [](const std::vector<std::string>& args, const std::string& reason) {
    try {
      ParseOptions(args);
      ADD_FAILURE() << "accepted: " << testing::PrintToString(args);
    } catch (const UsageError& e) {
      EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
  };
  refused({}, "no command");
  refused({"--port", "p", "fly"}, "unknown command 'fly'");
  refused({"--loud", "info"}, "unknown option '--loud'");
  refused({"info"}, "needs --port");
  refused({"--port", "p", "read", "gps"}, "unknown group 'gps'");
  refused({"--port", "p", "write", "gprs"}, "write needs --in");
  refused({"--port", "p", "info", "--out", "x"}, "--out belongs to read");
  refused({"--port", "p", "read", "--in", "x"}, "--in belongs to write, watch and diff");
  refused({"watch"}, "watch needs --in");
  refused({"--port", "a", "--port", "b", "read", "--out", "x"}, "--out takes one port");
  refused({"--port", "a", "--port", "/dev/a", "info"}, "--port /dev/a given twice");
  refused({"--port", "", "--port", ".", "info"}, "--port: the port name is empty");
  refused({"--port=", "watch", "--in", "x"}, "--port: the port name is empty");
  refused({"--port", ".", "--port", "/dev/", "info"}, "--port /dev/ given twice");
#ifdef _WIN32
  refused({"--port", "COM12", "--port", "\\\\.\\com12", "info"}, "given twice");
#else
  refused({"--port", "pts/3", "--port", "/dev/../dev/pts/3", "info"}, "given twice");
#endif
  refused({"--port", "p", "set-mileage", "ten"}, "'ten' is not a valid integer value");
  refused({"--port", "p", "set-mileage"}, "usage: set-mileage METRES");
  refused({"--port", "p", "temp-pair", "1"}, "usage: temp-pair");
  refused({"--port", "p", "temp-pair", "", "x"}, "non-empty");
  refused({"--port", "p", "temp-delete", "1", "2"}, "usage: temp-delete");
  refused({"--port", "p", "rfid-auth"}, "usage: rfid-auth");
  refused({"--port", "p", "--timeout", "-1", "info"}, "--timeout");
  refused({"--port", "p", "--timeout", "5s", "info"}, "--timeout");
  refused({"--port", "p", "info", "--code"}, "--code needs a value");
  refused({"--port", "p", "--code", "123", "info"}, "not 4 characters");
  refused({"--port", "p", "--code", "12345", "info"}, "not 4 characters");
}

TEST(CliOptions, UsageNamesEveryCommandAndGroup) {
  const std::string usage = UsageText();
  for (const CommandSpec& command : Commands()) {
    EXPECT_NE(usage.find("  " + std::string(command.name)), std::string::npos) << command.name;
  }
  for (const GroupArgument& group : GroupArguments()) {
    EXPECT_NE(usage.find(" " + std::string(group.name)), std::string::npos) << group.name;
  }
}

}  // namespace
}  // namespace tracker::cli
