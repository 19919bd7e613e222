// The tests' key to the windows' controls (ui::HostKey): they drive and check any window by them.
#pragma once

#include "platform/ui/form.h"

namespace gw::testing {

class HostAccess {
 public:
  static constexpr ui::HostKey key() { return ui::HostKey(); }
};

// What the tests pass to Form::host_control, find and the other keyed members.
inline constexpr ui::HostKey host_key = HostAccess::key();

}  // namespace gw::testing
