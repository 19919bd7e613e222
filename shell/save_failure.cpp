// The message of a save the project file refused: what was not saved, the file and the cause.
#include "shell/save_failure.h"

#include "platform/error/error.h"
#include "shell/desktop.h"

namespace gw::shell {

std::optional<std::string> refused_save_text(const std::exception& e, const std::string& head,
                                             const std::string& file) {
  const auto* refused = dynamic_cast<const gw::FileError*>(&e);
  if (refused == nullptr || refused->cause == FileCause::other) return std::nullopt;
  return head + " \"" + full_path(refused->path.empty() ? file : refused->path) + "\": " +
         file_cause_text(refused->cause) + ".";
}

}  // namespace gw::shell
