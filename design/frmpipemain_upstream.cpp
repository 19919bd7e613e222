// Pipe design window: the upstream-pipe rows and the accumulated Tc and C*A of the pipe.
#include <array>
#include <optional>

#include "design/frmpipemain.h"
#include "design/pipe_derivation.h"
#include "platform/error/error.h"
#include "platform/text/ascii_case.h"

namespace gw::design {

namespace {

std::string trim_blanks(const std::string& s) {
  size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

}  // namespace

void frmpipemain::prenode_LostFocus(int slot) {
  shell::SharedState& v = vars();
  // A legacy project has three rows; the fourth is ignored.
  if (slot == 4 && v.project.legacy_project()) return;
  const std::string k = std::to_string(slot);
  Control& row = c("prenode" + k);
  try {
    const std::string number = trim_blanks(row.text());
    row.set_text(number);
    if (number.empty()) {
      clear_prenode(slot);
      return;
    }

    // Pipe numbers compare as table PIPE compares them: letter case aside ("L1" is "l1"),
    // text otherwise ("1", "01" and "1.0" are three pipes).
    auto own_number = [&] {
      if (!text::iequals(number, c("pipe_number").text())) return true;
      clear_prenode(slot);
      msg("Invalid Pipe Number! Please choose a different value");
      return false;
    };
    auto not_duplicate = [&] {
      const int rows = v.project.legacy_project() ? 3 : 4;
      for (int m = 1; m <= rows; ++m) {
        if (m == slot || !text::iequals(c("prenode" + std::to_string(m)).text(), number)) continue;
        msg("This Pipe has already been used as a Previous Pipe! Please choose a different value");
        clear_prenode(slot);
        return false;
      }
      return true;
    };
    bool passed = slot == 1 ? own_number() && not_duplicate() : not_duplicate() && own_number();

    // A row still naming the number it held when editing began is the pipe's own link.
    const std::array<const std::string*, 4> remembered = {&remembered_prenode1, &remembered_prenode2,
                                                          &remembered_prenode3, &remembered_prenode4};
    if (passed && slot >= 1 && slot <= 4 && number != *remembered[static_cast<size_t>(slot - 1)]) {
      // The pipe's own stored record names its upstream pipes too: moving one to another
      // row is no conflict, only another pipe naming it is.
      const PipeSearch used =
          upstream_user(number, "PRENODE" + k, mode_ == Mode::edit ? c("pipe_number").text() : std::string());
      // A search that could not run has shown why; the row keeps its number.
      if (used.failed) return;
      if (used.found) {
        msg("This Pipe has already been used as a Previous Pipe for Pipe  - " + used.pipe +
                " - Please choose a different value!",
            ui::Buttons::OK, ui::Icon::Exclamation);
        clear_prenode(slot);
        passed = false;
      }
    }
    if (!passed) {
      c("pipetab").set_tab(1);
      set_focus(row);
      return;
    }
    load_previous_pipe(slot);
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

frmpipemain::PipeSearch frmpipemain::upstream_user(const std::string& number, const std::string& slot_column,
                                                   const std::string& exclude_pipe) {
  if (!pipe_list_read_ || (!links_read_ && !read_upstream_links()))
    return search_pipes(number, slot_column, exclude_pipe);
  PipeSearch out;
  if (const std::optional<std::string> pipe = upstream_links_.naming_pipe(number, exclude_pipe)) {
    out.found = true;
    out.pipe = *pipe;
  }
  vars().handover.found_pipe_number = out.pipe;
  return out;
}

void frmpipemain::load_previous_pipe(int slot) {
  if (slot < 1 || slot > 4) return;
  const std::string k = std::to_string(slot);
  Control& row = c("prenode" + k);
  std::string ca, tc, ft, problem;
  try {
    if (!pipe_list_read_) throw gw::Error("The list of saved pipes is not open.");
    const std::string number = row.text();
    db::Recordset& list = saved_pipe(number);
    if (list.eof()) {
      // A number that names no saved pipe is refused like any other: the row is emptied
      // and the user taken back to it, so that no link to nothing is kept or saved.
      list.move_first();
      msg("There is no saved pipe numbered " + number + ".");
      clear_prenode(slot);
      c("pipetab").set_tab(1);
      set_focus(row);
      return;
    }
    ca = list.field("ACCUMULATED_CA");
    tc = list.field("ACCUMULATED_TC");
    ft = list.field("FLOW_TIME");
    problem = upstream_record_problem(number, ca, tc, ft, list.field("PIPE_DISCHARGE"));
    list.move_first();
  } catch (const std::exception& e) {
    msg(e.what());
    return;
  }
  {
    // The row's values as stored, a missing one as 0.0; the accumulation, intensities and
    // discharge follow them once.
    Batch batch(*this);
    c("preca" + k).set_text(ca.empty() ? "0.0" : ca);
    c("preTc" + k).set_text(tc.empty() ? "0.0" : tc);
    c("preflowtime" + k).set_text(ft.empty() ? "0.0" : ft);
    row_loaded_for_[static_cast<size_t>(slot - 1)] = row.text();
    // Entered again with the same values, the row still brings its pipe's discharge now.
    touch_group(false);
    derive_pending_ = true;
  }
  // A stored value that is no number is not taken for 0: the engineer is told which, and
  // what depends on it stays empty until the upstream pipe is saved with numbers.
  if (!problem.empty()) msg(problem, ui::Buttons::OK, ui::Icon::Exclamation);
}

void frmpipemain::clear_prenode(int slot) {
  if (slot < 1 || slot > 4) return;
  const std::string k = std::to_string(slot);
  Batch batch(*this);
  row_loaded_for_[static_cast<size_t>(slot - 1)].clear();
  c("prenode" + k).set_text("");
  c("preTc" + k).set_text("0.0");
  c("preca" + k).set_text("0.0");
  c("preflowtime" + k).set_text("0.0");
}

}  // namespace gw::design
