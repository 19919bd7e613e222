// The links of table PIPE from upstream number to the pipes naming it, sorted for look-up.
#include "design/upstream_links.h"

#include <algorithm>

#include "platform/text/ascii_case.h"

namespace gw::design {

namespace {

std::string folded(const std::string& s) {
  std::string out = s;
  for (char& ch : out) ch = text::ascii_lower(ch);
  return out;
}

}  // namespace

void UpstreamLinks::add(const std::string& pipe, const std::vector<std::string>& upstream) {
  const std::size_t index = pipes_.size();
  pipes_.push_back(pipe);
  for (const std::string& number : upstream)
    if (!number.empty()) links_.emplace_back(folded(number), index);
}

void UpstreamLinks::finish() { std::sort(links_.begin(), links_.end()); }

void UpstreamLinks::clear() {
  links_.clear();
  pipes_.clear();
}

std::optional<std::string> UpstreamLinks::naming_pipe(const std::string& number,
                                                      const std::string& exclude_pipe) const {
  const std::string key = folded(number);
  auto it = std::lower_bound(links_.begin(), links_.end(), std::make_pair(key, std::size_t{0}));
  for (; it != links_.end() && it->first == key; ++it) {
    const std::string& pipe = pipes_[it->second];
    if (exclude_pipe.empty() || !text::iequals(pipe, exclude_pipe)) return pipe;
  }
  return std::nullopt;
}

}  // namespace gw::design
