// Rolling a hot journal back into its database: copies aside, the engine's rollback, the
// integrity check, and the copies put back when the result is damaged.
#include "platform/db/journal_rollback.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/db/companions.h"
#include "platform/db/connection.h"
#include "platform/error/error.h"

namespace gw::db {

namespace fs = std::filesystem;

namespace {

std::string folder_of(const std::string& path) {
  std::error_code ec;
  const fs::path parent = fs::absolute(path, ec).lexically_normal().parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

void sync_folder(const std::string& path) {
  const int dir = ::open(folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
}

// A copy of a file beside it, removed when the copy is dropped unless it was put back.
class CopyAside {
 public:
  // Copies `from` byte for byte into a hidden file of its folder with its permissions, synced.
  explicit CopyAside(const std::string& from) {
    std::string pattern = folder_of(from) + "/." + fs::path(from).filename().string() + ".gw-XXXXXX";
    const int out = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (out < 0) fail(from, errno);
    path_ = pattern;
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    int err = in < 0 ? errno : 0;
    struct stat st {};
    if (err == 0 && ::fstat(in, &st) != 0) err = errno;
    char buf[1 << 16];
    while (err == 0) {
      const ssize_t n = ::read(in, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) err = errno;
      if (n <= 0) break;
      for (ssize_t done = 0; done < n && err == 0;) {
        const ssize_t w = ::write(out, buf + done, static_cast<size_t>(n - done));
        if (w < 0 && errno != EINTR) err = errno;
        if (w > 0) done += w;
      }
    }
    if (err == 0 && ::fchmod(out, st.st_mode & 07777) != 0) err = errno;
    if (err == 0 && ::fsync(out) != 0) err = errno;
    if (in >= 0) ::close(in);
    if (::close(out) != 0 && err == 0) err = errno;
    if (err != 0) fail(from, err);
  }
  ~CopyAside() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  CopyAside(const CopyAside&) = delete;
  CopyAside& operator=(const CopyAside&) = delete;

  // Renames the copy back over the file it was made of.
  void put_back(const std::string& to) {
    if (::rename(path_.c_str(), to.c_str()) != 0)
      throw gw::Error("\"" + to + "\" could not be put back from its copy \"" + path_ + "\" (" +
                      std::strerror(errno) + ")");
    path_.clear();
  }

 private:
  [[noreturn]] void fail(const std::string& from, int err) {
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
    const std::string cause = err == ENOSPC || err == EDQUOT ? "the disk is full" : std::strerror(err);
    throw gw::Error("\"" + from + "\" could not be copied aside before the rollback: " + cause);
  }

  std::string path_;
};

}  // namespace

void roll_back_journal(const std::string& named) {
  const std::string path = engine_path(named);
  const std::string journal = path + "-journal";
  if (::access(path.c_str(), W_OK) != 0 || ::access(folder_of(path).c_str(), W_OK) != 0)
    throw gw::Error("the file or its folder is read-only");
  CopyAside file_copy(path);
  CopyAside journal_copy(journal);
  sync_folder(path);

  std::string failure;
  try {
    Connection conn;
    conn.open(path);  // the engine rolls the journal back before its first read
    std::string check = conn.query_value("PRAGMA integrity_check").text();
    if (check != "ok") {
      // The check's first finding, without the line naming the schema.
      const std::string schema = "*** in database main ***\n";
      if (check.rfind(schema, 0) == 0) check.erase(0, schema.size());
      failure = "the result fails the integrity check (" + check.substr(0, check.find('\n')) + ")";
    }
  } catch (const std::exception& e) {
    failure = std::string("the rollback failed (") + e.what() + ")";
  }
  if (failure.empty()) return;
  // The journal first: cut short after it, the journal rolls the file back once more to the
  // same result, which is refused again.
  journal_copy.put_back(journal);
  file_copy.put_back(path);
  sync_folder(path);
  throw gw::Error(failure);
}

}  // namespace gw::db
