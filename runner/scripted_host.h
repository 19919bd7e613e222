// The scripted host: the program's outside world played from a transcript.
#pragma once

#include <string>

#include "platform/ui/host.h"
#include "runner/fake_clock.h"

namespace gw::runner {

class Interpreter;

// Every call through which the program reaches its user (message boxes, file dialogs,
// modal windows, the desktop) is answered from the transcript by the interpreter; the
// clock is a FakeClock; nothing is displayed.
class ScriptedHost : public ui::Host {
 public:
  explicit ScriptedHost(Interpreter& interp) : interp_(interp) {}

  ui::Answer message(const ui::Message& m) override;
  void show_modal(ui::Form& f) override;
  void show_modeless(ui::Form& f) override;
  void form_closed(ui::Form& f) override;
  bool file_dialog(ui::FileDialog& d, bool save) override;
  bool open_document(const std::string& target) override;
  double clock() override;
  void end_program() override;

  FakeClock& fake_clock() { return clock_; }

 private:
  Interpreter& interp_;
  FakeClock clock_;
};

}  // namespace gw::runner
