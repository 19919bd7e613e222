// The scenario runner's command line: plays transcript files and reports each.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runner/scenario.h"

namespace {

// The folder holding this executable; the build puts the program folder and the
// fixtures beside it.
std::string exe_folder() {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : p.parent_path().string();
}

int usage() {
  std::fprintf(stderr, "usage: scenario [--program DIR] [--fixtures DIR] [--keep DIR] FILE...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  gw::runner::ScenarioOptions options{exe_folder() + "/program", exe_folder() + "/fixtures", {}};
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if ((a == "--program" || a == "--fixtures") && i + 1 < argc) {
      (a == "--program" ? options.program_dir : options.fixtures_dir) = argv[++i];
    } else if (a == "--keep" && i + 1 < argc) {
      options.keep_dir = argv[++i];
    } else if (a == "--help" || a == "-h" || (a.size() > 1 && a[0] == '-')) {
      return usage();
    } else {
      files.push_back(a);
    }
  }
  if (files.empty()) return usage();
  bool all = true;
  for (const std::string& f : files) {
    gw::runner::ScenarioResult r = gw::runner::run_scenario(f, options);
    if (r.passed)
      std::printf("PASS %s\n", f.c_str());
    else
      std::printf("FAIL %s\n", r.message.c_str());
    std::fflush(stdout);
    all = all && r.passed;
  }
  return all ? 0 : 1;
}
