// Pipe design window: the nodes at both ends of a pipe, their candidate lists, checks and the data copied
// into them.
#include <string>
#include <vector>

#include "design/frmpipemain.h"
#include "platform/error/error.h"
#include "platform/text/ascii_case.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"

namespace gw::design {

using ui::Buttons;
using ui::Icon;

namespace {

constexpr const char* kInlet = "Inlet";
constexpr const char* kInletList = "select INLET_NUMBER from INLET Order by INLET_NUMBER";
constexpr const char* kInletRecord =
    "select TOTAL_DISCHARGE, STATION, OFFSET, OFFSET_LOCATION, TOP_ELEVATION,TOTALAREA1,TOTALAREA2,"
    "TOTALCA1,TOTALCA2,TC,COMPUTE_DISCHARGE  from INLET where INLET_NUMBER = ?";

// The node fields of one end, in the order the copies fill them.
constexpr const char* kNodeInFields[] = {"nodein_station", "nodein_offset", "nodein_offloc", "nodein_topele"};
constexpr const char* kNodeOutFields[] = {"nodeout_station", "nodeout_offset", "nodeout_offloc",
                                          "nodeout_topele"};

// The text without leading and trailing blanks.
std::string trim_blanks(const std::string& s) {
  size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

db::Connection& open_connection(const std::shared_ptr<db::Connection>& conn) {
  if (!conn || !conn->is_open()) throw gw::Error("Operation is not allowed when the object is closed.");
  return *conn;
}

// A numeric column of the inlet database as a number: a stored number as it is, a text
// that reads as a number, nothing else.
double inlet_number(const db::Recordset& rs, const char* column) {
  db::Value v = rs.value(column);
  switch (v.kind()) {
    case db::Value::Kind::null:
      throw gw::Error("Invalid use of Null");
    case db::Value::Kind::integer:
    case db::Value::Kind::real:
      return v.real();
    case db::Value::Kind::text:
      break;
  }
  return text::to_number(v.text());
}

// The inlet's flag asking for its areas to be used; a flag that is not set counts as 0.
bool inlet_flag_set(const db::Recordset& rs, const char* column) {
  db::Value v = rs.value(column);
  if (v.is_null()) return false;
  if (v.kind() == db::Value::Kind::text) return text::to_number(v.text()) != 0;
  return v.real() != 0;
}

}  // namespace

void frmpipemain::copy_location(const db::Recordset& rs, const char* const (&fields)[4]) {
  for (int i = 0; i < 4; ++i) c(fields[i]).set_text(rs.field(i));
}

void frmpipemain::wire_nodes() {
  // The node controls have no handlers of other areas; compose anyway, so that an area
  // wiring one of them too keeps its own.
  auto chain = [](std::function<void()>& slot, std::function<void()> mine) {
    auto prev = slot;
    slot = [prev, mine] {
      if (prev) prev();
      mine();
    };
  };
  chain(c("nodein_type").on_got_focus, [this] { nodein_type_GotFocus(); });
  chain(c("nodein_type").on_lost_focus, [this] { nodein_type_LostFocus(); });
  chain(c("nodein_no").on_got_focus, [this] { nodein_no_GotFocus(); });
  chain(c("nodein_no").on_lost_focus, [this] { nodein_no_LostFocus(); });
  chain(c("nodeout_type").on_got_focus, [this] { nodeout_type_GotFocus(); });
  chain(c("nodeout_type").on_lost_focus, [this] { nodeout_type_LostFocus(); });
  chain(c("nodeout_no").on_got_focus, [this] { nodeout_no_GotFocus(); });
  chain(c("nodeout_no").on_lost_focus, [this] { nodeout_no_LostFocus(); });
}

// ---- the lists ----

void frmpipemain::fill_nodein_list() {
  shell::SharedState& v = vars();
  try {
    const std::string type = c("nodein_type").text();
    if (type.empty()) return;
    nodein_list_rs = std::make_shared<db::Recordset>();
    Control& list = c("nodein_no");
    list.clear_items();
    if (type == kInlet) {
      // Without an inlet database there is nothing to offer.
      if (v.project.inlet_db_path.empty()) return;
      nodein_list_rs->open(open_connection(v.connections.inlet_connection), kInletList);
    } else {
      // Candidates: the structures of this type at which some stored pipe ends.
      nodein_list_rs->open(open_connection(v.connections.project_connection),
                           "select DISTINCT NODEOUT_NO from PIPE WHERE NODEOUT_TYPE = ? Order by NODEOUT_NO",
                           {type});
    }
    if (nodein_list_rs->record_count() < 1) return;
    std::vector<std::string> rows;
    for (nodein_list_rs->move_first(); !nodein_list_rs->eof(); nodein_list_rs->move_next())
      rows.push_back(nodein_list_rs->field(0));
    nodein_list_rs->move_first();
    list.set_items(std::move(rows));
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

void frmpipemain::fill_nodeout_list() {
  shell::SharedState& v = vars();
  try {
    const std::string type = c("nodeout_type").text();
    nodeout_list_rs = std::make_shared<db::Recordset>();
    if (type == kInlet) {
      if (v.project.inlet_db_path.empty()) return;
      nodeout_list_rs->open(open_connection(v.connections.inlet_connection), kInletList);
    } else {
      // Candidates: the structures of this type at which some stored pipe starts.
      nodeout_list_rs->open(open_connection(v.connections.project_connection),
                            "select DISTINCT NODEIN_NO from PIPE WHERE NODEIN_TYPE = ? Order by NODEIN_NO",
                            {type});
    }
    if (nodeout_list_rs->record_count() < 1) return;
    std::vector<std::string> rows;
    for (nodeout_list_rs->move_first(); !nodeout_list_rs->eof(); nodeout_list_rs->move_next())
      rows.push_back(nodeout_list_rs->field(0));
    nodeout_list_rs->move_first();
    c("nodeout_no").set_items(std::move(rows));
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

// ---- clearing ----

void frmpipemain::clear_nodein() {
  // The structure's own flow goes with its node; what depends on it is derived once.
  Batch batch(*this);
  c("nodein_no").set_text("");
  for (const char* f : kNodeInFields) c(f).set_text("");
  c("structure_discharge").set_text("0.0");
  c("structure_Tc").set_text("5.0");
  c("structure_ca").set_text("0.0");
  c("structure_area").set_text("0.0");
}

void frmpipemain::clear_nodeout() {
  c("nodeout_no").set_text("");
  for (const char* f : kNodeOutFields) c(f).set_text("");
}

// ---- type lists ----

void frmpipemain::nodein_type_GotFocus() { nodein_type_old = c("nodein_type").text(); }

void frmpipemain::nodein_type_LostFocus() {
  const std::string type = c("nodein_type").text();
  if (type.empty()) return;
  // The discharge mode follows the type only when the type is changed: an inlet's
  // discharge is computed, any other structure's entered. Passing through the list
  // leaves the mode the pipe was designed with (a manhole collecting upstream pipes is
  // computed too), so that it is not switched behind the user's back.
  if (type == nodein_type_old) return;
  // The type change is the engineer's answer: the new mode makes its option's resets
  // without a further question.
  Batch batch(*this);
  clear_nodein();
  c("dischargeval").set_text(type == kInlet ? "CRM" : "INP");
}

void frmpipemain::nodeout_type_GotFocus() { nodeout_type_old = c("nodeout_type").text(); }

void frmpipemain::nodeout_type_LostFocus() {
  if (c("nodeout_type").text() != nodeout_type_old) clear_nodeout();
}

// ---- node in ----

void frmpipemain::nodein_no_GotFocus() {
  nodein_no_old = c("nodein_no").text();
  fill_nodein_list();
}

void frmpipemain::nodein_no_LostFocus() {
  shell::SharedState& v = vars();
  // A refused node in is emptied and the user is taken back to it.
  auto refuse = [this] {
    clear_nodein();
    c("pipetab").set_tab(0);
    set_focus(c("nodein_no"));
  };
  try {
    Control& no = c("nodein_no");
    const std::string number = trim_blanks(no.text());
    no.set_text(number);
    if (number.empty()) {
      clear_nodein();
      return;
    }
    if (number == c("nodeout_no").text()) {
      msg("NodeIn structure is same as NodeOut Structure! Please choose a different value");
      refuse();
      return;
    }

    // A structure is the node in of one pipe only. A changed number is looked for among
    // the stored pipes; while editing, the pipe's own stored number is no conflict, so
    // only a number other than the stored one is looked for.
    bool look_for_use = number != nodein_no_old;
    if (look_for_use && mode_ == Mode::edit) {
      db::Recordset own;
      own.open(open_connection(v.connections.project_connection),
               "select NODEIN_NO from PIPE where PIPE_NUMBER = ?", {c("pipe_number").text()});
      if (own.record_count() > 0 && text::iequals(own.field(0), number)) look_for_use = false;
      own.close();
    }
    if (look_for_use) {
      const PipeSearch used = search_pipes(number, "NODEIN_NO");
      if (used.failed) {
        // The search has shown why it could not run; an unchecked number is not taken.
        refuse();
        return;
      }
      if (used.found) {
        msg("This Node IN Structure has already been used for Pipe  - " + used.pipe +
                " - Please choose a different value!",
            Buttons::OK, Icon::Exclamation);
        refuse();
        return;
      }
    }

    // Copy the structure's data, also when nothing was changed: the node is read afresh.
    if (c("nodein_type").text() != kInlet) {
      db::Recordset rs;
      rs.open(open_connection(v.connections.project_connection),
              "select NODEOUT_STATION, NODEOUT_OFFSET, NODEOUT_OFFLOC, NODEOUT_TOPELE from PIPE where "
              "NODEOUT_NO = ?",
              {number});
      if (rs.record_count() > 0) copy_location(rs, kNodeInFields);
      rs.close();
      return;
    }
    if (v.project.inlet_db_path.empty()) return;
    db::Recordset rs;
    rs.open(open_connection(v.connections.inlet_connection), kInletRecord, {number});
    if (rs.record_count() < 1) return;
    for (int i = 0; i < 4; ++i) c(kNodeInFields[i]).set_text(rs.field(i + 1));
    // An entered discharge takes nothing from the inlet's drainage: its flow data stay as
    // the engineer left them and nothing is recomputed.
    if (c("dischargeval").text() != "CRM") {
      rs.close();
      return;
    }
    const double area1 = inlet_number(rs, "TOTALAREA1");
    const double area2 = inlet_number(rs, "TOTALAREA2");
    const double ca1 = inlet_number(rs, "TOTALCA1");
    const double ca2 = inlet_number(rs, "TOTALCA2");
    // The inlet's Tc as stored (the derivation counts it with the 5-minute minimum). The
    // accumulation, Cf of the storm, the intensities and the discharge follow, once; read
    // again unchanged, the inlet still brings them into line.
    Batch batch(*this);
    touch_group(false);
    derive_pending_ = true;
    c("structure_Tc").set_text(rs.field("TC"));
    if (inlet_flag_set(rs, "COMPUTE_DISCHARGE")) {
      c("structure_ca").set_text(text::general(ca1 + ca2));
      c("structure_area").set_text(text::general(area1 + area2));
      rs.close();
    } else {
      c("structure_ca").set_text("0.0");
      c("structure_area").set_text("0.0");
      rs.close();
    }
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

// ---- node out ----

void frmpipemain::nodeout_no_GotFocus() { fill_nodeout_list(); }

void frmpipemain::nodeout_no_LostFocus() {
  shell::SharedState& v = vars();
  try {
    Control& no = c("nodeout_no");
    const std::string number = trim_blanks(no.text());
    no.set_text(number);
    nodeout_list_rs = std::make_shared<db::Recordset>();
    no.clear_items();
    if (number.empty()) {
      clear_nodeout();
      return;
    }
    if (number == c("nodein_no").text()) {
      msg("NodeOut structure is same as NodeIn Structure! Please choose a different value");
      clear_nodeout();
      c("pipetab").set_tab(0);
      set_focus(no);
      return;
    }
    // Any number of pipes may end at a structure: there is no test for its use.
    if (c("nodeout_type").text() != kInlet) {
      db::Recordset rs;
      rs.open(
          open_connection(v.connections.project_connection),
          "select NODEIN_STATION, NODEIN_OFFSET, NODEIN_OFFLOC, NODEIN_TOPELE from PIPE where NODEIN_NO = ?",
          {number});
      if (rs.record_count() > 0) copy_location(rs, kNodeOutFields);
      rs.close();
      return;
    }
    if (v.project.inlet_db_path.empty()) return;
    db::Recordset rs;
    rs.open(open_connection(v.connections.inlet_connection), kInletRecord, {number});
    if (rs.record_count() > 0)
      for (int i = 0; i < 4; ++i) c(kNodeOutFields[i]).set_text(rs.field(i + 1));
    rs.close();
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

}  // namespace gw::design
