// The pipe design window's record access: opening, binding, adding, cancelling and writing PIPE records, the
// upstream-pipe list and the pipe searches.
#include <algorithm>
#include <cctype>

#include "design/frmpipemain.h"
#include "platform/db/text_table.h"
#include "platform/error/error.h"
#include "shell/desktop.h"
#include "shell/save_failure.h"

namespace gw::design {

using ui::Buttons;
using ui::Icon;

namespace {

// Controls bound in every project, in binding order, up to the third upstream slot.
const std::vector<std::string> kBoundHead = {
    "pipe_number",    "project_id",     "pipe_length",    "pipe_elein",
    "pipe_eleout",    "pipe_shape",     "pipe_skew",      "pipe_dia",
    "pipe_mat",       "pipe_mann",      "numofpipes",     "pipe_slope",
    "span",           "rise",           "nodein_type",    "nodein_no",
    "nodein_station", "nodein_offset",  "nodein_offloc",  "nodein_topele",
    "nodein_shaping", "nodeout_type",   "nodeout_no",     "nodeout_station",
    "nodeout_offset", "nodeout_offloc", "nodeout_topele", "structure_discharge",
    "pipe_discharge", "pipe_I",         "accumulated_ca", "accumulated_Tc",
    "structure_area", "structure_ca",   "structure_Tc",   "pipe_cf",
    "prenode1",       "preca1",         "preTc1",         "preflowtime1",
    "prenode2",       "preca2",         "preTc2",         "preflowtime2",
    "prenode3",       "preca3",         "preTc3",         "preflowtime3"};
// Bound only in current projects: a legacy table has none of these columns.
const std::vector<std::string> kBoundCurrentOnly = {"dischargeval", "prenode4", "preca4", "preTc4",
                                                    "preflowtime4"};
const std::vector<std::string> kBoundTail = {
    "lateral_discharge", "pareabufstr",    "pcbufstr",       "PTcStr",        "pTcStr2",
    "PTcoptionstr",      "capacity",       "friction_slope", "hyd_radius",    "energy",
    "pipe_WP",           "critical_depth", "pipe_flowdepth", "pipe_areaflow", "pipe_velocity",
    "flow_time",         "FROUDE_NO",      "flow_type",      "pipe_summary",  "pipe_storm_freq"};

std::string upper(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

// Opening options of both record sets: client-side snapshots of the project connection.
db::Connection& project_connection(shell::SharedState& v) {
  if (!v.connections.project_connection || !v.connections.project_connection->is_open())
    throw gw::Error("Operation is not allowed when the object is closed.");
  return *v.connections.project_connection;
}

}  // namespace

const std::array<const char*, 13> frmpipemain::kResultFields = {
    "capacity",       "friction_slope", "hyd_radius",    "energy",        "pipe_WP",
    "critical_depth", "pipe_flowdepth", "pipe_areaflow", "pipe_velocity", "flow_time",
    "FROUDE_NO",      "flow_type",      "pipe_summary"};

const std::vector<std::string>& frmpipemain::bound_controls(bool legacy) {
  static const std::vector<std::string> current = [] {
    std::vector<std::string> v = kBoundHead;
    v.insert(v.end(), kBoundCurrentOnly.begin(), kBoundCurrentOnly.end());
    v.insert(v.end(), kBoundTail.begin(), kBoundTail.end());
    return v;
  }();
  static const std::vector<std::string> old = [] {
    std::vector<std::string> v = kBoundHead;
    v.insert(v.end(), kBoundTail.begin(), kBoundTail.end());
    return v;
  }();
  return legacy ? old : current;
}

void frmpipemain::get_pipe_records(const std::string& wherestr) {
  slope_refused = false;  // a record read shows its own stored slope
  shell::SharedState& v = vars();
  try {
    // The binding must let go of the record set it replaces.
    if (binding_.recordset() == adopipeRS.get()) {
      binding_.detach();
      bound_ = false;
    }
    adopipeRS = std::make_shared<db::Recordset>();
    adopipeRS->will_change_record = [this](db::ChangeReason reason, bool& cancel) {
      adopipeRS_WillChangeRecord(reason, cancel);
    };
    adopipeRS->move_complete = [this] { adopipeRS_MoveComplete(); };
    if (wherestr.empty())
      adopipeRS->open(project_connection(v), "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
    else
      adopipeRS->open(project_connection(v), "SELECT * FROM PIPE WHERE PIPE_NUMBER = ?", {wherestr});
    if (v.project.legacy_project() && adopipeRS->record_count() >= 1) {
      db::Value input = adopipeRS->value("STRUCTURE_INPUT");
      bool entered = input.kind() == db::Value::Kind::integer ? input.integer() == 1
                     : input.kind() == db::Value::Kind::real  ? input.real() == 1.0
                                                              : input.text() == "1";
      c("dischargeval").set_text(entered ? "INP" : "CRM");
    }
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void frmpipemain::get_pipe_list(const std::string& qureymode) {
  shell::SharedState& v = vars();
  try {
    (void)qureymode;  // a new query and a requery read the saved pipes afresh alike
    pipe_list_read_ = false;
    upstream_links_.clear();
    links_read_ = false;
    for (const char* n : {"prenode1", "prenode2", "prenode3"}) c(n).clear_items();
    // The lists need the pipe numbers alone, which the table's index gives without reading
    // the pipes; a row reads its own pipe's values (saved_pipe). The four lists share one
    // list of numbers.
    prepipeRS.reset();
    const auto numbers = std::make_shared<const std::vector<std::string>>(
        db::read_text_column(project_connection(v), "select PIPE_NUMBER from PIPE Order by PIPE_NUMBER"));
    for (const char* n : {"prenode1", "prenode2", "prenode3"}) c(n).set_items(numbers);
    if (!v.project.legacy_project()) {
      c("prenode4").clear_items();
      c("prenode4").set_items(numbers);
    }
    pipe_list_read_ = true;
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

bool frmpipemain::read_upstream_links() {
  shell::SharedState& v = vars();
  upstream_links_.clear();
  links_read_ = false;
  try {
    // Who names whom, in one pass over the table: leaving a row then needs no search of it.
    const bool legacy = v.project.legacy_project();
    db::read_text_rows(project_connection(v),
                       legacy ? "select PIPE_NUMBER, PRENODE1, PRENODE2, PRENODE3 from PIPE"
                              : "select PIPE_NUMBER, PRENODE1, PRENODE2, PRENODE3, PRENODE4 from PIPE",
                       [this](std::vector<std::string>& f) {
                         upstream_links_.add(f[0], std::vector<std::string>(f.begin() + 1, f.end()));
                       });
    upstream_links_.finish();
    links_read_ = true;
  } catch (const std::exception&) {
    // The row checks search the table instead.
    upstream_links_.clear();
  }
  return links_read_;
}

db::Recordset& frmpipemain::saved_pipe(const std::string& number) {
  auto pipe = std::make_shared<db::Recordset>();
  pipe->open(project_connection(vars()),
             "select PIPE_NUMBER, ACCUMULATED_CA,ACCUMULATED_TC,FLOW_TIME,PIPE_DISCHARGE from PIPE "
             "where PIPE_NUMBER = ?",
             {number});
  prepipeRS = std::move(pipe);
  return *prepipeRS;
}

void frmpipemain::attach_pipe_datasource() {
  const bool legacy = vars().project.legacy_project();
  try {
    if (!adopipeRS) return;
    binding_.attach(*adopipeRS);
    bound_ = true;
    for (const std::string& name : bound_controls(legacy)) binding_.bind(c(name), upper(name));
    if (adopipeRS->is_open() && adopipeRS->record_count() >= 1 && !adopipeRS->bof() && !adopipeRS->eof()) {
      c("pipe_shape").set_text(adopipeRS->field("PIPE_SHAPE"));
      c("pipe_mat").set_text(adopipeRS->field("PIPE_MAT"));
    }
    // Texts of older releases take their present names; the record holds them from now on.
    if (c("pipe_shape").text() == "Rectangulr") c("pipe_shape").set_text("Box");
    if (c("pipe_mat").text() == "CMP") c("pipe_mat").set_text("CMP (Small Corr.)");
  } catch (const std::exception&) {
    // The controls not reached keep their previous binding.
  }
}

void frmpipemain::clear_pipe_datasource() {
  binding_.detach();
  bound_ = false;
  for (const std::string& name : bound_controls(vars().project.legacy_project()))
    if (Control* ctl = find(name)) ctl->data_field.clear();
}

void frmpipemain::adopipeRS_MoveComplete() {
  if (!is_loaded()) return;
  c("lblStatus").set_caption(c("pipe_number").text());
  c("StatusBar").set_panel(2, c("pipe_shape").text() + " - " + c("pipe_mat").text());
}

void frmpipemain::adopipeRS_WillChangeRecord(db::ChangeReason reason, bool& cancel) {
  (void)cancel;
  if (reason == db::ChangeReason::add_new || reason == db::ChangeReason::first_change) pipe_solved = false;
}

void frmpipemain::pipeAdd() {
  try {
    if (!adopipeRS || !adopipeRS->is_open())
      throw gw::Error("Operation is not allowed when the object is closed.");
    if (adopipeRS->record_count() > 0) adopipeRS->move_last();
    adopipeRS->add_new();
    c("lblStatus").set_caption("");
    c("project_id").set_text(vars().project.current_project_id);
    init_pipe_data();
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void frmpipemain::pipeCancel() {
  try {
    if (!adopipeRS || !adopipeRS->is_open()) return;
    db::EditMode mode = adopipeRS->edit_mode();
    if (mode == db::EditMode::none) return;
    if (mode != db::EditMode::in_progress) adopipeRS->cancel_update();
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

bool frmpipemain::pipeUpdate() {
  try {
    if (!adopipeRS || !adopipeRS->is_open())
      throw gw::Error("Operation is not allowed when the object is closed.");
    if (vars().project.legacy_project()) {
      const bool entered = c("dischargeval").text() == "INP";
      adopipeRS->set_field("STRUCTURE_INPUT", db::Value(entered ? 1 : 0));
      adopipeRS->set_field("STRUCTURE_COMPUTE", db::Value(entered ? 0 : 1));
    }
    adopipeRS->update();
  } catch (const std::exception& e) {
    // The record stays pending and the record set open; the save reports the failure, naming
    // the pipe, the file and why the file took no write.
    update_failure_ = shell::refused_save_text(e, "Pipe " + c("pipe_number").text() + " could not be saved in",
                                               vars().project.project_db_path)
                          .value_or("Data Update Error!");
    return false;
  }
  c("lblStatus").set_caption(c("pipe_number").text());
  binding_.detach();
  bound_ = false;
  adopipeRS->close();
  return true;
}

void frmpipemain::init_pipe_data() {
  const shell::SharedState& v = vars();
  c("pipe_shape").set_text("Circular");
  for (const char* size : {"span", "rise"}) {
    c(size).set_enabled(false);
    c(size).set_back_color(ui::kLockedColor);
  }
  // A circular pipe's diameter and material apply, also after an arch pipe was shown.
  c("pipe_dia").set_enabled(true);
  c("pipe_dia").set_back_color(ui::kWindowColor);
  c("pipe_mat").set_enabled(true);
  c("pipe_mat").set_text("Concrete");
  c("pipe_mann").set_text("0.013");
  if (!v.units().english()) {
    c("pipe_dia")
        .set_items(
            {"300", "375", "450", "600", "750", "900", "1050", "1200", "1350", "1500", "1650", "1800"});
    c("pipe_dia").set_text("450");
    for (int i = 0; i < 8; ++i) c("pftm", i).set_caption("m");
    for (int i = 0; i < 2; ++i) c("pftpftmpm", i).set_caption("m/m");
    for (int i = 0; i < 4; ++i) c("inmm", i).set_caption(i == 0 ? "mm/hr" : "mm");  // 0: intensity
    for (int i = 0; i < 4; ++i) c("pcfscms", i).set_caption("cms");
    c("lblftmpsec").set_caption("m/sec");
    c("lblarea").set_caption("Ha");
    c("lblsqftm").set_caption("sqm");
  } else {
    c("pipe_dia").set_text("18");
  }
  c("numofpipes").set_text("1");
  c("nodein_shaping").set_text("NO");
  c("structure_discharge").set_text("0.0");
  c("pipe_discharge").set_text("0.0");
  std::vector<std::string> storms = {"2", "10", "25", "50", "100"};
  if (!v.project.legacy_project()) storms.insert(storms.begin() + 1, "5");
  c("pipe_storm_freq").set_items(storms);
  c("pipe_storm_freq").set_text("2");
  c("pipe_I").set_text("0.0");
  c("accumulated_ca").set_text("0.0");
  c("accumulated_Tc").set_text("5.0");
  c("structure_area").set_text("0.0");
  c("structure_ca").set_text("0.0");
  c("structure_Tc").set_text("5.0");
  c("Check_ComputeTc").set_value(0);
  c("pipe_cf").set_text("0.0");
  for (int n = 1; n <= 4; ++n) {
    std::string k = std::to_string(n);
    c("preca" + k).set_text("0.0");
    c("preTc" + k).set_text("0.0");
    c("preflowtime" + k).set_text("0.0");
  }
  for (const char* r : kResultFields) c(r).set_text("");
  for (const char* buffer : {"pareabufstr", "pcbufstr", "PTcStr", "pTcStr2", "PTcoptionstr"})
    c(buffer).set_text("");
  c("structure_input1").set_value(1);
  c("dischargeval").set_text("INP");
}

void frmpipemain::clear_pipe_results() {
  for (const char* r : kResultFields) c(r).set_text("");
}

frmpipemain::PipeSearch frmpipemain::search_pipes(const std::string& boundtxt, const std::string& listname,
                                                  const std::string& exclude_pipe) {
  shell::SharedState& v = vars();
  v.handover.found_pipe_number.clear();
  std::string sql;
  std::vector<db::Value> params;
  const bool upstream =
      listname == "PRENODE1" || listname == "PRENODE2" || listname == "PRENODE3" || listname == "PRENODE4";
  if (upstream) {
    sql = "select PIPE_NUMBER from PIPE WHERE PRENODE1 = ? OR PRENODE2 = ? OR PRENODE3 = ?";
    params = {boundtxt, boundtxt, boundtxt};
    if (!v.project.legacy_project()) {
      sql += " OR PRENODE4 = ?";
      params.emplace_back(boundtxt);
    }
    if (!exclude_pipe.empty()) {
      sql = "select PIPE_NUMBER from (" + sql + ") WHERE PIPE_NUMBER <> ?";
      params.emplace_back(exclude_pipe);
    }
  } else if (listname == "PIPE_NUMBER") {
    sql = "select PIPE_NUMBER from PIPE WHERE PIPE_NUMBER = ?";
    params = {boundtxt};
  } else if (listname == "NODEIN_NO") {
    sql = "select PIPE_NUMBER from PIPE WHERE NODEIN_NO = ?";
    params = {boundtxt};
  } else {
    return {};
  }
  PipeSearch out;
  try {
    db::Recordset rs;
    rs.open(project_connection(v), sql, params);
    out.found = rs.record_count() > 0;
    if (out.found && listname != "PIPE_NUMBER") out.pipe = rs.field("PIPE_NUMBER");
    rs.close();
  } catch (const std::exception& e) {
    prog.host.msgbox(e.what());
    out = {};
    out.failed = true;
  }
  v.handover.found_pipe_number = out.pipe;
  return out;
}

}  // namespace gw::design
