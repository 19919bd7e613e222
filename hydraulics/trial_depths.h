// The trial depths of a stepped depth search, with random access and first-match searching.
#pragma once

#include <vector>

namespace gw::hyd {

// A depth search past this many trial depths is refused: no input may keep a search running.
inline constexpr long kMaxSearchSteps = 10'000'000;

// The trial depths of a search that starts at `step` and adds `step` again and again: y_1 = step,
// y_(k+1) = y_k + step, each sum rounded to double as a running search rounds it (the depths are
// not k * step). The sequence ends with y_K, the first depth above `limit`.
// Takes a finite positive step and a finite limit; throws gw::Error when more than
// kMaxSearchSteps depths would be needed.
// Every 256th depth is kept, so y_k for any k costs at most 255 additions and yields exactly
// the depth that the running search would reach.
class TrialDepths {
 public:
  TrialDepths(double step, double limit);

  // K, the index of the last depth (the first above the limit).
  long last() const { return last_; }
  // y_k, for 1 <= k <= last().
  double at(long k) const;
  // The smallest k in [1, last()] with y_k > bound; bound must not exceed the limit.
  long first_above(double bound) const;

 private:
  static constexpr long kStride = 256;
  double step_;
  long last_ = 0;
  std::vector<double> marks_;  // marks_[i] = y_(1 + i * kStride)
};

// The smallest k in [lo, hi] at which `reached(k)` holds, or hi + 1 when it holds nowhere there.
// Assumes that `reached` is false up to some k and true from there on; asks it about log2 of
// the range's length times.
template <class Pred>
long first_reached(long lo, long hi, Pred&& reached) {
  long end = hi + 1;
  while (lo < end) {
    const long mid = lo + (end - lo) / 2;
    if (reached(mid)) {
      end = mid;
    } else {
      lo = mid + 1;
    }
  }
  return end;
}

}  // namespace gw::hyd
