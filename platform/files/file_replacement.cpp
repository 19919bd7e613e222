// A file replaced whole: written beside its target, synced and renamed over it when complete.
#include "platform/files/file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "platform/error/error.h"

namespace gw::files {

namespace fs = std::filesystem;

namespace {

StepHook& hook() {
  static StepHook h;
  return h;
}

// Bytes gathered before they go to the file in one write.
constexpr std::size_t kBuffer = 1 << 20;

std::string shown(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(path, ec);
  return ec ? path : p.lexically_normal().string();
}

// The cause an error number stands for at a step.
FileCause cause_of(int err, Step step) {
  switch (err) {
    case ENOSPC:
    case EDQUOT:
      return FileCause::disk_full;
    case EROFS:
      return FileCause::disk_read_only;
    case EACCES:
    case EPERM:
      return step == Step::create || step == Step::rename ? FileCause::folder_not_writable
                                                          : FileCause::file_read_only;
    case ETXTBSY:
    case EBUSY:
      return FileCause::file_in_use;
    case ENOENT:
    case ENOTDIR:
      return step == Step::create ? FileCause::no_folder : FileCause::other;
    case ENAMETOOLONG:
      return FileCause::name_too_long;
    default:
      return FileCause::other;
  }
}

[[noreturn]] void raise(const std::string& target, FileCause cause, const std::string& other_text) {
  std::string text = "\"" + shown(target) + "\" could not be written";
  if (cause == FileCause::other)
    text += " (" + other_text + ").";
  else
    text += std::string(": ") + file_cause_text(cause) + ".";
  throw gw::FileError(text, cause, target);
}

std::string folder_of(const std::string& target) {
  fs::path parent = fs::path(shown(target)).parent_path();
  return parent.empty() ? std::string(".") : parent.string();
}

// The lock files office programs keep beside a document they have open.
bool lock_file_beside(const std::string& path) {
  const fs::path p(shown(path));
  const std::string name = p.filename().string();
  std::error_code ec;
  for (const std::string& lock : {".~lock." + name + "#", "~$" + name})
    if (fs::exists(p.parent_path() / lock, ec)) return true;
  return false;
}

// What a temporary's name adds to the part of the file's name it carries: ".", ".gw-XXXXXX".
constexpr std::size_t kTempExtra = 11;
constexpr const char* kTempMark = ".gw-";
constexpr std::size_t kTempRandom = 6;

// The part of the file's name its temporaries carry: the whole name, or as much of its start
// as lets the temporary's name stay within the file system's limit (cut between characters).
std::string temp_stem(const std::string& name, std::size_t limit) {
  const std::size_t room = limit > kTempExtra ? limit - kTempExtra : 0;
  if (name.size() <= room) return name;
  std::size_t cut = room;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  return name.substr(0, cut);
}

bool is_temp_of(const std::string& entry, const std::string& prefix) {
  if (entry.size() != prefix.size() + kTempRandom || entry.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < entry.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
  return true;
}

// Removes the temporaries of `stem` in `folder` that no live replacement holds locked: those a
// program killed while it wrote them left behind. One that cannot be locked, opened or
// recognised as a plain file is left alone.
void remove_leftovers(const std::string& folder, const std::string& stem) {
  const std::string prefix = "." + stem + kTempMark;
  std::error_code ec;
  fs::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (!is_temp_of(entry, prefix)) continue;
    const std::string path = it->path().string();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino)
      ::unlink(path.c_str());
    ::close(fd);
  }
}

void check(const std::string& target, const std::string& file) {
  const std::string folder = folder_of(file);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) raise(target, FileCause::no_folder, {});
  const std::size_t limit = longest_name(folder);
  if (fs::path(shown(target)).filename().string().size() > limit ||
      fs::path(file).filename().string().size() > limit || shown(file).size() >= PATH_MAX)
    raise(target, FileCause::name_too_long, {});
  if (::access(folder.c_str(), W_OK) != 0) raise(target, cause_of(errno, Step::create), std::strerror(errno));
  if (::stat(file.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) raise(target, FileCause::other, "it is a folder");
    if ((st.st_mode & 0222) == 0) raise(target, FileCause::file_read_only, {});
    if (lock_file_beside(target) || lock_file_beside(file)) raise(target, FileCause::file_in_use, {});
  }
}

}  // namespace

void set_step_hook(StepHook h) { hook() = std::move(h); }

std::string replaced_file(const std::string& target) {
  // The link's own text is followed as the system follows it: relative to the link's folder.
  fs::path p(shown(target));
  std::error_code ec;
  int hops = 0;
  for (; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
    const fs::path to = fs::read_symlink(p, ec);
    if (ec) break;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  if (hops == 0) return p.string();
  // Named from its folder's real path, which the link's ".." steps lead through.
  const fs::path folder = fs::weakly_canonical(p.parent_path(), ec);
  return ec ? p.string() : (folder / p.filename()).string();
}

std::size_t longest_name(const std::string& folder) {
  const long n = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return n > 0 ? static_cast<std::size_t>(n) : 255;
}

void check_replaceable(const std::string& target) { check(target, replaced_file(target)); }

FileReplacement::FileReplacement(std::string target)
    : target_(std::move(target)), file_(replaced_file(target_)) {
  check(target_, file_);
  // The new file takes the permissions of the one it replaces, else the usual ones.
  mode_t mode = 0;
  struct stat st {};
  if (::stat(file_.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const std::string folder = folder_of(file_);
  const std::string stem = temp_stem(fs::path(file_).filename().string(), longest_name(folder));
  remove_leftovers(folder, stem);
  step(Step::create);
  // The temporary stays locked until it is renamed or removed, so that no other replacement
  // takes it for a killed one's. A cleaner that locked it first, between its making and its
  // locking, removes it: then another one is made.
  for (int attempt = 0;; ++attempt) {
    std::string pattern = (fs::path(folder) / ("." + stem + kTempMark + "XXXXXX")).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) fail(Step::create, errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK && attempt < 8) {
      ::close(fd);
      continue;
    }
    // A file system without locks keeps the temporary unlocked: no cleaner can lock it either.
    struct stat made {};
    if (::fstat(fd, &made) == 0 && made.st_nlink == 0 && attempt < 8) {
      ::close(fd);
      continue;
    }
    fd_ = fd;
    temp_ = pattern;
    break;
  }
  if (::fchmod(fd_, mode) != 0) {
    // Not worth failing for: the file keeps the private permissions it was made with.
  }
  buffer_.reserve(kBuffer);
}

FileReplacement::~FileReplacement() { discard(); }

void FileReplacement::discard() noexcept {
  // Removed before its lock goes with the closing, so that no cleaner meets it unlocked.
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void FileReplacement::step(Step s) {
  if (!hook()) return;
  if (const int err = hook()(s, target_); err != 0) fail(s, err);
}

void FileReplacement::fail(Step s, int err) {
  discard();
  raise(target_, cause_of(err, s), std::strerror(err));
}

void FileReplacement::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t take = std::min(bytes.size(), kBuffer - buffer_.size());
    buffer_.append(bytes.substr(0, take));
    bytes.remove_prefix(take);
    size_ += take;
    if (buffer_.size() == kBuffer) flush();
  }
}

void FileReplacement::write_at(std::uint64_t offset, std::string_view bytes) {
  if (offset + bytes.size() > size_) raise(target_, FileCause::other, "a write past the end of the file");
  // The part already in the file is written there; the part still gathered is changed in memory.
  if (offset < flushed_) {
    const std::size_t in_file =
        static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), flushed_ - offset));
    step(Step::write);
    std::size_t done = 0;
    while (done < in_file) {
      const ssize_t n = ::pwrite(fd_, bytes.data() + done, in_file - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        fail(Step::write, errno);
      }
      done += static_cast<std::size_t>(n);
    }
    offset += in_file;
    bytes.remove_prefix(in_file);
  }
  if (!bytes.empty()) buffer_.replace(static_cast<std::size_t>(offset - flushed_), bytes.size(), bytes);
}

void FileReplacement::flush() {
  if (buffer_.empty()) return;
  step(Step::write);
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(Step::write, errno);
    }
    done += static_cast<std::size_t>(n);
  }
  flushed_ += buffer_.size();
  buffer_.clear();
}

void FileReplacement::commit(const std::function<void()>& before_rename) {
  if (fd_ < 0) raise(target_, FileCause::other, "the replacement is no longer open");
  flush();
  step(Step::sync);
  if (::fsync(fd_) != 0) fail(Step::sync, errno);
  // The file is closed once renamed: its lock is held until the temporary's name is gone.
  // Closing makes no write of its own here (the data is synced), but its result is still
  // heeded as a failed write's.
  step(Step::close);
  const int fd = ::dup(fd_);
  if (fd < 0) fail(Step::close, errno);
  if (::close(fd) != 0) fail(Step::close, errno);
  // Not committed, a replacement that this throws out of removes its temporary file.
  if (before_rename) before_rename();
  step(Step::rename);
  if (::rename(temp_.c_str(), file_.c_str()) != 0) fail(Step::rename, errno);
  committed_ = true;
  temp_.clear();
  ::close(fd_);
  fd_ = -1;
  // The rename is made durable by syncing the folder that holds both names. The new file is
  // in place already, so a failure here is no failure of the replacement.
  if (hook()) (void)hook()(Step::sync_folder, target_);
  const int dir = ::open(folder_of(file_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
}

void replace_with_copy(const std::string& from, const std::string& to,
                       const std::function<void()>& before_rename) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    if (errno == ENOENT) throw gw::Error("File not found");
    throw gw::Error("\"" + shown(from) + "\" could not be read (" + std::strerror(errno) + ").");
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{in};
  FileReplacement out(to);
  std::string buf(1 << 16, '\0');
  for (;;) {
    const ssize_t n = ::read(in, buf.data(), buf.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw gw::Error("\"" + shown(from) + "\" could not be read (" + std::strerror(errno) + ").");
    }
    if (n == 0) break;
    out.write(std::string_view(buf.data(), static_cast<std::size_t>(n)));
  }
  out.commit(before_rename);
}

}  // namespace gw::files
