// Running one transcript file against the whole program.
#pragma once

#include <string>

#include "runner/script.h"

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

// The commands a transcript has for this program, spelt out into the lines they stand for:
//   openproject "path" "name" [title "T"]
//       the main window's Open, the file dialog answered with the path and the project's name
//       announced (in a box titled T); the same as the three lines
//     click frmsoftwaremain.mnuopenProj
//     open "path"
//     message "Project Name: name" info [title "T"]
// Each line spelt out keeps the number and text of the line it came from, so that a failure
// names the transcript's own line. A malformed line fails with a Failure.
Script with_program_commands(Script script);

// Builds a fresh program on a scripted host, gives the transcript its own empty
// temporary folder ($TMP, removed afterwards) and plays it.
ScenarioResult run_scenario(const std::string& file, const ScenarioOptions& options);

}  // namespace gw::runner
