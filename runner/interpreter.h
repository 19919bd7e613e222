// The transcript interpreter: plays the user's lines and answers the program's calls.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/control.h"
#include "platform/ui/form.h"
#include "platform/ui/host.h"
#include "runner/failure.h"
#include "runner/script.h"
#include "runner/scripted_host.h"

namespace gw::runner {

class Interpreter;

// A command of the transcript: one function per command word.
using Command = std::function<void(Interpreter&, const Line&)>;
using CommandTable = std::map<std::string, Command, std::less<>>;

// The built-in commands, grouped by what they do (user actions, checks, set-up).
void add_user_commands(CommandTable& table);
void add_check_commands(CommandTable& table);
void add_setup_commands(CommandTable& table);
const CommandTable& builtin_commands();

// The lines that stand for something the program does. The runner consumes them when
// the program does it; met in the runner's own loop, they mean the program did not.
bool is_program_word(std::string_view word);

// What a transcript drives: the window instances, the shared variables and the start-up
// procedure. The whole program gives all three (scenario.h); unit tests give small forms.
struct Session {
  ui::Forms* forms = nullptr;
  std::function<std::optional<std::string>(std::string_view)> lookup;  // `expect var`
  std::function<void()> start;                                         // `start`
  std::function<void(const std::string&)> set_program_folder = {};     // `program`
};

// A control as a line names it: the window, the control, and for a status bar's panel
// or a toolbar's button its 1-based number (0 for the control itself).
struct Target {
  ui::Form* form = nullptr;
  ui::Control* control = nullptr;
  int item = 0;
  std::string name;  // "frmX.txtdE(0)", for messages
};

class Interpreter {
 public:
  Interpreter(Script script, Paths paths);
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // The host to build the program with.
  ScriptedHost& host() { return host_; }
  void attach(Session session);

  // Runs the transcript from its first line; throws Failure when the scenario fails.
  void run();

  // ---- for the commands ----
  const Paths& paths() const { return paths_; }
  const Session& session() const { return session_; }
  ui::Forms& forms() const;
  FakeClock& clock() { return host_.fake_clock(); }

  [[noreturn]] void fail(const Line& at, std::string actual) const;

  // Where `print` lines go, each prefixed with the transcript's file name: standard output
  // unless set.
  std::function<void(const std::string&)> printer;
  void print(const std::string& text) const;

  // For checks: never loads a window. The window must be loaded.
  ui::Form& form_for_check(const Line& at, const std::string& window) const;
  ui::Form* form_if_loaded(const Line& at, const std::string& window) const;  // unknown window fails
  Target control_for_check(const Line& at, const Ref& ref) const;
  // For user actions: the program runs, the window is shown, the control (or toolbar
  // button) is enabled and visible. A failure says "W.C is disabled" and the like.
  ui::Form& form_for_user(const Line& at, const std::string& window) const;
  Target control_for_user(const Line& at, const Ref& ref) const;
  // The shown window the user works in: the last shown that is still visible.
  ui::Form* topmost() const;

  bool started() const { return started_; }
  void set_started() { started_ = true; }
  bool ended() const { return ended_; }
  // Fails when the program has ended (nothing more can be done to it).
  void require_running(const Line& at) const;

  // ---- the program's side, through ScriptedHost ----
  ui::Answer program_message(const ui::Message& m);
  void program_show_modal(ui::Form& f);
  void program_show_modeless(ui::Form& f);
  void program_form_closed(ui::Form& f);
  bool program_file_dialog(ui::FileDialog& d, bool save);
  bool program_open_document(const std::string& target);
  void program_end();
  // Counts the clock's readings of one transcript line; a program that polls the clock
  // without end fails instead of hanging.
  void program_clock_read();
  static constexpr long kMaxClockReads = 1000000;  // a quarter-second step: almost three days

 private:
  // One `modal W` ... `end` block; one or several modal shows of W may serve it.
  struct Block {
    std::string window;
    int line = 0;  // of the `modal` line
    bool ended = false;
  };
  // One modal show in progress.
  struct Frame {
    ui::Form* form;
    Block* block;
    bool closed = false;
  };
  // A block whose window closed without `end` next: the program may show it again.
  struct Pending {
    Block* block;
    int line;  // where `end` was expected
  };

  void execute(const Line& line);
  void run_modal(ui::Form& f, Block& block);
  const Line* peek() const { return pos_ < script_.lines.size() ? &script_.lines[pos_] : nullptr; }
  // The program did something that the next line is not about: fails at the line being run
  // (the one that made the program act), naming the next line; at the end of the transcript,
  // at the line being run too.
  [[noreturn]] void fail_unexpected(const std::string& actual) const;
  [[noreturn]] void fail_pending() const;
  void check_no_pending() const {
    if (pending_) fail_pending();
  }
  void note_shown(const ui::Form& f);

  Script script_;
  Paths paths_;
  ScriptedHost host_;
  Session session_;
  size_t pos_ = 0;                    // next line to run or consume
  std::vector<const Line*> current_;  // lines being run, innermost last
  std::vector<Frame*> frames_;        // modal shows in progress, innermost last
  std::deque<Block> blocks_;
  std::optional<Pending> pending_;
  std::vector<std::string> shown_;  // windows in the order they were last shown
  long clock_reads_ = 0;            // during the current line
  bool started_ = false;
  bool ended_ = false;
};

}  // namespace gw::runner
