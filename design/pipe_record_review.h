// What opening a stored pipe finds out of date: upstream copies, a hidden lateral discharge, an intensity not the program's.
#pragma once

#include <string>
#include <vector>

namespace gw::design {

// An upstream pipe's accumulated C*A, accumulated Tc and flow time as texts: the copies a
// previous-pipe row holds, or the columns of that pipe's saved record.
struct UpstreamValues {
  std::string ca;
  std::string tc;
  std::string flow_time;
};

// Takes a row's copies and the upstream pipe's saved values. Gives whether the row still
// holds what entering it would copy: a missing saved value counts "0.0" (as entering the row
// writes it), texts that both read as numbers compare as numbers ("5" and "5.000" agree),
// any other texts as written.
bool upstream_copies_current(const UpstreamValues& row, const UpstreamValues& saved);

// A previous-pipe row whose copies differ from its pipe's saved record.
struct StaleRow {
  int row = 0;
  std::string pipe;
};

// Takes the stale rows (at least one) and whether the pipe is being edited. Gives the one
// message that names them: editing, they are entered again; viewed, they are shown as stored.
std::string stale_rows_message(const std::vector<StaleRow>& rows, bool editing);

// Takes the discharge mode and the lateral discharge text. Gives whether the entered mode
// ("CRM" is the computed one) hides a lateral discharge: a text that is not empty and does
// not read as 0.
bool hidden_lateral_discharge(const std::string& mode, const std::string& lateral);

// The message of that reset, naming the stored text.
std::string hidden_lateral_message(const std::string& lateral);

// Takes the stored intensity, the program's at the stored accumulated Tc (both in the
// field's pattern), that Tc and the intensity unit ("in/hr", "mm/hr"). Gives the message that
// names both values and the Tc, and says that the stored one is kept.
std::string stored_intensity_message(const std::string& stored, const std::string& program,
                                     const std::string& accumulated_tc, const std::string& unit);

}  // namespace gw::design
