// Running one transcript file against the whole program.
#pragma once

#include <string>

namespace gw::runner {

struct ScenarioOptions {
  std::string program_dir;   // $PROGRAM: the program folder with its databases and templates
  std::string fixtures_dir;  // $FIXTURES: the test fixture files
  // When not empty, the files the transcript left in $TMP are copied to this folder (created
  // when missing) before $TMP is removed, whether the transcript passed or not.
  std::string keep_dir;
};

struct ScenarioResult {
  bool passed = false;
  std::string message;  // "file:line: expected / actual" when failed
};

// Builds a fresh program on a scripted host, gives the transcript its own empty
// temporary folder ($TMP, removed afterwards) and plays it.
ScenarioResult run_scenario(const std::string& file, const ScenarioOptions& options);

}  // namespace gw::runner
