// Reading a line's words one after another, as a command expects them.
#pragma once

#include <string>
#include <string_view>

#include "runner/script.h"

namespace gw::runner {

class Interpreter;

// A cursor over the words after the command word. Every reader fails the scenario at the
// line ("malformed line: ...") when the word is missing or of the wrong form.
class Args {
 public:
  Args(const Interpreter& interp, const Line& line, size_t first = 1)
      : interp_(interp), line_(line), i_(first) {}

  bool empty() const { return i_ >= line_.words.size(); }
  const Word* peek() const { return empty() ? nullptr : &line_.words[i_]; }
  // The next word, bare or quoted.
  const Word& word(std::string_view what);
  std::string text(std::string_view what) { return word(what).text; }
  // The next word, which must be bare (a keyword or a name).
  std::string bare(std::string_view what);
  // Consumes the next word when it is this bare keyword.
  bool take(std::string_view keyword);
  long long integer(std::string_view what);
  double number(std::string_view what);
  Ref ref(std::string_view what);      // a window or a control
  Ref control(std::string_view what);  // W.C or W.C(i)
  Ref window(std::string_view what);   // W
  // Fails when words are left over.
  void done();
  [[noreturn]] void malformed(const std::string& why) const;

 private:
  const Interpreter& interp_;
  const Line& line_;
  size_t i_;
};

}  // namespace gw::runner
