// A disk that is full under a folder: a hook over the program's file replacements and a file
// layer over the database engine's, both refusing writes under the folder.
#include "runner/disk_full.h"

#include <sqlite3.h>

#include <cerrno>
#include <filesystem>
#include <string_view>

#include "platform/files/file_replacement.h"

namespace gw::runner {

namespace {

namespace fs = std::filesystem;

std::string g_full;  // absolute, normalised, with a trailing "/"; empty: none
sqlite3_vfs* g_base = nullptr;
sqlite3_vfs g_layer;

std::string normal(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(path, ec);
  return (ec ? fs::path(path) : p).lexically_normal().string();
}

bool under_full_folder(std::string_view path) {
  return !g_full.empty() && path.substr(0, g_full.size()) == g_full;
}

// ---- the database engine's files ----------------------------------------------------------

struct LayeredFile {
  sqlite3_file base;
  sqlite3_file* real;  // the system layer's file, allocated right behind this one
  const char* name;    // valid until the file is closed, as the engine promises
};

LayeredFile* layered(sqlite3_file* f) { return reinterpret_cast<LayeredFile*>(f); }
sqlite3_file* real(sqlite3_file* f) { return layered(f)->real; }

bool full(sqlite3_file* f) { return layered(f)->name != nullptr && under_full_folder(layered(f)->name); }

int x_close(sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); }
int x_read(sqlite3_file* f, void* b, int n, sqlite3_int64 o) {
  return real(f)->pMethods->xRead(real(f), b, n, o);
}
int x_write(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
  if (full(f)) return SQLITE_FULL;
  return real(f)->pMethods->xWrite(real(f), b, n, o);
}
int x_truncate(sqlite3_file* f, sqlite3_int64 size) { return real(f)->pMethods->xTruncate(real(f), size); }
int x_sync(sqlite3_file* f, int flags) { return real(f)->pMethods->xSync(real(f), flags); }
int x_file_size(sqlite3_file* f, sqlite3_int64* size) { return real(f)->pMethods->xFileSize(real(f), size); }
int x_lock(sqlite3_file* f, int l) { return real(f)->pMethods->xLock(real(f), l); }
int x_unlock(sqlite3_file* f, int l) { return real(f)->pMethods->xUnlock(real(f), l); }
int x_check_reserved(sqlite3_file* f, int* out) {
  return real(f)->pMethods->xCheckReservedLock(real(f), out);
}
int x_file_control(sqlite3_file* f, int op, void* arg) {
  return real(f)->pMethods->xFileControl(real(f), op, arg);
}
int x_sector_size(sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); }
int x_device(sqlite3_file* f) { return real(f)->pMethods->xDeviceCharacteristics(real(f)); }

// Version 1 methods: no shared memory, so the engine keeps to its rollback journal.
const sqlite3_io_methods kMethods = {
    1,       x_close,  x_read,           x_write,        x_truncate,    x_sync,   x_file_size,
    x_lock,  x_unlock, x_check_reserved, x_file_control, x_sector_size, x_device, nullptr,
    nullptr, nullptr,  nullptr,          nullptr,        nullptr};

int x_open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* out_flags) {
  LayeredFile* file = layered(f);
  file->real = reinterpret_cast<sqlite3_file*>(file + 1);
  file->name = name;
  const int rc = g_base->xOpen(g_base, name, file->real, flags, out_flags);
  file->base.pMethods = file->real->pMethods ? &kMethods : nullptr;
  return rc;
}

}  // namespace

void install_disk_full_layer() {
  if (g_base != nullptr) return;
  g_base = sqlite3_vfs_find(nullptr);
  if (g_base == nullptr) return;
  g_layer = *g_base;
  g_layer.iVersion = 1;
  g_layer.zName = "gw_disk_full";
  g_layer.szOsFile = static_cast<int>(sizeof(LayeredFile)) + g_base->szOsFile;
  g_layer.xOpen = x_open;
  sqlite3_vfs_register(&g_layer, 1);
}

void set_full_folder(const std::string& folder) {
  if (folder.empty()) {
    g_full.clear();
    files::set_step_hook({});
    return;
  }
  g_full = normal(folder);
  if (g_full.back() != '/') g_full += '/';
  files::set_step_hook([](files::Step step, const std::string& target) {
    return step == files::Step::write && under_full_folder(normal(target)) ? ENOSPC : 0;
  });
}

}  // namespace gw::runner
