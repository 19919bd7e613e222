// Fuzz harness of the scenario transcript parser: any text either parses into lines of words
// or fails with the runner's Failure naming the file and a line; a parsed word written back
// with quote() parses to itself, and control references read without fault.
#include <cstdint>
#include <string>
#include <string_view>

#include "runner/failure.h"
#include "runner/script.h"

namespace {

void require(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace gw::runner;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Paths paths{"/tmp/T", "/prog/P", "/fix/F"};
  Script script;
  try {
    script = parse_script(text, "fuzz.scn", paths);
  } catch (const Failure& f) {
    require(f.file == "fuzz.scn");
    require(f.line >= 0);
    return 0;
  }
  for (const Line& line : script.lines) {
    require(!line.words.empty());
    require(line.number >= 1);
    for (const Word& w : line.words) {
      if (auto ref = parse_ref(w.text)) require(!ref->window.empty());
      if (w.text.find('$') != std::string::npos) continue;  // the folder variables expand again
      Script again;
      try {
        again = parse_script("say " + quote(w.text), "again.scn", paths);
      } catch (const Failure&) {
        require(false);
      }
      require(again.lines.size() == 1 && again.lines[0].words.size() == 2);
      require(again.lines[0].words[1].text == w.text);
    }
  }
  return 0;
}
