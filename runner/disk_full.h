// A disk that is full under a folder, for transcripts: from the `diskfull` line on, the program's
// files and databases there can take no more bytes.
#pragma once

#include <string>

namespace gw::runner {

// Puts the stand-in in place: the database engine's writes go through a hook that lets them
// pass until a folder is full. Called before the program opens anything.
void install_disk_full_layer();

// From now on every write of a file under `folder` (the folder itself or below it) fails for
// lack of space: the program's own file writes with the system's "no space" error, the
// database engine's with its "disk is full" result. The empty text: no folder is full.
void set_full_folder(const std::string& folder);

}  // namespace gw::runner
