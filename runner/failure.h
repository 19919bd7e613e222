// The scenario runner's failure: where in the transcript, what it expected, what happened.
#pragma once

#include <string>

namespace gw::runner {

// A scenario that did not go as its transcript says.
//
// Deliberately NOT derived from std::exception: the program's handlers catch
// `const std::exception&`, and a failure raised while the runner plays the program's
// host (a message box the transcript did not expect, raised inside a handler) must pass
// through them unchanged to the runner's top level.
struct Failure {
  std::string file;
  int line = 0;
  std::string expected;  // the transcript's line (or what it called for)
  std::string actual;    // what the program did or shows

  // "file:line: expected / actual"
  std::string text() const { return file + ":" + std::to_string(line) + ": " + expected + " / " + actual; }
};

}  // namespace gw::runner
