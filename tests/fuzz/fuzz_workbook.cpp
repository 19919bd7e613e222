// Fuzz harness of the workbook reader and writer. An input is either a whole file (a zip,
// starting "PK") or a package written part by part ("==> name" lines, each followed by the
// part's text), so that the parts' XML is mutated rather than the zip's checksums. A file
// either opens or is refused with gw::Error; one that opens takes cells, saves, and reads
// back what was written.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error/error.h"
#include "platform/workbook/workbook.h"
#include "platform/workbook/zip_archive.h"

namespace {

void require(bool ok) {
  if (!ok) __builtin_trap();
}

std::vector<gw::wb::ZipEntry> parts_of(std::string_view text) {
  std::vector<gw::wb::ZipEntry> parts;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find("\n==> ", at);
    std::string_view chunk =
        text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    if (chunk.substr(0, 4) == "==> ") {
      size_t eol = chunk.find('\n');
      std::string name(chunk.substr(4, eol == std::string_view::npos ? std::string_view::npos : eol - 4));
      std::string body(eol == std::string_view::npos ? std::string_view() : chunk.substr(eol + 1));
      if (!name.empty()) parts.push_back({name, body});
    }
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  return parts;
}

std::string folder() {
  static const std::string dir = [] {
    std::string d =
        (std::filesystem::temp_directory_path() / ("gw_fuzz_wb_" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string in = folder() + "/in.xlr";
  const std::string out = folder() + "/out.xlsx";
  try {
    if (text.substr(0, 2) == "PK") {
      std::FILE* f = std::fopen(in.c_str(), "wb");
      require(f != nullptr);
      std::fwrite(data, 1, size, f);
      std::fclose(f);
    } else {
      gw::wb::write_zip(in, parts_of(text));
    }
  } catch (const gw::Error&) {
    return 0;  // names libzip will not store
  }

  try {
    gw::wb::Workbook book = gw::wb::Workbook::open(in);
    const int sheets = book.sheet_count();
    require(sheets >= 1);
    for (int r = 1; r <= 12; ++r)
      for (int c = 1; c <= 12; ++c) {
        book.text(r, c);
        book.number(r, c);
      }
    book.select(1);
    book.set_value(3, 2, "line 1\r\nline 2 & <x> _x000D_");
    book.set_value(4, 2, "12.5");
    book.set_number(5, 2, -1.7976931348623157e308);
    book.set_date(6, 2, 2024, 2, 29);
    book.set_value(1048576, 16384, "last");
    if (sheets > 1) book.activate(sheets);
    book.save(out);
    gw::wb::Workbook back = gw::wb::Workbook::open(out);
    back.select(1);
    require(back.text(3, 2) == "line 1\r\nline 2 & <x> _x000D_");
    require(back.number(4, 2) == 12.5);
    require(back.number(5, 2) == -1.7976931348623157e308);
    require(back.text(1048576, 16384) == "last");
  } catch (const gw::Error&) {
    // refused with a description: the outcome a damaged file may have
  }
  return 0;
}
