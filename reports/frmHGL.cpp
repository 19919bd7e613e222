// The hydraulic grade line window: outfall node and tailwater elevation, and the computation
// that writes form LD347.
#include "reports/frmHGL.h"

#include "platform/db/text_table.h"
#include "platform/error/error.h"
#include "platform/text/format.h"
#include "reports/grade_line.h"
#include "reports/report_workbook.h"
#include "shell/input_procedures.h"

namespace gw::reports {

using ui::Kind;

namespace {

// Every pipe with the columns the walk and the rows read, in pipe number order: the order in
// which the walk takes the pipes into a node and the rows take their laterals.
constexpr const char* kPipeQuery =
    "SELECT PIPE_NUMBER, NODEIN_NO, NODEOUT_NO, PIPE_DIA, PIPE_SHAPE, PIPE_MANN, SPAN, RISE, "
    "PIPE_LENGTH, PIPE_ELEOUT, PIPE_ELEIN, PIPE_FLOWDEPTH, PIPE_DISCHARGE, NUMOFPIPES, "
    "PIPE_STORM_FREQ, NODEIN_TYPE, NODEIN_SHAPING, STRUCTURE_CA, PIPE_I, PIPE_VELOCITY, PIPE_SKEW, "
    "NODEIN_STATION, NODEIN_TOPELE FROM PIPE ORDER BY PIPE_NUMBER";

constexpr const char* kOutletNodeQuery =
    "SELECT DISTINCT NODEOUT_NO FROM PIPE WHERE NODEOUT_NO IS NOT NULL ORDER BY NODEOUT_NO";

db::Connection& project_connection(shell::SharedState& v) {
  if (!v.connections.project_connection || !v.connections.project_connection->is_open())
    throw gw::Error("Operation is not allowed when the object is closed.");
  return *v.connections.project_connection;
}

// The pipes of kPipeQuery, each taken into the lookup as it comes from the database: nothing
// else of every pipe is kept (the column positions are those of the query).
std::unique_ptr<PipeLookup> read_pipes(db::Connection& conn) {
  auto pipes = std::make_unique<PipeLookup>();
  db::read_text_rows(conn, kPipeQuery, [&pipes](std::vector<std::string>& f) {
    if (f.size() != 23) throw gw::Error("The pipe query gives " + std::to_string(f.size()) + " columns.");
    GradeLineRecord r;
    GradeLinePipe& p = r.pipe;
    p.number = std::move(f[0]);
    r.node_in = std::move(f[1]);
    r.node_out = std::move(f[2]);
    p.dia = std::move(f[3]);
    p.shape = std::move(f[4]);
    p.manning_n = std::move(f[5]);
    p.span = std::move(f[6]);
    p.rise = std::move(f[7]);
    p.length = std::move(f[8]);
    p.ele_out = std::move(f[9]);
    p.ele_in = std::move(f[10]);
    p.flow_depth = std::move(f[11]);
    p.discharge = std::move(f[12]);
    p.barrels = std::move(f[13]);
    p.storm_freq = std::move(f[14]);
    p.nodein_type = std::move(f[15]);
    p.nodein_shaping = std::move(f[16]);
    p.structure_ca = std::move(f[17]);
    p.intensity = std::move(f[18]);
    p.velocity = std::move(f[19]);
    r.skew = std::move(f[20]);
    p.nodein_station = std::move(f[21]);
    p.nodein_top = std::move(f[22]);
    pipes->add(r);
  });
  return pipes;
}

}  // namespace

void frmHGL::build() {
  set_caption("HGL Analysis");
  add(Kind::Frame, "frm_HGL").set_caption("HYDRAULIC GRADELINE ANALYSIS");
  auto in_frame = [this](Kind kind, const char* name, const char* caption, int tab) -> Control& {
    Control& ctl = add(kind, name);
    if (caption) ctl.set_caption(caption);
    ctl.container = "frm_HGL";
    ctl.tab_index = tab;
    return ctl;
  };
  in_frame(Kind::Label, "Label18", "OUTFALL/END NODE", 0);
  Control& outfall = in_frame(Kind::DataCombo, "hglanodeout", nullptr, 1);
  outfall.style = 2;  // a drop-down list of the node-out numbers
  outfall.data_field = "NODEOUT_NO";
  in_frame(Kind::Label, "Label61", "TAIL WATER ELEVATION", 2);
  Control& twe = in_frame(Kind::TextBox, "TWE", nullptr, 3);
  // The unit label of the tailwater: "ft", or "m" in a metric project (set on loading).
  in_frame(Kind::Label, "lblhglftm", "ft", 4);
  Control& compute = in_frame(Kind::CommandButton, "cmdHGL", "Compute HGL", 5);
  Control& close = in_frame(Kind::CommandButton, "cmdHGLclose", "Close", 6);
  close.cancel = true;

  twe.on_got_focus = [this] { TWE_GotFocus(); };
  twe.on_key_press = [this](int& key) { TWE_KeyPress(key); };
  twe.number_entry = ui::NumberEntry::unsigned_number;  // its keys are filtered by TWE_KeyPress
  twe.on_lost_focus = [this] { TWE_LostFocus(); };
  compute.on_click = [this] { cmdHGL_Click(); };
  close.on_click = [this] { cmdHGLclose_Click(); };
}

void frmHGL::Form_Load() {
  c("TWE").set_text("0.0");
  c("lblhglftm").set_caption(std::string(vars().units().length_name));
  load_outlet_nodes();
}

void frmHGL::Form_Unload(int& cancel) {
  (void)cancel;
  outlet_nodes_rs_.reset();
  pipes_.reset();
  branch_.clear();
}

void frmHGL::load_outlet_nodes() {
  Control& list = c("hglanodeout");
  outlet_nodes_rs_ = std::make_unique<db::Recordset>();
  list.clear_items();
  try {
    outlet_nodes_rs_->open(project_connection(vars()), kOutletNodeQuery);
    std::vector<std::string> nodes;
    for (; !outlet_nodes_rs_->eof(); outlet_nodes_rs_->move_next())
      nodes.push_back(outlet_nodes_rs_->field("NODEOUT_NO"));
    outlet_nodes_rs_->move_first();
    list.set_items(std::move(nodes));
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void frmHGL::cmdHGLclose_Click() {
  if (outlet_nodes_rs_) outlet_nodes_rs_->close();
  unload();
}

void frmHGL::TWE_GotFocus() { shell::select_all_text(c("TWE")); }

void frmHGL::TWE_KeyPress(int& key_ascii) { shell::numeric_keypress(c("TWE"), key_ascii); }

void frmHGL::TWE_LostFocus() {
  Control& twe = c("TWE");
  twe.set_text(text::format_text(twe.text(), "0.00"));
}

void frmHGL::TREEBUILD() {
  branch_.clear();
  pipes_ = std::make_unique<PipeLookup>();
  try {
    pipes_ = read_pipes(project_connection(vars()));
  } catch (const std::exception& e) {
    throw gw::Error(std::string("The pipes of the project could not be read: ") + e.what());
  }
  branch_ = walk_upstream(pipes_->walk_pipes(), c("hglanodeout").text());
}

void frmHGL::cmdHGL_Click() {
  shell::SharedState& v = vars();
  ReportSession report(prog, kFormLD347);
  const std::string outfall = c("hglanodeout").text();
  if (outfall.empty()) return;
  if (c("TWE").text().empty()) c("TWE").set_text("0.0");
  if (shell::refuse_non_numbers(host(), controls())) return;  // the tailwater elevation must read as a number

  const Units& units = v.units();

  try {
    TREEBUILD();
    if (!report.choose_file()) return;
    report.open();
    const GradeLineHeader header{v.project.current_project_name, v.project.project_designer, outfall,
                                 c("TWE").text()};
    // Progress counts the pipes' rows as their first cell comes.
    const long pipes = static_cast<long>(pipes_->size());
    long rows_done = 0;
    int last_row = kOutfallRow;
    const GradeLineSheetSummary summary = write_grade_line_sheet(
        branch_, *pipes_, header, units, [&](int row, int col, const SheetValue& value) {
          if (row > last_row) {
            last_row = row;
            report.progress(++rows_done, pipes);
          }
          switch (value.kind) {
            case SheetValue::Kind::number:
              report.set_number(row, col, value.number);
              break;
            case SheetValue::Kind::label:
              report.set_text(row, col, value.text);
              break;
            case SheetValue::Kind::text:
              report.set_value(row, col, value.text);
              break;
            case SheetValue::Kind::none:
              break;
          }
        });
    // The rows are written: the pipes and the walk go before the workbook is saved.
    pipes_.reset();
    branch_ = {};
    std::string warning;
    if (!summary.blanks.empty())
      warning = "These values could not be computed from the pipes' data and are left blank:\n" +
                grade_line_blanks_text(summary.blanks);
    report.finish(warning);
  } catch (const std::exception& e) {
    report.fail(e);
  }
}

}  // namespace gw::reports
