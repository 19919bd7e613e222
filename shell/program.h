// The program's state as one object: host, window instances, shared variables, the
// persistent file dialog and the program folder.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/form.h"
#include "platform/ui/host.h"
#include "shell/shared_state.h"

namespace gw::shell {

class Program {
 public:
  Program(ui::Host& host, std::string program_folder);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  ui::Host& host;
  ui::Forms forms;
  SharedState vars;
  // The main window's common dialog `printDlg`: one dialog for the whole program,
  // keeping every property a command sets until another sets it again.
  ui::FileDialog printDlg;
  // Folder of the program file: the template and reference databases live there.
  std::string program_folder;
  // Path of a file in the program folder.
  std::string program_file(const std::string& name) const;

  // Commands that a window runs by name while another subsystem, registered above it,
  // provides them (the pipe table window's report commands belong to the reports): found
  // the way windows are. Running a name nobody registered does nothing.
  using Command = std::function<void()>;
  void register_command(const std::string& name, Command command);
  void run_command(std::string_view name);

  // Unloads a window by name when it exists (unloading a window that is not loaded,
  // or that this build does not have, does nothing).
  void unload_form(const std::string& name);

  template <class F>
  F& form() {
    return forms.get<F>();
  }

 private:
  std::map<std::string, Command, std::less<>> commands_;
};

// A window of the program: its controls under their own names, its handlers under
// theirs, and the program it belongs to.
class Window : public ui::Form {
 public:
  Window(Program& program, std::string name) : ui::Form(program.forms, std::move(name)), prog(program) {}

 protected:
  using Control = ui::Control;
  Program& prog;
  SharedState& vars() { return prog.vars; }
  ui::Answer msg(const std::string& text, ui::Buttons b = ui::Buttons::OK, ui::Icon i = ui::Icon::None,
                 const std::string& title = {}, bool system_modal = false) {
    return prog.host.msgbox(text, b, i, title, system_modal);
  }
};

// Registers the windows of the application shell.
void register_shell_windows(Program& prog);

}  // namespace gw::shell
