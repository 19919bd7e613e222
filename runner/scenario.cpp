// Playing a transcript against the whole program on the scripted host.
#include "runner/scenario.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#include "model/model.h"
#include "runner/disk_full.h"
#include "runner/failure.h"
#include "runner/interpreter.h"
#include "shell/tarnelhydromain.h"
#include "shell/window_names.h"

namespace gw::runner {

namespace {

namespace fs = std::filesystem;

// A new empty folder under the system's temporary folder, removed with its contents.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "gw-scenario-XXXXXX").string();
    if (char* p = mkdtemp(pattern.data())) path_ = p;
  }
  ~TempFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string absolute_or_empty(const std::string& dir) {
  if (dir.empty()) return dir;
  std::error_code ec;
  fs::path p = fs::absolute(dir, ec);
  return ec ? dir : p.lexically_normal().string();
}

// Copies what the transcript left in its temporary folder to the kept folder.
void keep_files(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::create_directories(to, ec);
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
}

}  // namespace

Script with_program_commands(Script script) {
  std::vector<Line> lines;
  lines.reserve(script.lines.size());
  for (Line& ln : script.lines) {
    if (ln.command() != "openproject") {
      lines.push_back(std::move(ln));
      continue;
    }
    const std::vector<Word>& w = ln.words;
    const bool titled = w.size() == 5 && w[3].text == "title" && !w[3].quoted && w[4].quoted;
    if ((w.size() != 3 && !titled) || !w[1].quoted || !w[2].quoted)
      throw Failure{script.file, ln.number, ln.source,
                    "openproject takes a quoted path and a quoted project name, and may end in title \"T\""};
    auto step = [&ln](std::vector<Word> words) {
      Line l;
      l.number = ln.number;
      l.source = ln.source;
      l.words = std::move(words);
      return l;
    };
    lines.push_back(step({{"click"}, {std::string(window::frmsoftwaremain) + ".mnuopenProj"}}));
    lines.push_back(step({{"open"}, ln.words[1]}));
    std::vector<Word> message = {{"message"}, {"Project Name: " + w[2].text, true}, {"info"}};
    if (titled) message.insert(message.end(), {w[3], w[4]});
    lines.push_back(step(std::move(message)));
  }
  script.lines = std::move(lines);
  return script;
}

ScenarioResult run_scenario(const std::string& file, const ScenarioOptions& options) {
  // A `diskfull` line fills the disk for this transcript only.
  install_disk_full_layer();
  set_full_folder({});
  struct EmptyDisk {
    ~EmptyDisk() { set_full_folder({}); }
  } empty_disk;
  TempFolder tmp;
  if (tmp.path().empty()) return {false, file + ":0: a temporary folder / cannot create one"};
  struct Keep {
    const std::string& from;
    const std::string& to;
    ~Keep() {
      if (!to.empty()) keep_files(from, to);
    }
  } keep{tmp.path(), options.keep_dir};
  Paths paths{tmp.path(), absolute_or_empty(options.program_dir), absolute_or_empty(options.fixtures_dir)};
  try {
    Interpreter interp(with_program_commands(load_script(file, paths)), paths);
    // Declared after the interpreter, the program is destroyed before the host it uses.
    std::unique_ptr<shell::Program> prog = make_program(interp.host(), paths.program);
    shell::Program* p = prog.get();
    interp.attach(Session{&prog->forms, [p](std::string_view name) { return p->vars.lookup(name); },
                          [p] { shell::tarnelhydromain_Main(*p); },
                          [p](const std::string& dir) { p->program_folder = dir; }});
    interp.run();
    return {true, {}};
  } catch (const Failure& f) {
    return {false, f.text()};
  } catch (const std::exception& e) {
    return {false, file + ":0: a program to run / " + e.what()};
  }
}

}  // namespace gw::runner
