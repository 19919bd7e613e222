// The refusal of an outlet design whose case lies outside the range its method covers.
#pragma once

#include "platform/error/error.h"

namespace gw::outlet {

// Raised by a design that declines its case (a Froude number or size limit); the description is
// the message the window shows. Distinct from the other failures, which the windows report
// differently.
struct DesignRefused : Error {
  using Error::Error;
};

}  // namespace gw::outlet
