// Start-up: splash, the 3-second wait, main window.
#include "shell/tarnelhydromain.h"
#include "shell/window_names.h"

namespace gw::shell {

namespace {
constexpr double kSecondsPerDay = 86400.0;
constexpr float kSplashSeconds = 3.0f;
}  // namespace

void tarnelhydromain_Main(Program& prog) {
  ui::Form& splash = prog.forms.get(window::frmHydroSplash);
  splash.show();
  prog.host.repaint(splash);

  // The wait compares in single precision, as the clock is polled; it processes no
  // events, so input during the wait changes nothing. Passing midnight during the
  // wait wraps the clock to zero: the elapsed time then counts across the wrap.
  const double start = prog.host.clock();
  const float target = static_cast<float>(start) + kSplashSeconds;
  for (;;) {
    double now = prog.host.clock();
    if (static_cast<float>(now) >= target) break;
    if (now < start && static_cast<float>(now + kSecondsPerDay) >= target) break;
  }

  splash.unload();
  prog.forms.get(window::frmsoftwaremain).show();
}

}  // namespace gw::shell
