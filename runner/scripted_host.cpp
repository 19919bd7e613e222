// The scripted host: forwards the program's calls to the transcript.
#include "runner/scripted_host.h"

#include "runner/interpreter.h"

namespace gw::runner {

ui::Answer ScriptedHost::message(const ui::Message& m) { return interp_.program_message(m); }
void ScriptedHost::show_modal(ui::Form& f) { interp_.program_show_modal(f); }
void ScriptedHost::show_modeless(ui::Form& f) { interp_.program_show_modeless(f); }
void ScriptedHost::form_closed(ui::Form& f) { interp_.program_form_closed(f); }
bool ScriptedHost::file_dialog(ui::FileDialog& d, bool save) { return interp_.program_file_dialog(d, save); }
bool ScriptedHost::open_document(const std::string& target) { return interp_.program_open_document(target); }
double ScriptedHost::clock() {
  interp_.program_clock_read();
  return clock_.read();
}
void ScriptedHost::end_program() { interp_.program_end(); }

}  // namespace gw::runner
