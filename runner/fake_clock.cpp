// The scripted host's stepping time of day.
#include "runner/fake_clock.h"

#include <cmath>

namespace gw::runner {

bool FakeClock::set(double start, double step) {
  if (!(start >= 0 && start < kDay) || !(step > 0 && step < kDay)) return false;
  now_ = start;
  step_ = step;
  return true;
}

double FakeClock::read() {
  double t = now_;
  now_ = std::fmod(now_ + step_, kDay);
  return t;
}

}  // namespace gw::runner
