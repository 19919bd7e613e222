// The zip container of a workbook file: every entry read into memory, written back in order.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gw::wb {

// Where a part that is generated while the archive is written puts its bytes, piece by piece.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(std::string_view bytes) = 0;
};

struct ZipEntry {
  ZipEntry() = default;
  ZipEntry(std::string entry_name, std::string bytes) : name(std::move(entry_name)), data(std::move(bytes)) {}

  std::string name;  // path inside the archive, "xl/workbook.xml"
  std::string data;  // uncompressed bytes
  // When set, the part is generated as the archive is written, in place of `data`, so that a
  // large part never has to be held whole in memory.
  std::function<void(ByteSink&)> produce;
};

// Reads every entry of the archive at `path`. Raises gw::Error when the file is missing
// or is no zip archive.
std::vector<ZipEntry> read_zip(const std::string& path);

// Writes the entries, deflated, in the given order to a new archive that replaces `path`
// once it is complete and on the disk (a failure leaves the file at `path` as it was, and no
// temporary file). Raises gw::FileError naming the cause when the file cannot be written.
void write_zip(const std::string& path, const std::vector<ZipEntry>& entries);

}  // namespace gw::wb
