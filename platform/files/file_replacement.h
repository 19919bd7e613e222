// A file replaced whole: its new content written beside it, synced, and renamed over it only
// once complete, so that the folder holds the old file or the new one, never a part of either.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace gw::files {

// The calls by which a replacement changes the disk, in the order a replacement makes them:
// the temporary file made, each write into it, its sync, its closing, the rename over the
// target and the sync of the folder.
enum class Step { create, write, sync, close, rename, sync_folder };

// A hook consulted before every step of every replacement, with the target's path: 0 lets the
// step run; any other value is the error number the step then fails with, as the system would
// report it. For tests that fail or stop a write at a chosen step; empty by default.
using StepHook = std::function<int(Step step, const std::string& target)>;
void set_step_hook(StepHook hook);

// The file a replacement of `target` writes: `target` itself, or, when it is a symbolic link,
// the file the link leads to (followed link by link), so that the link stays and its file is
// replaced. Its name as the link holds it, made absolute.
std::string replaced_file(const std::string& target);

// The longest file name, in bytes, that the file system holding `folder` takes (255 where
// the system does not say).
std::size_t longest_name(const std::string& folder);

// Why `target` cannot be replaced now, before anything is written: a folder that is missing
// or that nobody may write in, a disk mounted read-only, a name longer than the file system
// takes, a file that is read-only (no write permission for anybody) or that another program
// holds open (a lock taken on it, or the lock file an office program keeps beside a document
// it has open). Raises gw::FileError naming the file and the cause; returns when the
// replacement may go ahead.
void check_replaceable(const std::string& target);

// The new content of one file. Made by its constructor as a hidden temporary file
// ".NAME.gw-XXXXXX" in the folder of the file replaced (so that the final rename stays within
// one file system; for a long NAME the temporary takes as much of it as the file system lets
// the whole name be); written, then committed. A replacement that is not committed (a
// failure, an exception on the way) removes its temporary file and leaves the target as it
// was. The temporary is locked while its replacement lives: the constructor removes the
// temporaries beside the file that no live replacement holds, the ones a killed program left.
// Failures raise gw::FileError naming the target and the cause (disk full, folder not
// writable, ...).
class FileReplacement {
 public:
  explicit FileReplacement(std::string target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Appends bytes (gathered in memory and written in large pieces).
  void write(std::string_view bytes);
  // Overwrites bytes already written, from `offset` on (a header whose sizes are known late).
  void write_at(std::uint64_t offset, std::string_view bytes);
  std::uint64_t size() const { return size_; }

  // Writes what is gathered, syncs the file to the disk, closes it and renames it over the
  // target, then syncs the folder so that the rename itself is on the disk. `before_rename`,
  // when given, runs once the new content is complete, right before the rename; an exception
  // from it ends the replacement as a failure does, the target left in place.
  void commit(const std::function<void()>& before_rename = {});

  const std::string& target() const { return target_; }

 private:
  void flush();
  void step(Step s);
  [[noreturn]] void fail(Step s, int err);
  void discard() noexcept;

  std::string target_;  // as chosen: named by failures and the step hook
  std::string file_;    // the file replaced (the target, or the file its link leads to)
  std::string temp_;
  int fd_ = -1;
  std::string buffer_;
  std::uint64_t flushed_ = 0;  // bytes already in the file
  std::uint64_t size_ = 0;     // bytes written so far, gathered ones included
  bool committed_ = false;
};

// Replaces `to` whole with a copy of the file `from`. Raises gw::Error "File not found" when
// `from` is missing, gw::FileError when `to` cannot be written. `before_rename` as for commit.
void replace_with_copy(const std::string& from, const std::string& to,
                       const std::function<void()>& before_rename = {});

}  // namespace gw::files
