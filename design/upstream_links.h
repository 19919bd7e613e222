// Which pipe names which as an upstream pipe, read once with the pipe list, for the previous-pipe row checks.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gw::design {

// The links of table PIPE: for each pipe, the pipe numbers its PRENODE columns name. Numbers
// compare as the table's columns do (ASCII letter case aside, text otherwise: "1" and "01"
// are two pipes). Built once, so that a row check finds the pipe naming a number without a
// pass over the table, and without an index in the project file.
class UpstreamLinks {
 public:
  // Takes one pipe's number and the numbers of its upstream columns (empty ones skipped).
  void add(const std::string& pipe, const std::vector<std::string>& upstream);
  // Sorts what was added; call once after the last add.
  void finish();
  void clear();

  // The first pipe (in the order added) that names `number` as an upstream pipe, a pipe
  // numbered `exclude_pipe` aside (empty: none); nothing when no other pipe names it.
  std::optional<std::string> naming_pipe(const std::string& number, const std::string& exclude_pipe) const;

 private:
  // (folded upstream number, index of the naming pipe in pipes_), sorted by number, then index.
  std::vector<std::pair<std::string, std::size_t>> links_;
  std::vector<std::string> pipes_;
};

}  // namespace gw::design
