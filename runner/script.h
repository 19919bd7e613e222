// Transcript text: lines split into words, the folder variables, control references.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw::runner {

// One word of a line: a bare word, or a double-quoted string with its escapes undone.
struct Word {
  std::string text;
  bool quoted = false;
};

struct Line {
  int number = 0;      // 1-based line of the file
  std::string source;  // the line as written, comment and outer blanks removed
  std::vector<Word> words;

  const std::string& command() const { return words.front().text; }
};

struct Script {
  std::string file;         // as named to the runner; reported with every failure
  std::vector<Line> lines;  // commands only: blank and comment lines are dropped
};

// The folders a transcript names by variable: $TMP, $PROGRAM, $FIXTURES.
struct Paths {
  std::string tmp;
  std::string program;
  std::string fixtures;
};

// Splits the text of a transcript into its command lines. Words are separated by blanks;
// `#` outside a quoted string starts a comment; a quoted string takes three escapes:
// backslash-quote, a doubled backslash and backslash-n. The folder variables are
// replaced in every word, quoted or not. A malformed line (an unterminated string, an
// unknown escape, a quote inside a bare word) fails with a Failure naming the file and
// line.
Script parse_script(std::string_view text, const std::string& file, const Paths& paths);

// Reads and parses a transcript file; a file that cannot be read fails at line 0.
Script load_script(const std::string& path, const Paths& paths);

// Replaces $TMP, $PROGRAM and $FIXTURES (each followed by a character that cannot
// continue a name) by their folders; any other `$` stays as written.
std::string expand(std::string_view word, const Paths& paths);

// Writes a text as a quoted transcript string, escapes included: say "a\"b".
std::string quote(std::string_view text);

// A window, or a window's control: `window`, `window.control`, `window.control(index)`.
struct Ref {
  std::string window;
  std::string control;  // empty for a window reference
  int index = -1;       // the (index), -1 when absent

  bool is_control() const { return !control.empty(); }
  std::string text() const;  // as written: "frmX.txtdE(0)"
};

// Reads a reference; nullopt when the word is not one.
std::optional<Ref> parse_ref(std::string_view word);

}  // namespace gw::runner
