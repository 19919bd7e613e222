// The program's failure type: an exception carrying the description shown to the user.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace gw {

struct Error : std::runtime_error {
  using runtime_error::runtime_error;
};

// What stopped a write to a file, where the failure tells.
enum class FileCause {
  other,
  disk_full,
  folder_not_writable,
  file_read_only,
  disk_read_only,
  file_in_use,
  no_folder,
  name_too_long,
  replaced
};

// The cause as a message words it ("the disk is full"); the empty text for `other`.
inline const char* file_cause_text(FileCause cause) {
  switch (cause) {
    case FileCause::disk_full:
      return "the disk is full";
    case FileCause::folder_not_writable:
      return "the folder is not writable";
    case FileCause::file_read_only:
      return "the file is read-only";
    case FileCause::disk_read_only:
      return "the disk is read-only";
    case FileCause::file_in_use:
      return "the file is in use by another program";
    case FileCause::no_folder:
      return "the folder does not exist";
    case FileCause::name_too_long:
      return "the file name is too long";
    case FileCause::replaced:
      return "the file has been replaced or removed since it was opened";
    case FileCause::other:
      break;
  }
  return "";
}

// A file that could not be written: the description, the cause and the file's path, so that
// a window can say which file failed and why in its own words.
struct FileError : Error {
  FileError(const std::string& description, FileCause why, std::string file)
      : Error(description), cause(why), path(std::move(file)) {}
  FileCause cause;
  std::string path;
};

// Descriptions of the run-time failures the number layer raises, worded as the users know them.
namespace runtime_message {
inline constexpr const char* type_mismatch = "Type mismatch";
inline constexpr const char* overflow = "Overflow";
inline constexpr const char* division_by_zero = "Division by zero";
inline constexpr const char* invalid_call = "Invalid procedure call or argument";
}  // namespace runtime_message

}  // namespace gw
