// The program's state: the unit system and its constants change together, and commands
// registered with one program belong to it alone.
#include <gtest/gtest.h>

#include <string>

#include "shell/program.h"
#include "tests/support/recording_host.h"

namespace {

using gw::UnitSystem;
using gw::shell::SharedState;

TEST(SharedState, UnitSystemAndItsConstantsChangeTogether) {
  struct Case {
    const char* text;
    const char* shown;  // the unit system the program keeps and shows
    UnitSystem system;
    const char* gravity;
    const char* dia_divisor;
    const char* manning_k;
  };
  const Case cases[] = {
      {"METRIC", "METRIC", UnitSystem::metric, "9.8146", "1000", "1"},
      {"ENGLISH", "ENGLISH", UnitSystem::english, "32.2", "12", "1.486"},
      // Another letter case names the same system, wherever the text comes from (the
      // project details window reads the stored record as it stands).
      {"English", "ENGLISH", UnitSystem::english, "32.2", "12", "1.486"},
      {"metric", "METRIC", UnitSystem::metric, "9.8146", "1000", "1"},
      // A text naming neither system is kept as it is, for the program to show.
      {"IMPERIAL", "IMPERIAL", UnitSystem::unknown, "9.8146", "1000", "1"},
  };
  SharedState v;  // one state, changed from system to system
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    v.set_unit_system(c.text);
    EXPECT_EQ(v.unit_system(), c.shown);
    EXPECT_EQ(v.units().system, c.system);
    EXPECT_EQ(v.lookup("unit_system"), c.shown);
    EXPECT_EQ(v.lookup("gravity"), c.gravity);
    EXPECT_EQ(v.lookup("dia_divisor"), c.dia_divisor);
    EXPECT_EQ(v.lookup("manning_k"), c.manning_k);
  }
}

TEST(ProgramCommands, RunOnlyInTheProgramThatRegisteredThem) {
  gw::testing::RecordingHost host;
  gw::shell::Program with(host, "");
  gw::shell::Program without(host, "");
  int runs = 0;
  with.register_command("Report", [&runs] { ++runs; });
  with.run_command("Report");
  EXPECT_EQ(runs, 1);
  without.run_command("Report");  // another program has no such command: nothing happens
  with.run_command("Other");
  EXPECT_EQ(runs, 1);
}

}  // namespace
