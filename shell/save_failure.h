// The message of a save the project file refused: what was not saved, the file and the cause.
#pragma once

#include <exception>
#include <optional>
#include <string>

namespace gw::shell {

// For a write the file refused with a known cause (gw::FileError: the disk is full, the file is
// read-only, in use by another program, its name too long, ...): `head` followed by the file
// (the failure's own, else `file`) and the cause, "Pipe 2 could not be deleted from
// "/p/road.gwp": the disk is full.". Nothing for any other failure, which keeps its own
// message.
std::optional<std::string> refused_save_text(const std::exception& e, const std::string& head,
                                             const std::string& file);

}  // namespace gw::shell
