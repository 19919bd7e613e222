// The scripted host's time of day: every reading moves it on by a fixed step.
#pragma once

namespace gw::runner {

// A time of day in seconds since midnight that advances by `step` at every read and
// wraps from 86400 to 0, so that a wait that polls the clock ends at once and a wait
// across midnight can be played.
class FakeClock {
 public:
  static constexpr double kDay = 86400.0;
  static constexpr double kDefaultStart = 36000.0;
  static constexpr double kDefaultStep = 0.25;

  // Takes a start in [0, 86400) and a step in (0, 86400); returns false (and changes
  // nothing) for values outside.
  bool set(double start, double step);

  // The current time, then moves on by one step.
  double read();
  // The current time: what the next read gives. Does not move the clock.
  double now() const { return now_; }
  double step() const { return step_; }

 private:
  double now_ = kDefaultStart;
  double step_ = kDefaultStep;
};

}  // namespace gw::runner
