// The front-end's key to the windows' controls (ui::HostKey), for binding them to their widgets.
#pragma once

#include "platform/ui/form.h"

namespace gw::app {

class HostAccess {
 public:
  static constexpr ui::HostKey key() { return ui::HostKey(); }
};

// What the front-end's files pass to Form::host_control, find and the other keyed members.
inline constexpr ui::HostKey host_key = HostAccess::key();

}  // namespace gw::app
