// The files beside a database: whether the engine would play one into it, and their removal.
#include "platform/db/companions.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/error/error.h"

namespace gw::db {

namespace fs = std::filesystem;

namespace {

constexpr const char* kJournal = "-journal";
constexpr const char* kLog = "-wal";
constexpr const char* kIndex = "-shm";

// The eight bytes every rollback journal of the engine begins with.
constexpr unsigned char kJournalMagic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};

std::uint32_t be32(const unsigned char* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// A file the engine counts as present: one that exists and, when it is a plain file, is not
// empty (the engine passes over an empty journal or log).
bool present(const std::string& path) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (ec || !fs::exists(st)) return false;
  return !fs::is_regular_file(st) || fs::file_size(path, ec) > 0;
}

// Up to `n` bytes of the file from `offset` on.
std::string read_at(std::ifstream& in, std::uint64_t offset, std::size_t n) {
  std::string bytes(n, '\0');
  in.clear();
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(bytes.data(), static_cast<std::streamsize>(n));
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

const unsigned char* bytes_of(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

bool power_of_two_in(std::uint32_t v, std::uint32_t low, std::uint32_t high) {
  return v >= low && v <= high && (v & (v - 1)) == 0;
}

// The engine's verdict: opened for reading only, the file refuses to be read while a journal
// beside it would have to be rolled back first.
bool engine_finds_hot_journal(const std::string& path) {
  std::error_code ec;
  const std::string full = fs::absolute(path, ec).string();
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(ec ? path.c_str() : full.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                           nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr);
  const bool hot = rc != SQLITE_OK && db != nullptr && sqlite3_extended_errcode(db) == SQLITE_READONLY_ROLLBACK;
  sqlite3_close_v2(db);
  return hot;
}

// Why the hot journal beside the database cannot be the database's own, as the engine would
// play it back; empty when it can. The engine takes the journal's page size for the file,
// cuts or extends the file to the size the journal gives, and writes each page recorded up
// to the first one whose checksum fails. A journal of this file records only pages within
// that size, which the file (never shrunk without auto-vacuum) still holds.
std::string foreign_reason(const std::string& path, const std::string& journal) {
  std::ifstream db(path, std::ios::binary);
  const std::string header = read_at(db, 0, 100);
  if (header.size() < 100) return "the file has no database header";
  std::uint32_t page_size = (std::uint32_t(bytes_of(header)[16]) << 8) | bytes_of(header)[17];
  if (page_size == 1) page_size = 65536;
  const bool auto_vacuum = be32(bytes_of(header) + 52) != 0;
  std::error_code ec;
  const std::uint64_t file_pages = page_size != 0 ? fs::file_size(path, ec) / page_size : 0;

  std::ifstream in(journal, std::ios::binary);
  const std::uint64_t size = fs::file_size(journal, ec);
  if (ec) return "it cannot be read";
  std::uint64_t offset = 0;
  std::uint32_t original_pages = 0;
  for (int segment = 0; offset + 28 <= size; ++segment) {
    const std::string h = read_at(in, offset, 28);
    if (h.size() < 28 || std::memcmp(h.data(), kJournalMagic, sizeof kJournalMagic) != 0) {
      if (segment == 0) return "its header is not a journal's";
      break;  // the engine stops where no further header follows
    }
    const unsigned char* p = bytes_of(h);
    std::uint64_t records = be32(p + 8);
    const std::uint32_t nonce = be32(p + 12);
    const std::uint32_t sector = be32(p + 20);
    const std::uint32_t journal_page = be32(p + 24);
    if (!power_of_two_in(journal_page, 512, 65536) || !power_of_two_in(sector, 32, 65536))
      return segment == 0 ? "its header is damaged" : std::string();
    if (journal_page != page_size)
      return "its pages are " + std::to_string(journal_page) + " bytes long, the file's " +
             std::to_string(page_size);
    if (segment == 0) {
      original_pages = be32(p + 16);
      if (!auto_vacuum && original_pages > file_pages)
        return "it holds pages beyond the end of the file (it was written for " +
               std::to_string(original_pages) + " pages, the file has " + std::to_string(file_pages) + ")";
    }
    const std::uint64_t record = 4 + std::uint64_t(journal_page) + 4;
    const std::uint64_t first = offset + sector;
    if (records == 0xffffffffu) records = size > first ? (size - first) / record : 0;
    std::uint64_t at = first;
    for (std::uint64_t i = 0; i < records && at + record <= size; ++i, at += record) {
      const std::string r = read_at(in, at, static_cast<std::size_t>(record));
      if (r.size() < record) break;
      const unsigned char* q = bytes_of(r);
      const std::uint32_t page = be32(q);
      if (page == 0) return {};  // the engine ends the play-back here
      std::uint32_t sum = nonce;
      for (std::uint32_t k = journal_page - 200; k > 0 && k < journal_page; k -= 200) sum += q[4 + k];
      if (sum != be32(q + 4 + journal_page)) return {};  // a record never synced: the end
      if (page > original_pages)
        return "it holds page " + std::to_string(page) + ", beyond the " + std::to_string(original_pages) +
               " pages it gives the file";
    }
    // The next header begins at the next sector boundary.
    const std::uint64_t next = at > 0 ? ((at - 1) / sector + 1) * sector : sector;
    if (next <= offset) break;
    offset = next;
  }
  return {};
}

}  // namespace

std::string engine_path(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
  const fs::path target = fs::canonical(path, ec);
  return ec ? path : target.string();
}

std::vector<std::string> companion_paths(const std::string& path) {
  const std::string file = engine_path(path);
  return {file + kJournal, file + kLog, file + kIndex};
}

Companions look_beside(const std::string& named) {
  Companions out;
  const std::string path = engine_path(named);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) == 0 || ec) return out;
  {
    std::ifstream in(path, std::ios::binary);
    const std::string header = read_at(in, 0, 20);
    const bool wal_header = header.size() == 20 && (header[18] == 2 || header[19] == 2);
    if (wal_header || present(path + kLog)) {
      out.state = Companions::State::write_ahead_log;
      if (present(path + kLog)) out.companion = path + kLog;
      return out;
    }
  }
  const std::string journal = path + kJournal;
  if (!present(journal) || !engine_finds_hot_journal(path)) return out;
  out.companion = journal;
  out.why = foreign_reason(path, journal);
  out.state = out.why.empty() ? Companions::State::hot_journal : Companions::State::foreign_journal;
  return out;
}

void remove_companions(const std::string& path) {
  const std::vector<std::string> companions = companion_paths(path);
  std::string refused;
  auto refuse = [&refused](const std::string& file, const std::string& why) {
    refused += (refused.empty() ? "\"" : ", \"") + file + "\" (" + why + ")";
  };
  // A folder in a companion's place is refused before anything is removed.
  for (const std::string& c : companions) {
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(c, ec))) refuse(c, "it is a folder");
  }
  if (refused.empty())
    for (const std::string& c : companions)
      if (::unlink(c.c_str()) != 0 && errno != ENOENT) refuse(c, std::strerror(errno));
  if (!refused.empty()) throw gw::Error("the files of the database engine beside it could not be removed: " + refused);
}

}  // namespace gw::db
