// The pipe design window as a whole: its controls, loading, the VIEW/ADD/EDIT modes, save, exit and toolbar.
#include "design/frmpipemain.h"

#include <chrono>
#include <ctime>
#include <utility>

#include "design/frmpipeflex.h"
#include "platform/text/parse.h"
#include "shell/help.h"
#include "shell/input_procedures.h"
#include "shell/tarnelhydro_libraries.h"
#include "shell/window_names.h"

namespace gw::design {

using ui::Answer;
using ui::Buttons;
using ui::Icon;
using ui::Kind;

namespace {

constexpr const char* kTitle = "Gullyware";

// Toolbar button indexes.
constexpr int kAdd = 1;
constexpr int kEdit = 3;
constexpr int kSave = 5;
constexpr int kSolve = 8;
constexpr int kExit = 11;
constexpr int kHelp = 14;

// The frames that lock_pipe_frames disables and unlock_pipe_frames enables again.
constexpr const char* kLockedFrames[] = {"PipeDetailFrame",    "StructureDetailFrame",
                                         "Frame_strdischarge", "Frame_flow",
                                         "Frame_prepipe",      "Frame_LD",
                                         "Frame_acc",          "frmsolve"};

std::string today_text() {
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  localtime_r(&now, &tm);
  char buf[16];
  std::strftime(buf, sizeof buf, "%m/%d/%Y", &tm);
  return buf;
}

std::string clock_text(double seconds) {
  int s = static_cast<int>(seconds);
  int h = (s / 3600) % 24;
  int m = (s / 60) % 60;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d:%02d %s", h % 12 == 0 ? 12 : h % 12, m, h < 12 ? "AM" : "PM");
  return buf;
}

}  // namespace

frmpipemain::frmpipemain(shell::Program& p) : Window(p, kName) {}

frmpipemain::~frmpipemain() = default;

void frmpipemain::build() {
  set_caption(kTitle);
  build_controls();
  wire_handlers();
  wire_geometry();
  wire_nodes();
  wire_flow();
  watch_inputs();
  wire_derivation();
}

void frmpipemain::build_controls() {
  int order = 0;
  auto put = [&](Control& ctl, const std::string& container, int page) -> Control& {
    ctl.container = container;
    ctl.tab_page = page;
    ctl.tab_index = order++;
    return ctl;
  };
  auto frame = [&](const char* name, const char* caption, int page,
                   const std::string& container = "") -> Control& {
    Control& f = put(add(Kind::Frame, name), container, page);
    f.set_caption(caption);
    return f;
  };
  auto label = [&](const std::string& name, const std::string& caption, const std::string& container,
                   int page, int index = -1) -> Control& {
    Control& l = put(add(Kind::Label, name, index), container, page);
    l.set_caption(caption);
    return l;
  };
  auto text = [&](const char* name, const std::string& container, int page) -> Control& {
    return put(add(Kind::TextBox, name), container, page);
  };
  auto combo = [&](const char* name, const std::string& container, int page,
                   std::vector<std::string> items = {}) -> Control& {
    Control& cb = put(add(Kind::ComboBox, name), container, page);
    cb.set_items(std::move(items));
    return cb;
  };
  auto field = [&](const char* name, const char* caption, const std::string& container,
                   int page) -> Control& {
    label(std::string("lbl_") + name, caption, container, page);
    return text(name, container, page);
  };

  // Menus.
  add_menu("mnufile", "&File", "");
  add_menu("mnuAddpipe", "&Add New Pipe", "mnufile", "Ctrl+A");
  add_menu("mnuEditpipe", "&Edit Current Pipe", "mnufile", "Ctrl+E");
  add_menu("mnuSavepipe", "&Save", "mnufile", "Ctrl+S");
  add_menu("mnurepsep", "-", "mnufile");
  add_menu("mnuExitPipe", "&Exit", "mnufile", "Ctrl+X").cancel = true;  // as the toolbar's Exit
  add_menu("mnupipeHelp", "&Help", "");
  add_menu("mnuhelponpipe", "&Help ", "mnupipeHelp", "F1");
  add_menu("mnusep5", "-", "mnupipeHelp");
  add_menu("mnuabout", "About Tarnel Hydro", "mnupipeHelp");

  // Toolbar: buttons by index, the others separators between the groups.
  Control& tb = add(Kind::Toolbar, "Toolbar1");
  std::vector<ui::ToolButton> buttons(14);
  for (ui::ToolButton& b : buttons) b.separator = true;
  auto button = [&buttons](int index, const char* key, const char* tooltip, const char* caption) {
    ui::ToolButton& b = buttons[static_cast<size_t>(index - 1)];
    b = {key, tooltip};
    b.caption = caption;
  };
  button(kAdd, "Add", "Add New Pipe", "Add");
  button(kEdit, "Edit", "Edit Current Pipe", "Edit");
  button(kSave, "Save", "Save", "Save");
  button(kSolve, "Solve", "Solve", "Solve");
  button(kExit, "Exit", "Exit", "Exit");
  button(kHelp, "Help", "Help", "");
  buttons[kHelp - 1].picture = "help.png";
  tb.set_buttons(std::move(buttons));

  // Tabs.
  Control& tabs = add(Kind::TabStrip, "pipetab");
  tabs.set_tabs({"PIPE DATA", "FLOW DATA", "PIPE ANALYSIS"});
  tabs.tab_stop = false;

  // ---- tab 0: PIPE DATA ----
  frame("PipeDetailFrame", "Pipe Details", 0);
  const std::string pd = "PipeDetailFrame";
  field("pipe_number", "PIPE NUMBER", pd, 0);
  field("pipe_length", "PIPE LENGTH", pd, 0);
  label("pftm", "ft", pd, 0, 0);
  field("pipe_elein", "PIPE ELEVATION IN", pd, 0);
  label("pftm", "ft", pd, 0, 1);
  field("pipe_eleout", "PIPE ELEVATION OUT", pd, 0);
  label("pftm", "ft", pd, 0, 2);
  label("lbl_pipe_shape", "PIPE SHAPE", pd, 0);
  combo("pipe_shape", pd, 0,
        {"Circular", "Elliptical", "Box", "Arch-Conc", "Arch-S-Cor", "Arch-M-Cor", "Arch-L-Cor"});
  Control& shape_help = put(add(Kind::Image, "pipeshape_help"), pd, 0);
  shape_help.picture = "pipeshape_help.png";
  field("pipe_skew", "PIPE DEFLECTION ANGLE (Lower End)", pd, 0);
  label("lbl_pipe_skew_unit", "deg", pd, 0);
  Control& skew_help = put(add(Kind::Image, "pipeskew_help"), pd, 0);
  skew_help.picture = "pipeskew_help.png";
  skew_help.tag = "PIPE DEFLECTION ANGLE (Lower End)";
  label("lbl_pipe_dia", "PIPE DIAMETER", pd, 0);
  combo("pipe_dia", pd, 0,
        {"12", "15", "18", "21", "24", "27", "30", "36", "42", "48", "54", "60", "66", "72"})
      .tag = "Min. 12\"";
  label("inmm", "in", pd, 0, 3);
  label("lbl_pipe_mat", "PIPE MATERIAL", pd, 0);
  combo("pipe_mat", pd, 0,
        {"Brick", "Cast Iron", "Concrete", "CMP (Small Corr.)", "CMP (Medium Corr.)", "CMP (Large Corr.)",
         "Plastic", "Vitrified Clay", "Other"});
  field("pipe_mann", "MANNINGS - n", pd, 0);
  label("lbl_numofpipes", "NO. Of PIPES", pd, 0);
  combo("numofpipes", pd, 0, {"1", "2", "3", "4"});
  field("span", "SPAN", pd, 0);
  label("inmm", "in", pd, 0, 1);
  field("rise", "RISE", pd, 0);
  label("inmm", "in", pd, 0, 2);
  Control& slope = field("pipe_slope", "PIPE SLOPE", pd, 0);
  slope.set_enabled(false);
  label("pftpftmpm", "ft/ft", pd, 0, 0);

  frame("StructureDetailFrame", "Structure Details", 0);
  const std::string sd = "StructureDetailFrame";
  const std::vector<std::string> node_types = {"Inlet",       "Man Hole", "Junction Box",
                                               "End Section", "End Wall", "Other"};
  for (const char* side : {"nodein", "nodeout"}) {
    std::string s = side;
    label("lbl_" + s + "_type", s == "nodein" ? "NODE IN TYPE" : "NODE OUT TYPE", sd, 0);
    combo((s + "_type").c_str(), sd, 0, node_types);
    label("lbl_" + s + "_no", s == "nodein" ? "NODE IN" : "NODE OUT", sd, 0);
    put(add(Kind::DataCombo, s + "_no"), sd, 0);
    label("lbl_" + s + "_station", "STATION", sd, 0);
    text((s + "_station").c_str(), sd, 0);
    label("lbl_" + s + "_offset", "OFFSET", sd, 0);
    text((s + "_offset").c_str(), sd, 0);
    label("lbl_" + s + "_offloc", "OFFSET SIDE", sd, 0);
    combo((s + "_offloc").c_str(), sd, 0, {"RIGHT", "LEFT"});
    label("lbl_" + s + "_topele", "TOP ELEVATION", sd, 0);
    text((s + "_topele").c_str(), sd, 0).tag = "Rim Elev. / Flow Line Elev.";
    if (s == "nodein") {
      label("lbl_nodein_shaping", "SHAPING", sd, 0);
      combo("nodein_shaping", sd, 0, {"YES", "NO"}).tag = "VDOT St'd. IS-1";
    }
  }

  frame("InletDetailFrame", "Inlet Details", 0);
  label("lbl_inlet_dbfile", "INLET DATABASE", "InletDetailFrame", 0);
  label("inlet_dbfile", "", "InletDetailFrame", 0);

  // ---- tab 1: FLOW DATA ----
  frame("Frame_strdischarge", "Pipe Discharge", 1);
  const std::string fs = "Frame_strdischarge";
  Control& mode = text("dischargeval", fs, 1);
  mode.set_visible(false);
  mode.set_text("INP");
  put(add(Kind::OptionButton, "structure_compute1"), fs, 1).set_caption("Compute Discharge");
  Control& input = put(add(Kind::OptionButton, "structure_input1"), fs, 1);
  input.set_caption("Input Discharge");
  input.set_value(1);
  field("structure_discharge", "DISCHARGE", fs, 1).set_text("0.0");
  label("pcfscms", "cfs", fs, 1, 2);

  frame("Frame_flow", "Structure Flow Analysis", 1);
  const std::string ff = "Frame_flow";
  field("structure_Tc", "INPUT Tc", ff, 1).set_text("5.0");
  label("lbl_structure_Tc_unit", "min", ff, 1);
  Control& tc_check = put(add(Kind::CheckBox, "Check_ComputeTc"), ff, 1);
  tc_check.set_enabled(false);
  put(add(Kind::CommandButton, "cmdstr_Tc"), ff, 1).set_caption("COMPUTE Tc");
  field("structure_ca", "C * A", ff, 1);
  put(add(Kind::CommandButton, "cmdstr_area"), ff, 1).set_caption("AREA");
  label("lbl_cmdstr_area", "COMPUTE AREA", ff, 1);
  field("structure_area", "AREA", ff, 1);
  label("lblarea", "Acres", ff, 1);

  frame("Frame_acc", "Accumulated", 1);
  const std::string fa = "Frame_acc";
  field("accumulated_ca", "ACCUMULATED C * A", fa, 1);
  field("accumulated_Tc", "ACCUMULATED Tc", fa, 1);
  label("lbl_accumulated_Tc_unit", "min", fa, 1);
  label("lbl_pipe_storm_freq", "STORM FREQUENCY", fa, 1);
  combo("pipe_storm_freq", fa, 1, {"2", "5", "10", "25", "50", "100"});
  label("lbl_pipe_storm_freq_unit", "Years", fa, 1);
  field("pipe_cf", "Absorption Coeff", fa, 1);
  field("pipe_I", "INTENSITY", fa, 1);
  label("inmm", "in/hr", fa, 1, 0);  // intensity, written as engineers write it
  put(add(Kind::CommandButton, "cmd_accIntensity"), fa, 1).set_caption("Compute Intensity");
  field("pipe_discharge", "TOTAL DISCHARGE", fa, 1).set_locked(true);
  label("pcfscms", "cfs", fa, 1, 0);

  frame("Frame_prepipe", "Previous Pipe", 1);
  const std::string fp = "Frame_prepipe";
  // One row per upstream pipe: its number, C*A, Tc (min) and flow time (sec).
  for (int n = 1; n <= 4; ++n) {
    std::string k = std::to_string(n);
    label("lbl_prenode" + k, "PREVIOUS PIPES", fp, 1);
    put(add(Kind::DataCombo, "prenode" + k), fp, 1);
    label("lbl_preca" + k, "C*A", fp, 1);
    text(("preca" + k).c_str(), fp, 1);
    label("lbl_preTc" + k, "Tc", fp, 1);
    text(("preTc" + k).c_str(), fp, 1);
    label(n == 4 ? std::string("lblp4min") : "lbl_preTc" + k + "_unit", "min", fp, 1);
    label("lbl_preflowtime" + k, "FLOW TIME", fp, 1);
    text(("preflowtime" + k).c_str(), fp, 1);
    label(n == 4 ? std::string("lblp4sec") : "lbl_preflowtime" + k + "_unit", "sec", fp, 1);
  }

  frame("Frame_LD", "", 1);
  field("lateral_discharge", "LATERAL DISCHARGE", "Frame_LD", 1);
  label("pcfscms", "cfs", "Frame_LD", 1, 3);

  // Hidden bound values: the calculators' buffers and the project id.
  frame("Frame1", "", 1).set_visible(false);
  for (const char* buffer : {"pareabufstr", "pcbufstr", "PTcStr", "pTcStr2", "PTcoptionstr", "project_id"})
    text(buffer, "Frame1", 1).set_visible(false);

  // ---- tab 2: PIPE ANALYSIS ----
  frame("Frame11", "Analysis Summary", 2);
  text("pipe_summary", "Frame11", 2).set_locked(true);

  frame("frmsolve", "", 2);
  put(add(Kind::CommandButton, "cmdpipesolve"), "frmsolve", 2).set_caption("SOLVE");

  frame("Frame4", "Anaylsis Results", 2);
  const std::string fr = "Frame4";
  struct Result {
    const char* name;
    const char* caption;
    const char* unit;  // label name of the unit caption, "" none
    int unit_index;
    const char* unit_caption;
  };
  const Result results[] = {
      {"capacity", "CAPACITY", "pcfscms", 1, "cfs"},
      {"flow_type", "FLOW TYPE", "", -1, ""},
      {"pipe_flowdepth", "DEPTH OF FLOW", "pftm", 6, "ft"},
      {"pipe_areaflow", "AREA OF FLOW", "lblsqftm", -1, "sqft"},
      {"pipe_velocity", "VELOCITY", "lblftmpsec", -1, "ft/sec"},
      {"hyd_radius", "HYDRAULIC RADIUS", "pftm", 4, "ft"},
      {"pipe_WP", "WETTED PERIMETER", "pftm", 3, "ft"},
      {"FROUDE_NO", "FROUDE NUMBER", "", -1, ""},
      {"energy", "ENERGY", "pftm", 5, "ft"},
      {"flow_time", "FLOW TIME", "lbl_flow_time_unit", -1, "sec"},
      {"critical_depth", "CRITICAL DEPTH", "pftm", 7, "ft"},
      {"friction_slope", "FRICTION SLOPE", "pftpftmpm", 1, "ft/ft"},
  };
  for (const Result& r : results) {
    field(r.name, r.caption, fr, 2).set_locked(true);
    if (*r.unit) label(r.unit, r.unit_caption, fr, 2, r.unit_index);
  }

  // Values only the window's handlers write (the calculators, the inlet, the upstream pipes,
  // the storm and the discharge computation): shown, never typed.
  for (const char* name :
       {"structure_ca", "structure_area", "accumulated_ca", "accumulated_Tc", "pipe_cf", "pipe_discharge"}) {
    c(name).set_locked(true);
    c(name).set_back_color(ui::kLockedColor);
  }
  for (int n = 1; n <= 4; ++n)
    for (const char* row : {"preca", "preTc", "preflowtime"}) {
      Control& f = c(row + std::to_string(n));
      f.set_locked(true);
      f.set_back_color(ui::kLockedColor);
    }

  // ---- the strip under the tabs ----
  add(Kind::Frame, "Scroll_Records_Frame");
  label("lbl_screenmode", "SCREEN MODE", "Scroll_Records_Frame", -1);
  Control& screen = text("screenmode", "Scroll_Records_Frame", -1);
  screen.set_locked(true);
  screen.tab_stop = false;
  screen.set_text("VIEW");
  label("lbl_current_pipe", "Current Pipe Number:", "Scroll_Records_Frame", -1);
  label("lblStatus", "", "Scroll_Records_Frame", -1);

  Control& sb = add(Kind::StatusBar, "StatusBar");
  sb.set_panel_count(5);

  // The window starts as a circular pipe: span and rise do not apply.
  for (const char* size : {"span", "rise"}) {
    c(size).set_enabled(false);
    c(size).set_back_color(ui::kLockedColor);
  }
}

void frmpipemain::wire_handlers() {
  c("mnuAddpipe").on_click = [this] { mnuAddpipe_Click(); };
  c("mnuEditpipe").on_click = [this] { mnuEditpipe_Click(); };
  c("mnuSavepipe").on_click = [this] { mnuSavepipe_Click(); };
  c("mnuExitPipe").on_click = [this] { mnuExitPipe_Click(); };
  c("mnuhelponpipe").on_click = [this] { mnuhelponpipe_Click(); };
  c("mnuabout").on_click = [this] { mnuabout_Click(); };
  c("Toolbar1").on_button_click = [this](int index) { Toolbar1_ButtonClick(index); };
  c("cmdpipesolve").on_click = [this] { cmdpipesolve_Click(); };
  c("pipetab").on_click = [this] {
    int previous = last_tab_;
    last_tab_ = c("pipetab").tab();
    pipetab_Click(previous);
  };

  // Numeric fields filter their keys (and texts from outside) and select their text on entry.
  for (const char* name :
       {"pipe_length", "pipe_skew", "pipe_mann", "span", "rise", "nodein_topele", "nodeout_topele",
        "structure_discharge", "structure_Tc", "pipe_I", "lateral_discharge"}) {
    Control& box = c(name);
    shell::numeric_field(box);
    box.on_got_focus = [&box] { shell::select_all_text(box); };
  }
  for (const char* name : {"pipe_elein", "pipe_eleout"}) {
    Control& box = c(name);
    shell::signed_numeric_field(box);
    box.on_got_focus = [&box] { shell::select_all_text(box); };
  }
  // Fields that hold numbers the user may reach too: the same filter.
  for (const char* name :
       {"pipe_cf", "structure_ca", "structure_area", "pipe_storm_freq", "accumulated_ca", "accumulated_Tc"})
    shell::numeric_field(c(name));
  // Numbers the program writes: no key filter, but a text from outside must be a number and
  // Save checks them with the others.
  for (const char* name :
       {"pipe_dia",      "numofpipes", "pipe_slope", "pipe_discharge", "preca1",         "preTc1",
        "preflowtime1",  "preca2",     "preTc2",     "preflowtime2",   "preca3",         "preTc3",
        "preflowtime3",  "preca4",     "preTc4",     "preflowtime4",   "capacity",       "friction_slope",
        "hyd_radius",    "energy",     "pipe_WP",    "critical_depth", "pipe_flowdepth", "pipe_areaflow",
        "pipe_velocity", "flow_time",  "FROUDE_NO"})
    c(name).number_entry = ui::NumberEntry::unsigned_number;
}

void frmpipemain::watch_inputs() {
  // Every bound field but the results counts as an input of the solve.
  for (const std::string& name : bound_controls(false)) {
    bool result = false;
    for (const char* r : kResultFields) result = result || name == r;
    if (result) continue;
    c(name).observe([this](Control&, ui::Prop p) {
      if (p != ui::Prop::Text && p != ui::Prop::Value) return;
      if (!bound_ || binding_.refilling() || writing_results_) return;
      pipe_solved = false;
    });
  }
}

// ---- loading and leaving ----

void frmpipemain::Form_Load() {
  shell::SharedState& v = vars();
  // Numbers remembered from another pipe must not skip a check on this one.
  remembered_prenode1.clear();
  remembered_prenode2.clear();
  remembered_prenode3.clear();
  remembered_prenode4.clear();
  last_tab_ = 0;
  // Nothing computed for another pipe is taken for this one.
  clear_work_values();
  // Reading the record sets inputs that nobody changed: nothing is derived from them.
  loading_ = true;
  try {
    set_mouse_pointer(ui::kPointerHourglass);
    c("pipetab").set_tab(0);
    c("inlet_dbfile").set_caption(v.project.inlet_db_path);
    v.set_number_format(v.units().number_format);
    if (!v.units().english()) c("lblarea").set_caption("Ha");
    v.handover.area_row_count = v.project.legacy_project() ? 24 : 15;
    c("pipetab").set_tab(0);
    if (!v.project.inlet_db_path.empty()) shell::open_inlet_database(prog);
    clear_pipe_results();
    init_pipe_data();
    get_pipe_records(open_id_);
    attach_pipe_datasource();
    get_pipe_list("newquery");
    set_shape_controls();
    set_mouse_pointer(ui::kPointerDefault);
    c("StatusBar").set_panel(2, c("pipe_shape").text() + " - " + c("pipe_mat").text());
    pipe_solved = true;
    set_shape_controls();
    lock_pipe_frames();
    set_mode(Mode::view);
    c("Check_ComputeTc").set_value(tc_calculator_inputs_stored(c("PTcoptionstr").text()) ? 1 : 0);
    if (open_mode_ != "add") {
      c("pipe_number").set_enabled(false);
      c("lblStatus").set_caption(c("pipe_number").text());
      c("mnuSavepipe").set_enabled(false);
      if (open_mode_ == "edit") enter_edit_mode();
      update_status_bar();
    } else {
      begin_add_mode();
      update_status_bar();
    }
  } catch (const std::exception& e) {
    set_mouse_pointer(ui::kPointerDefault);
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
  loading_ = false;
  if (is_loaded()) record_read();
  if (is_loaded() && open_mode_ != "add") review_stored_record(mode_ == Mode::edit);
}

void frmpipemain::Form_Unload(int& cancel) {
  try {
    if (mode_ != Mode::view) {
      if (msg("Exit without Saving?", Buttons::YesNo, Icon::Information, kTitle) != Answer::Yes) {
        cancel = 1;
        return;
      }
      pipeCancel();
    }
  } catch (const std::exception&) {
    // The window closes whatever went wrong in the test.
  }
  // The field is discarded with the window; the next load shows "VIEW" again.
  mode_ = Mode::view;
  clear_pipe_datasource();
}

void frmpipemain::mnuExitPipe_Click() { unload(); }

void frmpipemain::mnuhelponpipe_Click() { shell::show_help(prog); }

void frmpipemain::mnuabout_Click() { prog.forms.get(window::frmAbout).show_modal(); }

// ---- modes ----

void frmpipemain::set_mode(Mode mode) {
  mode_ = mode;
  c("screenmode").set_text(mode == Mode::add ? "ADD" : mode == Mode::edit ? "EDIT" : "VIEW");
  // Add and Edit stay pressed while their command is in progress, until the pipe is saved
  // or the window closes.
  Control& tb = c("Toolbar1");
  tb.set_button_pressed(kAdd, mode == Mode::add);
  tb.set_button_pressed(kEdit, mode == Mode::edit);
}

void frmpipemain::mnuAddpipe_Click() {
  const bool was_loading = std::exchange(loading_, true);
  clear_pipe_datasource();
  get_pipe_records("");
  attach_pipe_datasource();
  loading_ = was_loading;
  begin_add_mode();
}

void frmpipemain::begin_add_mode() {
  c("pipetab").set_enabled(true);
  set_mode(Mode::add);
  unlock_pipe_frames();
  c("lblStatus").set_caption("");
  c("StatusBar").set_panel(2, "");
  c("pipe_number").set_enabled(true);
  c("mnuAddpipe").set_enabled(false);
  c("mnuEditpipe").set_enabled(false);
  c("mnuSavepipe").set_enabled(true);
  c("mnuExitPipe").set_enabled(true);
  c("pipetab").set_tab(0);
  clear_work_values();
  remembered_prenode1.clear();
  remembered_prenode2.clear();
  remembered_prenode3.clear();
  remembered_prenode4.clear();
  if (pipe_list_read_ && !links_read_) read_upstream_links();
  const bool was_loading = std::exchange(loading_, true);
  pipeAdd();
  loading_ = was_loading;
  record_read();
}

void frmpipemain::mnuEditpipe_Click() {
  clear_work_values();
  const bool was_loading = std::exchange(loading_, true);
  clear_pipe_datasource();
  get_pipe_records(c("pipe_number").text());
  attach_pipe_datasource();
  loading_ = was_loading;
  enter_edit_mode();
  record_read();
  review_stored_record(true);
}

void frmpipemain::enter_edit_mode() {
  set_shape_controls();
  c("pipetab").set_enabled(true);
  pipe_solved = false;
  set_mode(Mode::edit);
  unlock_pipe_frames();
  c("pipetab").set_tab(0);
  c("mnuAddpipe").set_enabled(false);
  c("mnuEditpipe").set_enabled(false);
  c("mnuSavepipe").set_enabled(true);
  c("mnuExitPipe").set_enabled(true);
  remembered_prenode1 = c("prenode1").text();
  remembered_prenode2 = c("prenode2").text();
  remembered_prenode3 = c("prenode3").text();
  remembered_prenode4 = c("prenode4").text();
  // The rows will be checked against every saved pipe's links.
  if (pipe_list_read_ && !links_read_) read_upstream_links();
}

void frmpipemain::mnuSavepipe_Click() {
  shell::SharedState& v = vars();
  try {
    const std::string number = c("pipe_number").text();
    if (number.empty()) {
      msg("pipe number can't be blank.  Please enter valid unique pipe Number");
      c("pipetab").set_tab(0);
      return;
    }
    // The values derived from inputs changed here are derived once more; what cannot be
    // derived is named, and nothing is saved beside it.
    const bool derived = derive_for_command("");
    if (slope_refused) {
      msg("Data Input Error for Slope Computation!", Buttons::OK, Icon::Exclamation);
      c("pipetab").set_tab(0);
      return;
    }
    if (!derived) {
      c("pipetab").set_tab(1);
      return;
    }
    // Only numbers are stored in the numeric columns.
    if (shell::refuse_non_numbers(host(), controls())) return;
    // No link to a pipe that is not saved: each upstream row is checked again.
    const int rows = v.project.legacy_project() ? 3 : 4;
    for (int n = 1; n <= rows; ++n) {
      Control& row = c("prenode" + std::to_string(n));
      if (row.text().empty()) continue;
      const PipeSearch saved = search_pipes(row.text(), "PIPE_NUMBER");
      if (saved.failed) return;
      if (!saved.found) {
        msg("There is no saved pipe numbered " + row.text() + ".");
        c("pipetab").set_tab(1);
        set_focus(row);
        return;
      }
    }
    if (!pipe_solved) {
      msg("Data has changed! Please 'Solve' pipe Analysis before saving");
      return;
    }
    // The number of a new pipe may have been taken since it was typed; a search that
    // cannot run refuses the save as well (search_pipes has said why).
    if (mode_ == Mode::add) {
      const PipeSearch exists = search_pipes(number, "PIPE_NUMBER");
      if (exists.failed) return;
      if (exists.found) {
        msg(number + " already exists in the database! Please enter a valid unique Pipe Number", Buttons::OK,
            Icon::Exclamation);
        c("pipetab").set_tab(0);
        return;
      }
    }
    c("pipetab").set_tab(2);
    if (!pipeUpdate()) {
      msg(update_failure_text(), Buttons::OK, Icon::Exclamation);
      return;
    }
    get_pipe_list("newquery");
    refresh_pipe_table();
    c("mnuAddpipe").set_enabled(true);
    c("mnuEditpipe").set_enabled(true);
    c("mnuSavepipe").set_enabled(false);
    update_status_bar();
    c("frmsolve").set_enabled(false);
    c("pipe_number").set_enabled(false);
    msg("Record Saved", Buttons::OK, Icon::Information);
    if (mode_ == Mode::edit) {
      for (const char* list : {"PRENODE1", "PRENODE2", "PRENODE3"}) {
        const PipeSearch user = search_pipes(number, list);
        if (user.found) {
          const std::string& f = user.pipe;
          msg("Current Pipe is used as a Previous Pipe for Pipe  - " + f + "\n" +
                  "Please review the design, solve & save the results for Pipe - " + f,
              Buttons::OK, Icon::Information);
          break;
        }
        if (user.failed) break;
      }
    }
    set_mode(Mode::view);
    // Back in view mode nothing may be typed into the saved pipe.
    lock_pipe_frames();
  } catch (const std::exception&) {
    msg("Data Update Error!", Buttons::OK, Icon::Exclamation);
  }
}

void frmpipemain::refresh_pipe_table() {
  if (!prog.forms.knows(frmpipeflex::kName)) return;
  auto* flex = dynamic_cast<frmpipeflex*>(&prog.forms.get(frmpipeflex::kName));
  if (!flex) return;
  flex->refresh_Adodc1();
  if (flex->flexpipeRS && flex->flexpipeRS->is_open()) flex->flexpipeRS->requery();
}

void frmpipemain::lock_pipe_frames() {
  for (const char* f : kLockedFrames) c(f).set_enabled(false);
}

void frmpipemain::unlock_pipe_frames() {
  for (const char* f : kLockedFrames) c(f).set_enabled(true);
  // The discharge mode decides whether the lateral discharge may be entered.
  c("Frame_LD").set_enabled(false);
}

void frmpipemain::update_status_bar() {
  const shell::SharedState& v = vars();
  Control& sb = c("StatusBar");
  sb.set_panel(
      1, v.project.project_state + " - " + v.project.project_county + ": " + v.project.current_project_name);
  sb.set_panel(2, c("pipe_shape").text() + " - " + c("pipe_mat").text());
  sb.set_panel(3, "UNITS: " + v.unit_system());
  sb.set_panel(4, today_text());
  sb.set_panel(5, clock_text(prog.host.clock()));
}

// ---- toolbar ----

void frmpipemain::Toolbar1_ButtonClick(int index) {
  const bool viewing = mode_ == Mode::view;
  switch (index) {
    case kAdd:
      if (viewing) mnuAddpipe_Click();
      break;
    case kEdit:
      if (viewing) mnuEditpipe_Click();
      break;
    case kSave:
      if (!viewing) mnuSavepipe_Click();
      break;
    case kSolve:
      if (!viewing) {
        // Leave the field being typed in, so that its own leave handling runs first.
        tab_next();
        if (!is_loaded()) return;
        c("pipetab").set_tab(2);
        set_focus(c("cmdpipesolve"));
        pipetab_Click(0);
        cmdpipesolve_Click();
      }
      break;
    case kExit:
      mnuExitPipe_Click();
      break;
    case kHelp:
      shell::show_help(prog);
      break;
    default:
      break;
  }
}

// ---- shape and tab ----

void frmpipemain::set_shape_controls() {
  const std::string shape = c("pipe_shape").text();
  auto applies = [this](const char* name, bool on) {
    c(name).set_enabled(on);
    c(name).set_back_color(on ? ui::kWindowColor : ui::kLockedColor);
  };
  const bool circular = shape == "Circular";
  applies("pipe_dia", circular);
  applies("span", !circular);
  applies("rise", !circular);
  if (shape == "Arch-Conc" || shape == "Arch-S-Cor" || shape == "Arch-M-Cor" || shape == "Arch-L-Cor")
    c("pipe_mat").set_enabled(false);
}

void frmpipemain::pipetab_Click(int previous_tab) {
  (void)previous_tab;
  try {
    unlock_pipe_frames();
    if (c("pipetab").tab() == 1) {
      c("cmd_accIntensity").set_visible(true);
      if (vars().project.legacy_project()) {
        for (const char* n : {"prenode4", "preca4", "preTc4", "preflowtime4", "lblp4min", "lblp4sec",
                              "lbl_prenode4", "lbl_preca4", "lbl_preTc4", "lbl_preflowtime4"})
          c(n).set_visible(false);
      }
      const std::string mode = c("dischargeval").text();
      const bool computed = mode == "CRM";
      if (computed || mode == "INP") {
        for (const char* n : {"Frame_acc", "Frame_flow", "Frame_prepipe", "cmdstr_area", "cmdstr_Tc",
                              "cmd_accIntensity", "Frame_LD"})
          c(n).set_enabled(computed);
        c("structure_discharge").set_enabled(!computed);
        if (computed) {
          c("structure_compute1").set_value(1);
          c("Check_ComputeTc").set_value(tc_calculator_inputs_stored(c("PTcoptionstr").text()) ? 1 : 0);
        } else {
          c("structure_input1").set_value(1);
        }
      }
    }
    if (mode_ == Mode::view) lock_pipe_frames();
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

}  // namespace gw::design
