// The zip container of a workbook file: every entry read into memory, written back in order.
#pragma once

#include <string>
#include <vector>

namespace gw::wb {

struct ZipEntry {
  std::string name;  // path inside the archive, "xl/workbook.xml"
  std::string data;  // uncompressed bytes
};

// Reads every entry of the archive at `path`. Raises gw::Error when the file is missing
// or is no zip archive.
std::vector<ZipEntry> read_zip(const std::string& path);

// Writes the entries, deflated, in the given order to a new archive that replaces `path`
// once it is complete. Raises gw::Error when the file cannot be written.
void write_zip(const std::string& path, const std::vector<ZipEntry>& entries);

}  // namespace gw::wb
