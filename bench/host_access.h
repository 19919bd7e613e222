// The benchmarks' key to the windows' controls (ui::HostKey): they drive the windows they time.
#pragma once

#include "platform/ui/form.h"

namespace gw::bench {

class HostAccess {
 public:
  static constexpr ui::HostKey key() { return ui::HostKey(); }
};

// What the benchmarks pass to Form::host_control, find and the other keyed members.
inline constexpr ui::HostKey host_key = HostAccess::key();

}  // namespace gw::bench
