// The scenario runner's key to the windows' controls (ui::HostKey): transcripts reach them by name.
#pragma once

#include "platform/ui/form.h"

namespace gw::runner {

class HostAccess {
 public:
  static constexpr ui::HostKey key() { return ui::HostKey(); }
};

// What the runner's files pass to Form::host_control, find and the other keyed members.
inline constexpr ui::HostKey host_key = HostAccess::key();

}  // namespace gw::runner
