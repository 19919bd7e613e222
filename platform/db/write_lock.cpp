// Taking and releasing the engine's exclusive lock on a database file through its file layer.
#include "platform/db/write_lock.h"

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/error/error.h"

namespace gw::db {

namespace fs = std::filesystem;

struct WriteLock::Held {
  sqlite3_vfs* vfs = nullptr;
  sqlite3_filename name = nullptr;  // valid while the file is open, as the file layer needs
  std::vector<unsigned char> space;  // the file layer's file object
  bool open = false;

  sqlite3_file* file() { return reinterpret_cast<sqlite3_file*>(space.data()); }

  ~Held() {
    if (open) {
      file()->pMethods->xUnlock(file(), SQLITE_LOCK_NONE);
      file()->pMethods->xClose(file());
    }
    sqlite3_free_filename(name);
  }
};

namespace {

// How long a lock held by another connection is waited for: a save ends within it.
constexpr auto kPatience = std::chrono::milliseconds(1500);

}  // namespace

WriteLock::WriteLock(const std::string& path) : held_(std::make_unique<Held>()) {
  Held& h = *held_;
  h.vfs = sqlite3_vfs_find(nullptr);
  std::error_code ec;
  const std::string full = fs::absolute(path, ec).string();
  h.name = sqlite3_create_filename(ec ? path.c_str() : full.c_str(), "", "", 0, nullptr);
  if (h.vfs == nullptr || h.name == nullptr) throw gw::Error("out of memory");
  h.space.assign(static_cast<std::size_t>(h.vfs->szOsFile), 0);
  int flags = 0;
  const int rc = h.vfs->xOpen(h.vfs, h.name, h.file(), SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_READWRITE, &flags);
  if (rc != SQLITE_OK || h.file()->pMethods == nullptr) {
    if (h.file()->pMethods != nullptr) h.file()->pMethods->xClose(h.file());
    throw gw::Error("\"" + path + "\" could not be opened to be locked");
  }
  h.open = true;
  const auto until = std::chrono::steady_clock::now() + kPatience;
  for (int level : {SQLITE_LOCK_SHARED, SQLITE_LOCK_RESERVED, SQLITE_LOCK_EXCLUSIVE}) {
    for (;;) {
      const int r = h.file()->pMethods->xLock(h.file(), level);
      if (r == SQLITE_OK) break;
      if ((r & 0xff) != SQLITE_BUSY) throw gw::Error("\"" + path + "\" could not be locked");
      if (std::chrono::steady_clock::now() >= until)
        throw gw::FileError("\"" + path + "\" is in use by another connection.", FileCause::file_in_use, path);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
}

WriteLock::~WriteLock() = default;

}  // namespace gw::db
