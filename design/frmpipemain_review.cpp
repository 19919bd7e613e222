// Pipe design window: what opening a stored pipe finds out of date, said once and, when editing, brought into line.
#include <optional>
#include <vector>

#include "design/frmpipemain.h"
#include "design/pipe_record_review.h"
#include "design/rational_method.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"

namespace gw::design {

std::optional<std::string> frmpipemain::program_stored_intensity() {
  const StormLookup& lookup = storm_lookup(c("pipe_storm_freq").text(), false);
  const std::optional<double> t = text::try_number(c("accumulated_Tc").text());
  if (!lookup.coefficients || !t) return std::nullopt;
  try {
    return text::format(rational::rainfall_intensity(*lookup.coefficients, *t, vars().units().metric()),
                        vars().number_format());
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool frmpipemain::stored_intensity_typed() {
  if (c("dischargeval").text() != "CRM") return false;
  const std::string shown = c("pipe_I").text();
  const std::optional<double> i = text::try_number(shown);
  // Nothing computed yet: the program's to compute.
  if (!i || *i == 0) return false;
  // The program's own value at the stored accumulated Tc, in the field's pattern, follows;
  // anything else, or a value that cannot be checked, is the engineer's and is kept.
  const std::optional<std::string> program = program_stored_intensity();
  return !program || *program != text::format_text(shown, vars().number_format());
}

void frmpipemain::review_stored_record(bool editing) {
  if (!is_loaded() || c("pipe_number").text().empty()) return;
  const bool legacy = vars().project.legacy_project();

  // An intensity of the engineer's (or of an earlier release) is kept, and said once.
  if (editing && intensity_typed_) {
    if (const std::optional<std::string> program = program_stored_intensity()) {
      // The stored intensity as it is stored, the program's and the Tc as the field shows them.
      msg(stored_intensity_message(c("pipe_I").text(), *program,
                                   text::format_text(c("accumulated_Tc").text(), vars().number_format()),
                                   vars().units().metric() ? "mm/hr" : "in/hr"),
          ui::Buttons::OK, ui::Icon::Information);
    }
  }

  // The entered mode shows no lateral discharge, so none may count or be saved.
  const std::string lateral = c("lateral_discharge").text();
  if (editing && hidden_lateral_discharge(c("dischargeval").text(), lateral)) {
    msg(hidden_lateral_message(lateral), ui::Buttons::OK, ui::Icon::Information);
    Batch batch(*this);
    c("lateral_discharge").set_text("0.0");
    touch_group(false);
    derive_pending_ = true;
  }

  // One state of each upstream pipe: rows whose copies are not the saved record's.
  if (!pipe_list_read_) return;
  std::vector<StaleRow> stale;
  for (int n = 1; n <= (legacy ? 3 : 4); ++n) {
    const std::string k = std::to_string(n);
    const std::string pipe = c("prenode" + k).text();
    if (pipe.empty()) continue;
    try {
      db::Recordset& saved = saved_pipe(pipe);
      if (saved.eof()) continue;
      const UpstreamValues copies{c("preca" + k).text(), c("preTc" + k).text(), c("preflowtime" + k).text()};
      const UpstreamValues record{saved.field("ACCUMULATED_CA"), saved.field("ACCUMULATED_TC"),
                                  saved.field("FLOW_TIME")};
      if (!upstream_copies_current(copies, record)) stale.push_back({n, pipe});
    } catch (const std::exception&) {
      // A pipe that cannot be read is left to leaving its row and to Save, which name it.
    }
  }
  if (stale.empty()) return;
  msg(stale_rows_message(stale, editing), ui::Buttons::OK, ui::Icon::Information);
  if (!editing) return;
  for (const StaleRow& r : stale)
    if (is_loaded()) load_previous_pipe(r.row);
}

}  // namespace gw::design
