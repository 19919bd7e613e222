// The SOLVE command of the pipe design window: reads the fields, runs the shape's hydraulics, writes the
// results.
#include <limits>
#include <optional>

#include "design/frmpipemain.h"
#include "design/solve_texts.h"
#include "hydraulics/hydraulics_state.h"
#include "platform/text/parse.h"

namespace gw::design {

namespace {

// A field text as the solve's number: NaN when it does not read as one.
double number_of(const std::string& text) {
  std::optional<double> v = text::try_number(text);
  return v ? *v : std::numeric_limits<double>::quiet_NaN();
}

// Marks the window's writes of result fields while it lives.
class ResultWrites {
 public:
  explicit ResultWrites(bool& flag) : flag_(flag) { flag_ = true; }
  ~ResultWrites() { flag_ = false; }
  ResultWrites(const ResultWrites&) = delete;
  ResultWrites& operator=(const ResultWrites&) = delete;

 private:
  bool& flag_;
};

ui::Icon icon_of(MessageIcon icon) {
  return icon == MessageIcon::exclamation ? ui::Icon::Exclamation : ui::Icon::None;
}

}  // namespace

void frmpipemain::cmdpipesolve_Click() {
  bool solved = false;
  // The slope and the flow values derived from inputs changed here are derived once more,
  // so that nothing is solved with a value its inputs no longer give.
  const bool derived = derive_for_command("No results computed.  ");
  if (!is_loaded()) return;
  if (slope_refused) {
    // The slope shown was computed from other inputs than the ones in the fields.
    msg("No results computed.  Data Input Error for Slope Computation!", ui::Buttons::OK,
        ui::Icon::Exclamation);
    pipe_solved = false;
    return;
  }
  if (!derived) {
    pipe_solved = false;
    return;
  }
  write_ruled_inputs();
  try {
    {
      ResultWrites guard(writing_results_);
      clear_pipe_results();
    }
    solved = solve_pipe_hydraulics();
  } catch (const std::exception&) {
    msg("No results computed.  Invalid input.", ui::Buttons::OK, ui::Icon::Exclamation);
  }
  // Results that were cleared and not computed again are not a solution to save.
  pipe_solved = solved;
}

bool frmpipemain::solve_pipe_hydraulics() {
  shell::SharedState& v = vars();
  hyd::SolveInput in;
  in.pipe_discharge = number_of(c("pipe_discharge").text());
  in.numofpipes = number_of(c("numofpipes").text());
  in.pipe_slope = number_of(c("pipe_slope").text());
  in.pipe_mann = number_of(c("pipe_mann").text());
  in.pipe_length = number_of(c("pipe_length").text());
  in.pipe_dia = number_of(c("pipe_dia").text());
  in.span = number_of(c("span").text());
  in.rise = number_of(c("rise").text());
  in.pipe_shape = c("pipe_shape").text();
  in.units = v.units();

  const SolveOutcome out = solve_for_window(in, hydraulics_state_);
  if (out.number_format) v.set_number_format(*out.number_format);
  {
    // SOLVE's own writes are not changes of the pipe's inputs.
    ResultWrites guard(writing_results_);
    for (const FieldWrite& w : out.writes) c(w.field).set_text(w.text);
  }
  for (const Message& m : out.messages) msg(m.text, ui::Buttons::OK, icon_of(m.icon), m.title);
  return out.ok;
}

}  // namespace gw::design
