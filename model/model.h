// Builds the whole program model: every window of every subsystem registered.
#pragma once

#include <memory>
#include <string>

#include "shell/program.h"

namespace gw {

std::unique_ptr<shell::Program> make_program(ui::Host& host, std::string program_folder);

}  // namespace gw
