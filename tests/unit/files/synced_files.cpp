// Watches this test program's file syncs: its own fsync and fdatasync stand in front of the C
// library's, note the file and its size, and make the system call.
#include "tests/unit/files/synced_files.h"

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <mutex>

namespace gw::files::testing {
namespace {

std::mutex& guard() {
  static std::mutex m;
  return m;
}

std::vector<Synced>& seen() {
  static std::vector<Synced> s;
  return s;
}

void note(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return;
  std::lock_guard<std::mutex> lock(guard());
  seen().push_back({st.st_dev, st.st_ino, static_cast<std::uint64_t>(st.st_size)});
}

}  // namespace

std::vector<Synced> syncs() {
  std::lock_guard<std::mutex> lock(guard());
  return seen();
}

void forget_syncs() {
  std::lock_guard<std::mutex> lock(guard());
  seen().clear();
}

bool synced_at(const std::vector<Synced>& syncs, const std::string& path, std::uint64_t size) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  for (const Synced& s : syncs)
    if (s.device == st.st_dev && s.inode == st.st_ino && s.size == size) return true;
  return false;
}

}  // namespace gw::files::testing

// The program's calls resolve to these before the C library's.
extern "C" int fsync(int fd) {
  gw::files::testing::note(fd);
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
  gw::files::testing::note(fd);
  return static_cast<int>(::syscall(SYS_fdatasync, fd));
}
