// The zip container of a workbook file, over libzip.
#include "platform/workbook/zip_archive.h"

#include <zip.h>

#include <filesystem>
#include <memory>

#include "platform/text/error.h"

namespace gw::wb {

namespace {

std::string describe(int code) {
  zip_error_t err;
  zip_error_init_with_code(&err, code);
  std::string text = zip_error_strerror(&err);
  zip_error_fini(&err);
  return text;
}

struct ArchiveCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

}  // namespace

std::vector<ZipEntry> read_zip(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    throw gw::Error("'" + path + "' could not be found.");
  int code = 0;
  std::unique_ptr<zip_t, ArchiveCloser> za(zip_open(path.c_str(), ZIP_RDONLY, &code));
  if (!za) throw gw::Error("'" + path + "' is not a workbook file (" + describe(code) + ").");
  zip_int64_t n = zip_get_num_entries(za.get(), 0);
  std::vector<ZipEntry> entries;
  entries.reserve(static_cast<size_t>(n));
  for (zip_int64_t i = 0; i < n; ++i) {
    zip_uint64_t idx = static_cast<zip_uint64_t>(i);
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(za.get(), idx, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
      throw gw::Error("'" + path + "' is damaged: " + zip_strerror(za.get()));
    ZipEntry e;
    e.name = st.name;
    if (!e.name.empty() && e.name.back() == '/') continue;  // a folder entry
    std::unique_ptr<zip_file_t, FileCloser> f(zip_fopen_index(za.get(), idx, 0));
    if (!f) throw gw::Error("'" + path + "' is damaged: " + zip_strerror(za.get()));
    char buf[65536];
    for (;;) {
      zip_int64_t got = zip_fread(f.get(), buf, sizeof buf);
      if (got < 0) throw gw::Error("'" + path + "' is damaged: " + zip_file_strerror(f.get()));
      if (got == 0) break;
      e.data.append(buf, static_cast<size_t>(got));
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

void write_zip(const std::string& path, const std::vector<ZipEntry>& entries) {
  int code = 0;
  std::unique_ptr<zip_t, ArchiveCloser> za(zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
  if (!za) throw gw::Error("Cannot write '" + path + "' (" + describe(code) + ").");
  for (const ZipEntry& e : entries) {
    zip_source_t* src = zip_source_buffer(za.get(), e.data.data(), e.data.size(), 0);
    if (!src) throw gw::Error("Cannot write '" + path + "': " + zip_strerror(za.get()));
    zip_int64_t idx = zip_file_add(za.get(), e.name.c_str(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (idx < 0) {
      zip_source_free(src);
      throw gw::Error("Cannot write '" + path + "': " + zip_strerror(za.get()));
    }
    zip_set_file_compression(za.get(), static_cast<zip_uint64_t>(idx), ZIP_CM_DEFLATE, 0);
  }
  if (zip_close(za.get()) != 0) throw gw::Error("Cannot write '" + path + "': " + zip_strerror(za.get()));
  za.release();  // closed: nothing left to discard
}

}  // namespace gw::wb
