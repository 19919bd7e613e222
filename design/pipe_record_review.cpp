// What opening a stored pipe finds out of date, and the messages that name it.
#include "design/pipe_record_review.h"

#include <optional>

#include "platform/text/parse.h"

namespace gw::design {

namespace {

bool same_value(const std::string& row, const std::string& saved_text) {
  const std::string saved = saved_text.empty() ? "0.0" : saved_text;
  const std::optional<double> a = text::try_number(row);
  const std::optional<double> b = text::try_number(saved);
  if (a && b) return *a == *b;
  return row == saved;
}

// "1", "1 and 3", "1, 2 and 3".
std::string listed(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += i + 1 == items.size() ? " and " : ", ";
    out += items[i];
  }
  return out;
}

}  // namespace

bool upstream_copies_current(const UpstreamValues& row, const UpstreamValues& saved) {
  return same_value(row.ca, saved.ca) && same_value(row.tc, saved.tc) &&
         same_value(row.flow_time, saved.flow_time);
}

std::string stale_rows_message(const std::vector<StaleRow>& rows, bool editing) {
  std::vector<std::string> numbers, pipes;
  for (const StaleRow& r : rows) {
    numbers.push_back(std::to_string(r.row));
    pipes.push_back(r.pipe);
  }
  const bool one = rows.size() == 1;
  std::string text = one ? "Previous pipe row " + numbers[0] + " holds copies of pipe " + pipes[0] +
                               " that differ from its saved record."
                         : "Previous pipe rows " + listed(numbers) + " hold copies of pipes " + listed(pipes) +
                               " that differ from their saved records.";
  if (editing)
    text += one ? " The row is entered again from the saved pipe: solve and save this pipe."
                : " The rows are entered again from the saved pipes: solve and save this pipe.";
  else
    text += one ? " Edit this pipe to enter the row again." : " Edit this pipe to enter the rows again.";
  return text;
}

bool hidden_lateral_discharge(const std::string& mode, const std::string& lateral) {
  if (mode == "CRM" || lateral.empty()) return false;
  const std::optional<double> q = text::try_number(lateral);
  return !q || *q != 0;
}

std::string hidden_lateral_message(const std::string& lateral) {
  return "This pipe's discharge is entered (\"Input Discharge\"), which adds no lateral discharge: the "
         "stored lateral discharge " +
         lateral + " is reset to 0.0.";
}

std::string stored_intensity_message(const std::string& stored, const std::string& program,
                                     const std::string& accumulated_tc, const std::string& unit) {
  return "The stored rainfall intensity " + stored + " " + unit + " is not the program's " + program + " " +
         unit + " at the stored accumulated Tc of " + accumulated_tc +
         " min. It is kept as the engineer's own; \"Compute Intensity\" gives the program's.";
}

}  // namespace gw::design
