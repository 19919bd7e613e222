// Reading a line's words as a command expects them.
#include "runner/args.h"

#include <charconv>
#include <cstdlib>

#include "runner/interpreter.h"

namespace gw::runner {

void Args::malformed(const std::string& why) const { interp_.fail(line_, "malformed line: " + why); }

const Word& Args::word(std::string_view what) {
  if (empty()) malformed("missing " + std::string(what));
  return line_.words[i_++];
}

std::string Args::bare(std::string_view what) {
  const Word& w = word(what);
  if (w.quoted) malformed(std::string(what) + " must be a bare word, not " + quote(w.text));
  return w.text;
}

bool Args::take(std::string_view keyword) {
  const Word* w = peek();
  if (!w || w->quoted || w->text != keyword) return false;
  ++i_;
  return true;
}

long long Args::integer(std::string_view what) {
  std::string t = text(what);
  long long v = 0;
  auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || p != t.data() + t.size())
    malformed(std::string(what) + " must be a whole number, not " + t);
  return v;
}

double Args::number(std::string_view what) {
  std::string t = text(what);
  char* end = nullptr;
  double v = t.empty() ? 0 : std::strtod(t.c_str(), &end);
  if (t.empty() || end != t.c_str() + t.size()) malformed(std::string(what) + " must be a number, not " + t);
  return v;
}

Ref Args::ref(std::string_view what) {
  std::string t = bare(what);
  auto r = parse_ref(t);
  if (!r) malformed(t + " is not a window or control (W or W.C or W.C(i))");
  return *r;
}

Ref Args::control(std::string_view what) {
  Ref r = ref(what);
  if (!r.is_control()) malformed(r.text() + " is not a control (W.C)");
  return r;
}

Ref Args::window(std::string_view what) {
  Ref r = ref(what);
  if (r.is_control()) malformed(r.text() + " is not a window");
  return r;
}

void Args::done() {
  if (!empty()) malformed("unexpected " + (peek()->quoted ? quote(peek()->text) : peek()->text));
}

}  // namespace gw::runner
