// The renumber dialog: the new number is refused when it exists, and confirmed when other
// pipes name the current number as an upstream pipe.
#include "design/frmpipemodify.h"

#include "design/frmpipemain.h"

namespace gw::design {

using ui::Answer;
using ui::Buttons;
using ui::Icon;
using ui::Kind;

void frmpipemodify::build() {
  set_caption("Modify Pipe Number");
  add(Kind::Label, "Label1").set_caption("CURRENT PIPE NUMBER");
  add(Kind::TextBox, "thispipenumber").set_enabled(false);
  add(Kind::Label, "Label2").set_caption("NEW PIPE NUMBER");
  add(Kind::TextBox, "newpipenumber");
  Control& accept = add(Kind::CommandButton, "cmdmodaccept");
  accept.set_caption("Accept");
  accept.on_click = [this] { cmdmodaccept_Click(); };
  Control& cancel = add(Kind::CommandButton, "cmdmodcancel");
  cancel.set_caption("Cancel");
  cancel.cancel = true;
  cancel.on_click = [this] { cmdmodcancel_Click(); };
}

std::string frmpipemodify::ask_new_number(const std::string& old_number) {
  old_number_ = old_number;
  new_number_.clear();
  vars().handover.old_pipe_number = old_number;
  vars().handover.new_pipe_number.clear();
  show_modal();
  return new_number_;
}

void frmpipemodify::Form_Load() { c("thispipenumber").set_text(old_number_); }

void frmpipemodify::cmdmodaccept_Click() {
  frmpipemain& pipe_window = prog.form<frmpipemain>();
  Control& entry = c("newpipenumber");
  const std::string new_number = entry.text();

  // A search that cannot run has reported its failure; the dialog stays open as it is.
  const frmpipemain::PipeSearch exists = pipe_window.search_pipes(new_number, "PIPE_NUMBER");
  if (exists.failed) return;
  if (exists.found) {
    msg("New pipe already exists in the database. Choose another pipe Number", Buttons::OK,
        Icon::Exclamation);
    entry.set_text("");
    return;
  }

  const frmpipemain::PipeSearch named_upstream =
      pipe_window.search_pipes(c("thispipenumber").text(), "PRENODE1");
  if (named_upstream.failed) return;
  if (named_upstream.found &&
      msg("Current pipe is a Previous Pipe to Pipe Number - " + named_upstream.pipe + " - Modify Anyway?",
          Buttons::YesNo, Icon::Exclamation) != Answer::Yes) {
    entry.set_text("");
    return;
  }

  new_number_ = new_number;
  vars().handover.new_pipe_number = new_number;
  unload();
}

void frmpipemodify::cmdmodcancel_Click() {
  new_number_.clear();
  vars().handover.new_pipe_number.clear();
  unload();
}

}  // namespace gw::design
