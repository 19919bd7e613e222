// The circle constant of every computation in the program.
#pragma once

namespace gw {

// Pi as the program computes with it: deliberately this literal and not the full-precision pi,
// so that every area, perimeter and angle rounds alike wherever it is computed.
inline constexpr double kPi = 3.14159265358979;

}  // namespace gw
