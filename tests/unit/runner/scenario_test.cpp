// Tests of playing a transcript file against the whole program.
#include "runner/scenario.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/scratch_folder.h"

namespace gw::runner {
namespace {

namespace fs = std::filesystem;

class ScenarioFile : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    std::string path = scratch_.path(name);
    std::ofstream(path) << text;
    return path;
  }
  ScenarioResult run(const std::string& path) {
    return run_scenario(path, {GW_PROGRAM_DIR, GW_FIXTURES_BUILD_DIR, {}});
  }

  gw::testing::ScratchFolder scratch_;
};

TEST_F(ScenarioFile, PlaysTheProgramFromItsStartUp) {
  std::string path = write("ok.scn",
                           "start\nexpect frmsoftwaremain visible\n"
                           "copy \"$PROGRAM/Rillbase21.rdb\" \"$TMP/a/copy.rdb\"\n"
                           "expect file \"$TMP/a/copy.rdb\" exists\n");
  ScenarioResult r = run(path);
  EXPECT_TRUE(r.passed) << r.message;
}

TEST_F(ScenarioFile, AFailureNamesTheFileAndLine) {
  std::string path = write("bad.scn", "# caption\nstart\n\nexpect frmsoftwaremain caption \"Other\"\n");
  ScenarioResult r = run(path);
  EXPECT_FALSE(r.passed);
  EXPECT_EQ(
      r.message,
      path + ":4: expect frmsoftwaremain caption \"Other\" / frmsoftwaremain has caption \"Gullyworks\"");
  r = run(scratch_.path("none.scn"));
  EXPECT_FALSE(r.passed);
  EXPECT_EQ(r.message, scratch_.path("none.scn") + ":0: a transcript file / cannot read the file");
}

TEST_F(ScenarioFile, OpenProjectIsTheMainWindowsOpenWithTheProjectNameAnnounced) {
  const std::string preamble = "copy \"$FIXTURES/release2_1.gwp\" \"$TMP/p.gwp\"\nstart\n";
  ScenarioResult r =
      run(write("open.scn", preamble + "openproject \"$TMP/p.gwp\" \"Route 340 Storm Sewer\"\n"));
  EXPECT_TRUE(r.passed) << r.message;

  // A different name fails at the openproject line, with the box the program showed.
  const std::string other = write("other.scn", preamble + "openproject \"$TMP/p.gwp\" \"Other Road\"\n");
  r = run(other);
  EXPECT_FALSE(r.passed);
  EXPECT_EQ(r.message.rfind(other + ":3: openproject \"$TMP/p.gwp\" \"Other Road\" / ", 0), 0u) << r.message;
  EXPECT_NE(r.message.find("Project Name: Route 340 Storm Sewer"), std::string::npos) << r.message;

  // The box's title, when given, is checked too.
  r = run(write("titled.scn",
                preamble + "openproject \"$TMP/p.gwp\" \"Route 340 Storm Sewer\" title \"Tarnel Hydro\"\n"));
  EXPECT_TRUE(r.passed) << r.message;
  r = run(write("titled.scn",
                preamble + "openproject \"$TMP/p.gwp\" \"Route 340 Storm Sewer\" title \"Other\"\n"));
  EXPECT_FALSE(r.passed);

  for (const char* line :
       {"openproject \"$TMP/p.gwp\"\n", "openproject $TMP/p.gwp \"Route 340 Storm Sewer\"\n",
        "openproject \"$TMP/p.gwp\" \"Route 340 Storm Sewer\" title\n"}) {
    const std::string bad = write("bad.scn", preamble + line);
    r = run(bad);
    EXPECT_FALSE(r.passed);
    EXPECT_NE(r.message.find(":3: openproject "), std::string::npos) << r.message;
    EXPECT_NE(
        r.message.find(" / openproject takes a quoted path and a quoted project name, and may end in title"),
        std::string::npos)
        << r.message;
  }
}

TEST_F(ScenarioFile, EachFileHasItsOwnEmptyTemporaryFolder) {
  // The first run leaves a file in its $TMP; the second must not see it.
  std::string first = write("first.scn", "copy \"$PROGRAM/Rillbase21.rdb\" \"$TMP/left.rdb\"\n");
  std::string second = write("second.scn", "expect file \"$TMP/left.rdb\" missing\n");
  EXPECT_TRUE(run(first).passed);
  ScenarioResult r = run(second);
  EXPECT_TRUE(r.passed) << r.message;
}

TEST_F(ScenarioFile, AProgramLineChoosesTheProgramFolderBeforeTheStart) {
  // The help document opens from the chosen folder, not from the runner's.
  const std::string fixtures = GW_FIXTURES_BUILD_DIR;
  std::string chosen = write("chosen.scn",
                             "program \"$FIXTURES/refdata\"\nstart\nclick frmsoftwaremain.mnusubHelp\n"
                             "document \"$FIXTURES/refdata/Gullyworks.html\"\n");
  ScenarioResult r = run(chosen);
  EXPECT_TRUE(r.passed) << r.message;

  const struct {
    const char* text;
    std::string actual;
  } refused[] = {
      {"start\nprogram \"$FIXTURES/refdata\"\n", "the program has started already"},
      {"program \"$FIXTURES/none\"\n", "\"" + fixtures + "/none\" is not a folder"},
      {"program \"$FIXTURES/refdata/VARMNOAA.rdb\"\n",
       "\"" + fixtures + "/refdata/VARMNOAA.rdb\" is not a folder"},
  };
  for (const auto& c : refused) {
    std::string path = write("refused.scn", c.text);
    r = run(path);
    EXPECT_FALSE(r.passed) << c.text;
    EXPECT_NE(r.message.find(" / " + c.actual), std::string::npos) << r.message;
  }
}

}  // namespace
}  // namespace gw::runner
