// The program object.
#include "shell/program.h"

namespace gw::shell {

Program::Program(ui::Host& h, std::string folder) : host(h), forms(h), program_folder(std::move(folder)) {}

std::string Program::program_file(const std::string& name) const {
  if (program_folder.empty()) return name;
  if (program_folder.back() == '/') return program_folder + name;
  return program_folder + "/" + name;
}

void Program::register_command(const std::string& name, Command command) {
  commands_[name] = std::move(command);
}

void Program::run_command(std::string_view name) {
  auto it = commands_.find(name);
  if (it != commands_.end() && it->second) it->second();
}

void Program::unload_form(const std::string& name) {
  if (ui::Form* f = forms.existing(name)) f->unload();
}

}  // namespace gw::shell
