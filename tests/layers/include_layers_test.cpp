// The layers held by the build: every #include line of the source tree against the layer rules
// (docs/ARCHITECTURE.md): Qt only in app/, no folder including from a layer above its own, and
// the front-end's files using each other one way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Folders = std::set<std::string>;

// `base` and `more`.
Folders plus(Folders base, std::initializer_list<std::string> more) {
  base.insert(more);
  return base;
}

// The folders of the tree, each with the folders its files may include from besides its own.
// A folder not named here belongs to the nearest named folder above it.
const std::map<std::string, Folders>& layer_rules() {
  static const Folders platform = {"platform/error",   "platform/math",     "platform/text",
                                   "platform/units",   "platform/db",       "platform/ui",
                                   "platform/binding", "platform/workbook", "platform/files"};
  static const Folders subsystems = plus(platform, {"hydraulics", "shell", "design", "reports", "outlet"});
  static const Folders model = plus(subsystems, {"model"});
  static const std::map<std::string, Folders> rules = {
      {"platform/error", {}},
      {"platform/math", {"platform/error"}},
      {"platform/text", {"platform/error"}},
      {"platform/units", {}},
      {"platform/db", {"platform/error", "platform/text"}},
      {"platform/ui", {"platform/error", "platform/text"}},
      {"platform/binding", {"platform/error", "platform/text", "platform/db", "platform/ui"}},
      {"platform/files", {"platform/error", "platform/text"}},
      {"platform/workbook", {"platform/error", "platform/text", "platform/files"}},
      // The pure pipe hydraulics, below every window: numbers, no texts of a window.
      {"hydraulics", {"platform/error", "platform/math", "platform/units"}},
      {"shell", platform},
      {"design", plus(platform, {"hydraulics", "shell"})},
      {"reports", plus(platform, {"hydraulics", "shell", "design"})},
      {"outlet", plus(platform, {"hydraulics", "shell", "design", "reports"})},
      {"model", subsystems},
      // The runner and the Qt front-end sit side by side above the program model.
      {"runner", model},
      {"app", model},
      // Build tools of the program folder.
      {"data", platform},
      // The on-screen benchmarks drive the Qt front-end.
      {"bench", plus(model, {"app"})},
      // Tests: each unit test folder sees what its library sees, and the shared helpers.
      {"tests/support", plus(platform, {"shell"})},
      // The layer test itself, and the two windows the compiler must keep apart.
      {"tests/layers", {"platform/ui"}},
      {"tests/unit/math", {"platform/error", "platform/math"}},
      {"tests/unit/text", {"platform/error", "platform/text", "tests/support"}},
      {"tests/unit/files", {"platform/error", "platform/text", "platform/files", "tests/support"}},
      {"tests/unit/db", {"platform/error", "platform/text", "platform/db", "tests/support"}},
      {"tests/unit/ui", {"platform/error", "platform/text", "platform/ui", "tests/support"}},
      {"tests/unit/binding",
       {"platform/error", "platform/text", "platform/db", "platform/ui", "platform/binding",
        "tests/support"}},
      {"tests/unit/workbook",
       {"platform/error", "platform/text", "platform/files", "platform/workbook", "tests/support"}},
      {"tests/unit/units", {"platform/units"}},
      // The hydraulics tests see the hydraulics alone, never a window.
      {"tests/unit/hydraulics", {"platform/error", "platform/math", "platform/units", "hydraulics"}},
      {"tests/unit/shell", plus(platform, {"shell", "tests/support"})},
      // The design tests solve the hydraulics tests' pipes through the window's texts.
      {"tests/unit/design",
       plus(platform, {"hydraulics", "shell", "design", "tests/support", "tests/unit/hydraulics"})},
      {"tests/unit/reports", plus(platform, {"hydraulics", "shell", "design", "reports", "tests/support"})},
      {"tests/unit/outlet",
       plus(platform, {"hydraulics", "shell", "design", "reports", "outlet", "tests/support"})},
      {"tests/unit/runner", plus(model, {"runner", "tests/support"})},
      {"tests/fuzz", plus(model, {"runner"})},
      {"tests/qt", plus(model, {"app", "tests/support"})},
  };
  return rules;
}

// The folders whose files may include Qt.
bool may_use_qt(const std::string& layer) {
  return layer == "app" || layer == "tests/qt" || layer == "bench";
}

// The layer a file of the tree (a path from the top, "design/frmskew.h") belongs to, if any.
std::optional<std::string> layer_of(const std::string& path) {
  std::string best;
  for (const auto& [layer, allowed] : layer_rules()) {
    (void)allowed;
    if (path.rfind(layer + "/", 0) == 0 && layer.size() > best.size()) best = layer;
  }
  if (best.empty()) return std::nullopt;
  return best;
}

// True for a header of Qt: <QWidget>, <QtCore/...>, or a layout the Qt tools generate.
bool is_qt_header(const std::string& header) {
  if (header.size() >= 2 && header[0] == 'Q' &&
      (std::isupper(static_cast<unsigned char>(header[1])) || header.rfind("Qt", 0) == 0))
    return true;
  return header.rfind("ui_", 0) == 0;
}

// What is wrong with the file `from` (a path from the top) including `header` (as written,
// `angled` for <...>); `resolved` is the included file's path from the top when it is a file of
// the tree. Empty when the include is allowed.
std::string include_fault(const std::string& from, const std::string& header, bool angled,
                          const std::optional<std::string>& resolved) {
  const std::optional<std::string> layer = layer_of(from);
  if (!layer) return {};
  if (is_qt_header(header) && !may_use_qt(*layer)) return "Qt outside app/";
  if (angled || !resolved) return {};
  const std::optional<std::string> target = layer_of(*resolved);
  if (!target || *target == *layer) return {};
  const Folders& allowed = layer_rules().at(*layer);
  if (allowed.count(*target)) return {};
  return "layer " + *layer + " may not include from " + *target;
}

// The header an #include line names, and whether it is written <angled>; nothing for other lines.
std::optional<std::pair<std::string, bool>> included_header(const std::string& line) {
  std::size_t i = line.find_first_not_of(" \t");
  if (i == std::string::npos || line[i] != '#') return std::nullopt;
  i = line.find_first_not_of(" \t", i + 1);
  if (i == std::string::npos || line.compare(i, 7, "include") != 0) return std::nullopt;
  i = line.find_first_not_of(" \t", i + 7);
  if (i == std::string::npos || (line[i] != '<' && line[i] != '"')) return std::nullopt;
  const bool angled = line[i] == '<';
  const std::size_t end = line.find(angled ? '>' : '"', i + 1);
  if (end == std::string::npos) return std::nullopt;
  return std::make_pair(line.substr(i + 1, end - i - 1), angled);
}

// Every fault of the tree under `root`, one "file:line: #include ... (why)" each.
std::vector<std::string> tree_faults(const fs::path& root) {
  std::vector<std::string> faults;
  for (const char* top : {"platform", "hydraulics", "shell", "design", "reports", "outlet", "model", "runner",
                          "app", "data", "bench", "tests"}) {
    if (!fs::exists(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      if (!entry.is_regular_file()) continue;
      const std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      const std::string from = fs::relative(entry.path(), root).generic_string();
      std::ifstream in(entry.path());
      std::string line;
      int number = 0;
      while (std::getline(in, line)) {
        ++number;
        const auto included = included_header(line);
        if (!included) continue;
        const auto& [header, angled] = *included;
        std::optional<std::string> resolved;
        if (!angled) {
          if (fs::exists(entry.path().parent_path() / header))
            resolved =
                fs::relative(entry.path().parent_path() / header, root).lexically_normal().generic_string();
          else if (fs::exists(root / header))
            resolved = fs::path(header).lexically_normal().generic_string();
        }
        const std::string why = include_fault(from, header, angled, resolved);
        if (!why.empty())
          faults.push_back(from + ":" + std::to_string(number) + ": " + line + " (" + why + ")");
      }
    }
  }
  std::sort(faults.begin(), faults.end());
  return faults;
}

// The files of `folder` (a path from the top) with the files of that folder each includes. A
// header and its source are one unit, named by their path without the extension ("app/qt_host").
using Uses = std::map<std::string, std::set<std::string>>;
Uses uses_within(const fs::path& root, const std::string& folder) {
  Uses uses;
  for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
    const std::string unit = fs::relative(entry.path(), root).replace_extension().generic_string();
    std::set<std::string>& used = uses[unit];
    std::ifstream in(entry.path());
    std::string line;
    while (std::getline(in, line)) {
      const auto included = included_header(line);
      if (!included || included->second || included->first.rfind(folder + "/", 0) != 0) continue;
      const std::string target = fs::path(included->first).replace_extension().generic_string();
      if (target != unit) used.insert(target);
    }
  }
  return uses;
}

// A ring of units that use each other ("a -> b -> a"), the empty text when they use each other
// one way only.
std::string ring_of(const Uses& uses) {
  std::map<std::string, int> state;  // 1 on the path being walked, 2 done
  std::vector<std::string> path;
  std::string ring;
  std::function<bool(const std::string&)> walk = [&](const std::string& unit) {
    state[unit] = 1;
    path.push_back(unit);
    if (auto it = uses.find(unit); it != uses.end()) {
      for (const std::string& next : it->second) {
        if (state[next] == 1) {
          for (auto at = std::find(path.begin(), path.end(), next); at != path.end(); ++at) ring += *at + " -> ";
          ring += next;
          return true;
        }
        if (state[next] == 0 && walk(next)) return true;
      }
    }
    path.pop_back();
    state[unit] = 2;
    return false;
  };
  for (const auto& [unit, used] : uses) {
    (void)used;
    if (state[unit] == 0 && walk(unit)) break;
  }
  return ring;
}

TEST(IncludeLayers, FrontEndFilesDependOneWay) {
  EXPECT_EQ(ring_of(uses_within(GW_SOURCE_DIR, "app")), "");
}

TEST(IncludeLayers, FindsFilesThatUseEachOther) {
  EXPECT_EQ(ring_of({{"app/a", {"app/b"}}, {"app/b", {"app/c"}}, {"app/c", {"app/a"}}}),
            "app/a -> app/b -> app/c -> app/a");
  EXPECT_EQ(ring_of({{"app/host", {"app/view"}}, {"app/view", {"app/host"}}}), "app/host -> app/view -> app/host");
  EXPECT_EQ(ring_of({{"app/a", {"app/b", "app/c"}}, {"app/b", {"app/c"}}, {"app/c", {}}}), "");
}

TEST(IncludeLayers, TheTreeKeepsItsLayers) {
  const std::vector<std::string> faults = tree_faults(GW_SOURCE_DIR);
  std::string all;
  for (const std::string& f : faults) all += f + "\n";
  EXPECT_TRUE(faults.empty()) << all;
}

// The source lists are written out, so a file left out of them is never compiled: every source
// file of the tree must be named in a CMakeLists.txt (the fuzz harnesses by their pattern).
TEST(IncludeLayers, EverySourceFileIsInASourceList) {
  const fs::path root = GW_SOURCE_DIR;
  std::string lists;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    const fs::directory_entry& entry = *it;
    const std::string rel = fs::relative(entry.path(), root).generic_string();
    if (rel.rfind("build", 0) == 0 || rel.rfind(".git", 0) == 0) {
      it.disable_recursion_pending();
      continue;
    }
    if (entry.path().filename() == "CMakeLists.txt") {
      std::ifstream in(entry.path());
      lists.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  for (const char* top : {"platform", "hydraulics", "shell", "design", "reports", "outlet", "model", "runner",
                          "app", "data", "bench", "tests"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      if (entry.path().extension() != ".cpp") continue;
      const std::string rel = fs::relative(entry.path(), root).generic_string();
      if (rel.rfind("tests/fuzz/fuzz_", 0) == 0) continue;
      const std::string name = entry.path().filename().string();
      bool listed = false;
      for (std::size_t at = lists.find(name); at != std::string::npos && !listed;
           at = lists.find(name, at + 1))
        listed =
            at == 0 || !(std::isalnum(static_cast<unsigned char>(lists[at - 1])) || lists[at - 1] == '_');
      EXPECT_TRUE(listed) << rel << " is in no source list";
    }
  }
}

TEST(IncludeLayers, EveryFolderOfCodeHasALayer) {
  for (const char* folder :
       {"platform/error", "platform/math", "platform/text", "platform/units", "platform/db", "platform/ui",
        "platform/binding", "platform/workbook", "platform/files", "hydraulics", "shell", "design", "reports",
        "outlet", "model", "runner", "app"}) {
    EXPECT_TRUE(fs::is_directory(fs::path(GW_SOURCE_DIR) / folder)) << folder;
    EXPECT_EQ(layer_of(std::string(folder) + "/x.h"), folder);
  }
}

TEST(IncludeLayers, ReadsTheHeaderOfEveryIncludeLine) {
  using Read = std::optional<std::pair<std::string, bool>>;
  EXPECT_EQ(included_header("#include \"shell/program.h\""), Read({"shell/program.h", false}));
  EXPECT_EQ(included_header("  #  include <QWidget>  // the widgets"), Read({"QWidget", true}));
  EXPECT_EQ(included_header("#include\t<QtCore/QString>"), Read({"QtCore/QString", true}));
  EXPECT_EQ(included_header("// #include \"design/frmpipemain.h\""), std::nullopt);
  EXPECT_EQ(included_header("#pragma once"), std::nullopt);
  EXPECT_EQ(included_header("#include \"unterminated"), std::nullopt);
}

// The rules themselves: the faults they must catch, and what they must let through.
TEST(IncludeLayers, RulesCatchUpwardIncludesAndQtOutsideTheFrontEnd) {
  struct Case {
    const char* from;
    const char* header;
    bool angled;
    const char* why;  // empty: allowed
  };
  const Case cases[] = {
      {"shell/program.h", "design/frmpipemain.h", false, "layer shell may not include from design"},
      {"design/frmskew.cpp", "outlet/PipeEnergyForm.h", false, "layer design may not include from outlet"},
      {"platform/ui/form.h", "platform/db/recordset.h", false,
       "layer platform/ui may not include from platform/db"},
      {"hydraulics/circular.cpp", "design/frmpipemain.h", false,
       "layer hydraulics may not include from design"},
      {"model/model.cpp", "runner/scenario.h", false, "layer model may not include from runner"},
      {"app/qt_host.cpp", "runner/scenario.h", false, "layer app may not include from runner"},
      {"runner/interpreter.cpp", "app/qt_host.h", false, "layer runner may not include from app"},
      {"tests/unit/text/format_test.cpp", "platform/db/value.h", false,
       "layer tests/unit/text may not include from platform/db"},
      {"design/frmskew.cpp", "QWidget", true, "Qt outside app/"},
      {"runner/main.cpp", "QtCore/QString", true, "Qt outside app/"},
      {"shell/program.cpp", "ui_frmAbout.h", false, "Qt outside app/"},
      {"tests/unit/ui/form_test.cpp", "QApplication", true, "Qt outside app/"},
      {"app/qt_host.cpp", "QWidget", true, ""},
      {"tests/qt/smoke_test.cpp", "QTest", true, ""},
      {"app/qt_host.cpp", "shell/program.h", false, ""},
      {"runner/scenario.cpp", "model/model.h", false, ""},
      {"outlet/PipeEnergyForm.cpp", "reports/report_workbook.h", false, ""},
      {"design/frmskew.cpp", "design/frmpipemain.h", false, ""},
      {"shell/program.h", "string", true, ""},
      {"platform/db/connection.cpp", "sqlite3.h", true, ""},
      {"tests/unit/hydraulics/state_test.cpp", "design/frmpipemain.h", false,
       "layer tests/unit/hydraulics may not include from design"},
      {"platform/text/format.cpp", "platform/math/checked.h", false,
       "layer platform/text may not include from platform/math"},
      {"hydraulics/solve.cpp", "platform/math/pi.h", false, ""},
      {"hydraulics/solve.cpp", "platform/text/format.h", false,
       "layer hydraulics may not include from platform/text"},
      {"tests/unit/design/solve_cases.h", "tests/unit/hydraulics/pipe_inputs.h", false, ""},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> resolved =
        c.angled ? std::nullopt : std::optional<std::string>(c.header);
    EXPECT_EQ(include_fault(c.from, c.header, c.angled, resolved), c.why) << c.from << " -> " << c.header;
  }
}

}  // namespace
