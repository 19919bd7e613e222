// Trial depths of a stepped depth search, replayed exactly from stored checkpoints.
#include "hydraulics/trial_depths.h"

#include "platform/error/error.h"

namespace gw::hyd {

TrialDepths::TrialDepths(double step, double limit) : step_(step) {
  double y = 0.0 + step;
  long k = 1;
  for (;;) {
    if ((k - 1) % kStride == 0) marks_.push_back(y);
    if (y > limit) break;
    if (k >= kMaxSearchSteps) {
      throw Error("The depth search needs more than the allowed number of steps");
    }
    y += step;
    ++k;
  }
  last_ = k;
}

double TrialDepths::at(long k) const {
  const long mark = (k - 1) / kStride;
  double y = marks_[static_cast<std::size_t>(mark)];
  for (long i = mark * kStride + 1; i < k; ++i) y += step_;
  return y;
}

long TrialDepths::first_above(double bound) const {
  return first_reached(1, last_, [&](long k) { return at(k) > bound; });
}

}  // namespace gw::hyd
