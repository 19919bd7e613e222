// Tests of splitting transcripts into words, the folder variables and control references.
#include "runner/script.h"

#include <gtest/gtest.h>

#include "runner/failure.h"

namespace gw::runner {
namespace {

const Paths kPaths{"/tmp/s1", "/opt/prog", "/fx"};

std::vector<std::string> texts(const Line& l) {
  std::vector<std::string> v;
  for (auto& w : l.words) v.push_back((w.quoted ? "q:" : "") + w.text);
  return v;
}

TEST(Script, SplitsWordsStringsAndComments) {
  struct Case {
    const char* line;
    std::vector<std::string> words;  // "q:" marks a quoted word
    const char* source;
  };
  const Case cases[] = {
      {"click frmX.cmdGo", {"click", "frmX.cmdGo"}, "click frmX.cmdGo"},
      {"  \ttype   frmX.txtdE(0)  \"1.5\"  ",
       {"type", "frmX.txtdE(0)", "q:1.5"},
       "type   frmX.txtdE(0)  \"1.5\""},
      {"expect frmX.lbl \"a # b\" # a comment",
       {"expect", "frmX.lbl", "q:a # b"},
       "expect frmX.lbl \"a # b\""},
      {"message \"say \\\"hi\\\"\\\\now\\nthen\"",
       {"message", "q:say \"hi\"\\now\nthen"},
       "message \"say \\\"hi\\\"\\\\now\\nthen\""},
      {"pick frmX.lst \"23\\t14\"", {"pick", "frmX.lst", "q:23\t14"}, "pick frmX.lst \"23\\t14\""},
      {"expect frmX.txt \"\"", {"expect", "frmX.txt", "q:"}, "expect frmX.txt \"\""},
      {"key frmX.txt 13#comment", {"key", "frmX.txt", "13"}, "key frmX.txt 13"},
      {"message \"x\" -> yes\r", {"message", "q:x", "->", "yes"}, "message \"x\" -> yes"},
  };
  for (const Case& c : cases) {
    Script s = parse_script(c.line, "f.scn", kPaths);
    ASSERT_EQ(s.lines.size(), 1u) << c.line;
    EXPECT_EQ(texts(s.lines[0]), c.words) << c.line;
    EXPECT_EQ(s.lines[0].source, c.source) << c.line;
  }
}

TEST(Script, DropsBlankAndCommentLinesButKeepsLineNumbers) {
  Script s = parse_script("# heading\n\nstart\n   # indented comment\n  \nclose frmX\n", "f.scn", kPaths);
  ASSERT_EQ(s.lines.size(), 2u);
  EXPECT_EQ(s.file, "f.scn");
  EXPECT_EQ(s.lines[0].number, 3);
  EXPECT_EQ(s.lines[0].command(), "start");
  EXPECT_EQ(s.lines[1].number, 6);
}

TEST(Script, ReplacesFolderVariablesInEveryWord) {
  struct Case {
    const char* word;
    const char* expanded;
  };
  const Case cases[] = {
      {"$TMP/p.gwp", "/tmp/s1/p.gwp"},
      {"$PROGRAM/Rillbase21.rdb", "/opt/prog/Rillbase21.rdb"},
      {"$FIXTURES", "/fx"},
      {"a $TMP b $TMP", "a /tmp/s1 b /tmp/s1"},
      {"$TMPX", "$TMPX"},      // not the variable: a longer name
      {"$HOME/x", "$HOME/x"},  // unknown variables stay
      {"cost $5", "cost $5"},
  };
  for (const Case& c : cases) EXPECT_EQ(expand(c.word, kPaths), c.expanded) << c.word;
  Script s = parse_script("copy \"$FIXTURES/a b.gwp\" $TMP/x.gwp", "f.scn", kPaths);
  EXPECT_EQ(texts(s.lines[0]), (std::vector<std::string>{"copy", "q:/fx/a b.gwp", "/tmp/s1/x.gwp"}));
}

TEST(Script, MalformedLinesFailAtTheirLine) {
  struct Case {
    const char* text;
    int line;
    const char* why;
  };
  const Case cases[] = {
      {"start\nmessage \"open", 2, "malformed line: unterminated string"},
      {"message \"a\\qb\"", 1, "malformed line: unknown escape \\q"},
      {"\n\nexpect frmX.a ab\"c\"", 3, "malformed line: a quote inside the word ab"},
      {"message \"a\"b", 1, "malformed line: a quoted string must be followed by a blank"},
      {"\"start\"", 1, "malformed line: a line starts with a command word, not a string"},
      {"message \"ends in backslash\\", 1, "malformed line: unterminated string"},
  };
  for (const Case& c : cases) {
    try {
      parse_script(c.text, "bad.scn", kPaths);
      ADD_FAILURE() << "no failure for " << c.text;
    } catch (const Failure& f) {
      EXPECT_EQ(f.file, "bad.scn");
      EXPECT_EQ(f.line, c.line) << c.text;
      EXPECT_EQ(f.actual, c.why) << c.text;
    }
  }
}

TEST(Script, QuoteWritesWhatParsingReadsBack) {
  for (std::string t : {"plain", "a \"quoted\" word", "back\\slash", "two\nlines", ""}) {
    Script s = parse_script("message " + quote(t), "f.scn", kPaths);
    EXPECT_EQ(s.lines[0].words[1].text, t);
  }
  EXPECT_EQ(quote("a\"b"), "\"a\\\"b\"");
}

TEST(Script, ReadsWindowAndControlReferences) {
  struct Case {
    const char* word;
    bool valid;
    const char* window;
    const char* control;
    int index;
  };
  const Case cases[] = {
      {"frmsoftwaremain", true, "frmsoftwaremain", "", -1},
      {"frmEnergyDissipation.txtdE(0)", true, "frmEnergyDissipation", "txtdE", 0},
      {"frmsoftwaremain.StatusBar(1)", true, "frmsoftwaremain", "StatusBar", 1},
      {"W.Toolbar1(12)", true, "W", "Toolbar1", 12},
      {"W.C_2", true, "W", "C_2", -1},
      {"W.", false, "", "", -1},
      {".C", false, "", "", -1},
      {"W.C()", false, "", "", -1},
      {"W.C(-1)", false, "", "", -1},
      {"W.C(1", false, "", "", -1},
      {"W.C(a)", false, "", "", -1},
      {"W.C(1)x", false, "", "", -1},
      {"W(1)", false, "", "", -1},
      {"W.C.D", false, "", "", -1},
      {"1W.C", false, "", "", -1},
      {"W.C(1234567)", false, "", "", -1},
  };
  for (const Case& c : cases) {
    auto r = parse_ref(c.word);
    ASSERT_EQ(r.has_value(), c.valid) << c.word;
    if (!r) continue;
    EXPECT_EQ(r->window, c.window) << c.word;
    EXPECT_EQ(r->control, c.control) << c.word;
    EXPECT_EQ(r->index, c.index) << c.word;
    EXPECT_EQ(r->text(), c.word);
  }
}

}  // namespace
}  // namespace gw::runner
