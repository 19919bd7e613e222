// A private folder for one test's files, removed with everything in it when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace gw::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "gw_test_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
  }
  ~ScratchFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Read-only files and folders left by a test must not keep the folder alive.
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(folder_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& root() const { return folder_; }
  // The path of `name` inside the folder.
  std::string path(const std::string& name) const { return (folder_ / name).string(); }

  // A copy of the file `from` in the folder under `name`; its path.
  std::string copy(const std::string& from, const std::string& name) const {
    const std::string p = path(name);
    std::filesystem::copy_file(from, p, std::filesystem::copy_options::overwrite_existing);
    return p;
  }

 private:
  std::filesystem::path folder_;
};

}  // namespace gw::testing
