// The files this test program has synced to the disk: which file, and how long it was then.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gw::files::testing {

// One sync of a file: the file by its device and inode (a name can move, the inode stays),
// and its size when it was synced.
struct Synced {
  dev_t device = 0;
  ino_t inode = 0;
  std::uint64_t size = 0;
};

// The syncs (fsync, fdatasync) made since the last forget_syncs(), in order.
std::vector<Synced> syncs();
void forget_syncs();

// Whether `syncs` holds a sync of the file now at `path` when it was `size` bytes long.
bool synced_at(const std::vector<Synced>& syncs, const std::string& path, std::uint64_t size);

}  // namespace gw::files::testing
