// A file layer over the database engine's default one that asks a hook before each write.
#include "platform/db/write_hook.h"

#include <sqlite3.h>

#include <utility>

namespace gw::db {

namespace {

WriteHook& hook() {
  static WriteHook h;
  return h;
}

sqlite3_vfs* g_base = nullptr;
sqlite3_vfs g_layer;

// Whether the hook finds the disk full for this step.
bool refused(FileWrite what, const char* path) { return hook() && hook()(what, path != nullptr ? path : ""); }

struct HookedFile {
  sqlite3_file base;
  sqlite3_file* real;  // the default layer's file, allocated right behind this one
  const char* name;    // valid until the file is closed, as the engine promises
};

HookedFile* hooked(sqlite3_file* f) { return reinterpret_cast<HookedFile*>(f); }
sqlite3_file* real(sqlite3_file* f) { return hooked(f)->real; }

int x_close(sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); }
int x_read(sqlite3_file* f, void* b, int n, sqlite3_int64 o) {
  return real(f)->pMethods->xRead(real(f), b, n, o);
}
int x_write(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
  if (refused(FileWrite::write, hooked(f)->name)) return SQLITE_FULL;
  return real(f)->pMethods->xWrite(real(f), b, n, o);
}
int x_truncate(sqlite3_file* f, sqlite3_int64 size) {
  if (refused(FileWrite::truncate, hooked(f)->name)) return SQLITE_FULL;
  return real(f)->pMethods->xTruncate(real(f), size);
}
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

// Version 1 methods only: no shared memory, so the engine keeps to its rollback journal.
const sqlite3_io_methods kMethods = {
    1,       x_close,  x_read,           x_write,        x_truncate,    x_sync,   x_file_size,
    x_lock,  x_unlock, x_check_reserved, x_file_control, x_sector_size, x_device, nullptr,
    nullptr, nullptr,  nullptr,          nullptr,        nullptr};

int x_open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* out_flags) {
  HookedFile* file = hooked(f);
  file->real = reinterpret_cast<sqlite3_file*>(file + 1);
  file->name = name;
  const int rc = g_base->xOpen(g_base, name, file->real, flags, out_flags);
  file->base.pMethods = file->real->pMethods ? &kMethods : nullptr;
  return rc;
}

int x_delete(sqlite3_vfs*, const char* name, int sync_dir) {
  if (refused(FileWrite::remove, name)) return SQLITE_IOERR_DELETE;
  return g_base->xDelete(g_base, name, sync_dir);
}

void install() {
  if (g_base != nullptr) return;
  g_base = sqlite3_vfs_find(nullptr);
  if (g_base == nullptr) return;
  g_layer = *g_base;
  g_layer.iVersion = 1;
  g_layer.zName = "gw_write_hook";
  g_layer.szOsFile = static_cast<int>(sizeof(HookedFile)) + g_base->szOsFile;
  g_layer.xOpen = x_open;
  g_layer.xDelete = x_delete;
  sqlite3_vfs_register(&g_layer, 1);
}

}  // namespace

void set_write_hook(WriteHook h) {
  install();
  hook() = std::move(h);
}

}  // namespace gw::db
