// The outfall window: controls, load, the ENERGY record and its binding, the outfall node change,
// field filters, save and close.
#include "outlet/PipeEnergyForm.h"

#include <optional>
#include <utility>

#include "outlet/bed_material.h"
#include "outlet/scour_hole.h"
#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "shell/help.h"
#include "shell/input_procedures.h"
#include "shell/save_failure.h"
#include "shell/window_names.h"

namespace gw::outlet {

using ui::Answer;
using ui::Buttons;
using ui::Icon;
using ui::Kind;

namespace {

// The riprap classes the energy dissipation window offers.
constexpr const char* kRiprapClasses[] = {"Class I",   "Class A1", "Class II",
                                          "Class III", "Type I",   "Type II"};

// Controls bound through the plain binding, with their columns.
struct BoundControl {
  const char* control;
  const char* column;
};
constexpr BoundControl kBound[] = {{"enodeout", "ENODEOUT_NO"},
                                   {"dn_TW", "EFLOW_DEPTH"},
                                   {"C_Discharge", "C_DISCHARGE"},
                                   {"Bed_Matl", "BED_MATL"},
                                   {"outlet_protection", "OUTLET_PROTECT"},
                                   {"VDOT_Riprap", "TXT_EC"},
                                   {"L2byh2", "TXTEC_L"},
                                   {"txth3", "TXTEC_T"},
                                   {"D16", "TXT_D"},
                                   {"D84", "TXT_W"}};

// Widths that agree to a millimetre's precision (or three decimals of a foot) are the same.
constexpr const char* kWidthCompare = "0.000";

// A stored value in a message: a number as it is, any other text in quotes.
std::string number_or_quoted(const std::string& t) { return text::is_numeric(t) ? t : "\"" + t + "\""; }

// The fields that clear_outlet_fields empties.
constexpr const char* kOutletFields[] = {
    "eDiaRise", "E_Discharge", "C_Discharge",       "E_Peri",      "E_Area",    "E_HydRad", "dn_C", "V_C",
    "dn_TW",    "W_culvert",   "outlet_protection", "Velocity_NS", "velocity2", "plindex"};

}  // namespace

PipeEnergyForm::PipeEnergyForm(shell::Program& p) : Window(p, kName) {}

PipeEnergyForm::~PipeEnergyForm() {
  binding_.detach();
  w_culvert_binding_.detach();
  plindex_binding_.detach();
}

// ---- controls ---------------------------------------------------------------------------

void PipeEnergyForm::build() {
  set_caption("Energy Dissipation Analysis");
  build_pipe_frame();
  build_needs_frame();
  build_scour_frame();
  build_menus();

  // Tab order of the controls that take the focus; every other control comes after them.
  int next = 100;
  for (Control* ctl : controls()) ctl->tab_index = next++;
  int order = 0;
  for (const char* name : {"enodeout", "C_Discharge", "dn_TW", "W_culvert", "Bed_Matl", "cmdNeed",
                           "cmdanalyzeED", "D16", "D84", "plindex", "cmdscourholesize"})
    c(name).tab_index = order++;
  wire_fields();
  wire_derivation();
  focus_on_show_ = true;
}

void PipeEnergyForm::build_pipe_frame() {
  add(Kind::Frame, "Frame1").set_caption("Pipe And Tailwater Data");
  auto label = [this](const char* name, int index, const char* caption) -> Control& {
    Control& l = add(Kind::Label, name, index);
    l.set_caption(caption);
    l.container = "Frame1";
    return l;
  };
  auto box = [this](const char* name, bool input) -> Control& {
    Control& b = add(Kind::TextBox, name);
    b.container = "Frame1";
    b.set_enabled(input);
    return b;
  };

  // Left column.
  label("Label1", 0, "Outfall/End Node");
  Control& node = add(Kind::DataCombo, "enodeout");
  node.container = "Frame1";
  node.style = 0;
  label("Label1", 2, "Pipe Diameter/Rise");
  box("eDiaRise", false);
  label("inmm", -1, "in");
  label("Label1", 3, "Storm Freq.");
  box("vhstorm_freq", false);
  label("Label9", -1, "Yr");
  label("Label1", 4, "Discharge");
  box("E_Discharge", false);
  label("cfscms", 0, "cfs");
  label("lbl2yeardis", -1, "2-Yr Discharge").set_visible(false);
  Control& q2 = box("C_Discharge", false);
  q2.max_length = 10;
  q2.set_visible(false);
  label("cfscms", 1, "cfs").set_visible(false);

  // Middle column.
  label("Label1", 5, "Depth of flow at Outlet");
  box("dn_C", false);
  label("ftm", 0, "ft");
  label("Label1", 6, " Perimeter");
  box("E_Peri", false);
  label("ftm", 1, "ft");
  label("Label1", 7, " Area");
  box("E_Area", false);
  label("sqftsqm", -1, "sq. ft.");
  label("Label1", 8, "Hydraulic Radius");
  box("E_HydRad", false);
  label("ftm", 2, "ft");

  // Right column.
  label("Label1", 9, "Outlet Velocity");
  box("V_C", false);
  label("fpsmps", 0, "ft/sec");
  label("Label1", 10, "Froude Number");
  box("FR_C", false);
  label("Label1", 11, "Depth of Flow in Tailwater Channel");
  box("dn_TW", true).max_length = 10;
  label("ftm", 4, "ft");
  label("Label1", 12, "Width of Basin at Outlet");
  box("W_culvert", true).max_length = 10;
  label("ftm", 12, "ft");

  // Values handed to and from the energy dissipation window: hidden fields at the foot of the
  // frame, held in a hidden frame of their own.
  Control& holder = add(Kind::Frame, "Frame4");
  holder.container = "Frame1";
  holder.set_visible(false);
  box("usdastorm_freq", false).set_visible(false);
  for (const char* name : {"VDOT_Riprap", "L2byh2", "txth3"}) box(name, true).set_visible(false);
  for (const char* name : {"usdastorm_freq", "VDOT_Riprap", "L2byh2", "txth3"}) c(name).container = "Frame4";
}

void PipeEnergyForm::build_needs_frame() {
  add(Kind::Frame, "Frame2").set_caption("Evaluate Needs");
  auto put = [this](Kind kind, const char* name, int index, const char* caption) -> Control& {
    Control& ctl = add(kind, name, index);
    ctl.container = "Frame2";
    if (caption) ctl.set_caption(caption);
    return ctl;
  };
  put(Kind::Label, "Label1", 13, "Natural Channel Bed Material");
  Control& bed = put(Kind::ComboBox, "Bed_Matl", -1, nullptr);
  // A drop-down list: only its materials can be chosen.
  bed.style = 2;
  std::vector<std::string> items;
  for (const char* m :
       {"Boulders", "Large Cobbles", "Small Cobbles", "Very Coarse Gravel", "Coarse Gravel", "Medium Gravel",
        "Fine Gravel", "Very Fine Gravel", "Very Coarse Sand", "Coarse Sand", "Medium Sand", "Fine Sand",
        "Sandy Loam (Heavy)", "Sandy Loam (Light)", "Sandy Clay (Sand 60%)", kClayBed})
    items.emplace_back(m);
  bed.set_items(items);
  put(Kind::Label, "MPsize", 0, "Mean Particle Size (D50) of Channel Bed");
  put(Kind::TextBox, "D50bed", -1, nullptr).set_enabled(false);
  put(Kind::Label, "ftm", 11, "ft");
  put(Kind::Label, "NS_Vel", 0, "Non-Scour Velocity for Soil Type");
  put(Kind::TextBox, "Velocity_NS", -1, nullptr).set_enabled(false);
  put(Kind::Label, "fpsmps", 1, "ft/sec");
  put(Kind::Label, "NS_Vel", 2, "2-Yr Outlet Velocity");
  put(Kind::TextBox, "velocity2", -1, nullptr).set_enabled(false);
  put(Kind::Label, "fpsmps", 2, "ft/sec");
  put(Kind::Label, "Label1", 1, "Outlet Protection");
  Control& verdict = put(Kind::TextBox, "outlet_protection", -1, nullptr);
  verdict.set_enabled(false);
  verdict.max_length = 25;
  put(Kind::CommandButton, "cmdNeed", -1, "Evaluate Needs");
  put(Kind::CommandButton, "cmdanalyzeED", -1, "Analyze Energy Dissipation").set_enabled(false);
}

void PipeEnergyForm::build_scour_frame() {
  add(Kind::Frame, "Frame3").set_caption("Scour Hole Size");
  auto put = [this](Kind kind, const char* name, int index, const char* caption) -> Control& {
    Control& ctl = add(kind, name, index);
    ctl.container = "Frame3";
    if (caption) ctl.set_caption(caption);
    return ctl;
  };
  put(Kind::Label, "MPsize", 1, "(D16) Size");
  put(Kind::TextBox, "D16", -1, nullptr);
  put(Kind::Label, "ftm", 9, "ft");
  put(Kind::Label, "MPsize", 2, "(D84) Size");
  put(Kind::TextBox, "D84", -1, nullptr);
  put(Kind::Label, "ftm", 10, "ft");
  put(Kind::Label, "NS_Vel", 1, "Plasticity Index (PI)");
  Control& pi = put(Kind::TextBox, "plindex", -1, nullptr);
  pi.max_length = 10;
  pi.set_enabled(false);
  pi.set_back_color(ui::kButtonFaceColor);
  put(Kind::Label, "Label1", 14, "DEPTH");
  put(Kind::TextBox, "txt_D", -1, nullptr).set_enabled(false);
  put(Kind::Label, "ftm", 5, "ft");
  put(Kind::Label, "Label1", 15, "WIDTH");
  put(Kind::TextBox, "txt_W", -1, nullptr).set_enabled(false);
  put(Kind::Label, "ftm", 6, "ft");
  put(Kind::Label, "Label1", 16, "LENGTH");
  put(Kind::TextBox, "txt_L", -1, nullptr).set_enabled(false);
  put(Kind::Label, "ftm", 7, "ft");
  put(Kind::Label, "Label1", 17, "LOCATION OF MAX. SCOUR");
  put(Kind::TextBox, "txtLocation", -1, nullptr).set_enabled(false);
  put(Kind::Label, "ftm", 8, "ft");
  put(Kind::CommandButton, "cmdscourholesize", -1, "Determine Scour Hole Size");
}

void PipeEnergyForm::build_menus() {
  add_menu("mnufile", "&File", "");
  add_menu("mnusave", "&Save Outlet Protection", "mnufile", "Ctrl+S").on_click = [this] { mnusave_Click(); };
  add_menu("mnusep1", "-", "mnufile");
  Control& exit = add_menu("mnuexit", "&Exit", "mnufile", "Ctrl+X");
  exit.on_click = [this] { mnuexit_Click(); };
  exit.cancel = true;  // the window has no button to leave by
  add_menu("mnuhelp", "&Help", "");
  add_menu("mnuenergyhelp", "&Help", "mnuhelp", "F1").on_click = [this] { mnuenergyhelp_Click(); };
  add_menu("mnusep2", "-", "mnuhelp");
  add_menu("mnuaboutenergy", "&About TarnelHydro", "mnuhelp").on_click = [this] { mnuaboutenergy_Click(); };
}

void PipeEnergyForm::wire_fields() {
  Control& node = c("enodeout");
  node.on_got_focus = [this] { enodeout_GotFocus(); };
  node.on_change = [this] { enodeout_Change(); };
  node.on_lost_focus = [this] { enodeout_LostFocus(); };

  // The six input fields take numbers only.
  for (const char* name : {"dn_TW", "C_Discharge", "W_culvert", "plindex", "D16", "D84"}) {
    Control& box = c(name);
    shell::numeric_field(box);
  }
  for (const char* name : {"dn_TW", "C_Discharge", "W_culvert"}) {
    Control& box = c(name);
    box.on_got_focus = [this, &box] {
      text_on_focus_ = box.text();
      edited_since_focus_ = false;
      shell::select_all_text(box);
    };
    box.on_change = [this] { edited_since_focus_ = true; };
  }
  c("dn_TW").on_lost_focus = [this] { dn_TW_LostFocus(); };
  c("C_Discharge").on_lost_focus = [this] { C_Discharge_LostFocus(); };
  c("W_culvert").on_lost_focus = [this] { W_culvert_LostFocus(); };
  c("plindex").on_lost_focus = [this] { plindex_LostFocus(); };
  c("D16").on_lost_focus = [this] { D16_LostFocus(); };
  c("D84").on_lost_focus = [this] { D84_LostFocus(); };

  c("Bed_Matl").on_click = [this] { Bed_Matl_Click(); };
  c("cmdNeed").on_click = [this] { cmdNeed_Click(); };
  c("cmdanalyzeED").on_click = [this] { cmdanalyzeED_Click(); };
  c("cmdscourholesize").on_click = [this] { cmdscourholesize_Click(); };
}

// ---- load -------------------------------------------------------------------------------

void PipeEnergyForm::Form_Load() {
  // What the opening finds wrong with the record is said once, in one message, before the window
  // shows.
  std::vector<std::string> findings;
  findings_ = &findings;
  // Nothing computed at an earlier opening stands behind this opening's fields.
  design_discharge_.forget();
  two_year_discharge_.forget();
  bed_velocity_failure_.clear();
  // The hole and the verdict of an earlier opening belong to that opening's inputs.
  hole_sized_ = false;
  verdict_basis_.reset();
  discharge_voided_verdict_.clear();
  // Reading the record sets inputs one by one: the load derives once they all stand.
  loading_ = true;
  try {
    if (vars().units().metric()) set_metric_captions();
    set_energy_defaults();
    fill_outlet_node_list();
    get_Energy_records();
    attach_Energy_datasource();
    if (!adoEnergyRS) throw Error("The ENERGY records could not be read.");
    // The values the user saved, before the load's own steps write over them.
    const StoredInputs saved = stored_inputs();
    // A saved plasticity index outside 5..16 is taken into the range as a typed one is, so that
    // the index shown, saved and reported is the one the clay hole is computed with.
    auto bring_index_into_range = [&] {
      if (saved.plasticity_index.empty()) return;
      const std::string shown = c("plindex").text();
      // An index that is no number is refused where it is used and saved, never taken as 5.
      if (!text::is_numeric(shown)) {
        findings.push_back("The saved Plasticity Index (PI) \"" + shown +
                           "\" is not a number: the clay's scour hole cannot be sized until it is one.");
        return;
      }
      const std::optional<std::string> in_range = plasticity_index_in_range(shown);
      if (!in_range) return;
      findings.push_back("The saved Plasticity Index (PI) " + number_or_quoted(saved.plasticity_index) +
                         " lies outside 5 to 16: it is taken as " + *in_range + ".");
      c("plindex").set_text(*in_range);
    };
    if (adoEnergyRS->record_count() == 0) {
      clear_outlet_fields();
      // No outfall chosen yet: nothing of an outlet pipe read at an earlier opening stays.
      forget_outlet_pipe();
      adoEnergyRS->add_new();
      node_changed = true;
      set_energy_defaults();
      riprap_class_check();
      derive();
    } else if (!load_outlet_pipe(c("enodeout").text())) {
      // No outlet pipe: nothing to compute; the record's own values stay as stored.
      bring_index_into_range();
      c("outlet_protection").set_text(outlet_status);
      show_2yr_discharge(discharge_src != "CRM");
      riprap_class_check();
      derive();
    } else {
      Bed_Matl_Click();
      c("outlet_protection").set_text(outlet_status);
      if (discharge_src != "CRM") {
        show_2yr_discharge(true);
      } else {
        show_2yr_discharge(false);
        load_rational_inputs();
      }
      riprap_class_check();
      // The load's own steps fill the basin width from the pipe and the grain sizes and
      // plasticity index from the bed's defaults: what the user saved comes back.
      restore_stored_inputs(saved);
      bring_index_into_range();
      if (!saved.width.empty()) check_stored_width(saved.width);
      set_standard_diameter();
      // A stored verdict must follow from the velocities derived beside it.
      compute_pipe_velocity();
      const std::string stale = cleared_verdict(true);
      if (!c("outlet_protection").text().empty())
        verdict_basis_ = std::array<std::string, 2>{c("velocity2").text(), c("Velocity_NS").text()};
      cmdscourholesize_Click();
      if (!stale.empty()) findings.push_back(stale);
    }
    name_changed_stored_values(findings);
    if (c("Bed_Matl").text() == kClayBed) {
      c("plindex").set_enabled(true);
      c("plindex").set_back_color(ui::kWindowColor);
    }
    // The analysis needs the verdict and an outlet pipe to design for.
    c("cmdanalyzeED").set_enabled(c("outlet_protection").text() == kRequired && !outlet_shape.empty());
  } catch (const std::exception& e) {
    findings.push_back(e.what());
  }
  loading_ = false;
  findings_ = nullptr;
  if (!findings.empty()) {
    std::string text;
    for (const std::string& line : findings) text += (text.empty() ? "" : "\n") + line;
    msg(text, Buttons::OK, Icon::Exclamation);
  }
  forget_unchanged_record();
  loaded_values_.clear();
  try {
    if (adoEnergyRS && adoEnergyRS->is_open() && !adoEnergyRS->bof() && !adoEnergyRS->eof())
      for (int i = 0; i < adoEnergyRS->field_count(); ++i) loaded_values_.push_back(adoEnergyRS->field(i));
  } catch (const std::exception&) {
    loaded_values_.clear();
  }
}

void PipeEnergyForm::tell(const std::string& text, Icon icon, bool system_modal) {
  if (findings_) {
    findings_->push_back(text);
    return;
  }
  msg(text, Buttons::OK, icon, {}, system_modal);
}

void PipeEnergyForm::check_stored_width(const std::string& stored) {
  const std::optional<double> saved = text::try_number(stored);
  const std::optional<double> pipe = text::try_number(pipe_width_);
  if (!saved || !pipe || text::format(*saved, kWidthCompare) == text::format(*pipe, kWidthCompare)) return;
  const std::string unit(vars().units().length_name);
  const std::string shown = c("W_culvert").text();
  if (msg("The Width of Basin at Outlet saved with this outfall is " + shown + " " + unit +
              "; its outlet pipe is " + pipe_width_ + " " + unit + " wide.\nUse the outlet pipe's width, " +
              pipe_width_ + " " + unit + "?",
          Buttons::YesNo, Icon::Exclamation) == Answer::Yes)
    c("W_culvert").set_text(pipe_width_);
}

bool PipeEnergyForm::typed_since_focus(const char* field) {
  return edited_since_focus_ || c(field).text() != text_on_focus_;
}

PipeEnergyForm::StoredInputs PipeEnergyForm::stored_inputs() {
  StoredInputs s;
  if (!adoEnergyRS || !adoEnergyRS->is_open() || adoEnergyRS->bof() || adoEnergyRS->eof()) return s;
  auto stored = [this](const char* column) {
    return adoEnergyRS->has_field(column) ? adoEnergyRS->field(column) : std::string();
  };
  s.width = stored("W_CULVERT");
  s.plasticity_index = stored("PLINDEX");
  s.d16 = stored("TXT_D");
  s.d84 = stored("TXT_W");
  return s;
}

void PipeEnergyForm::restore_stored_inputs(const StoredInputs& s) {
  if (!s.width.empty()) w_culvert_binding_.restore(s.width);
  if (!s.plasticity_index.empty()) plindex_binding_.restore(s.plasticity_index);
  if (!s.d16.empty()) c("D16").set_text(s.d16);
  if (!s.d84.empty()) c("D84").set_text(s.d84);
}

void PipeEnergyForm::Form_Activate() {
  // The window opens with the focus on the outfall node.
  if (!focus_on_show_) return;
  focus_on_show_ = false;
  set_focus(c("enodeout"));
}

void PipeEnergyForm::riprap_class_check() {
  const std::string stored = adoEnergyRS->field("TXT_EC");
  for (const char* cls : kRiprapClasses)
    if (stored == cls) return;
  c("VDOT_Riprap").set_text("Class A1");
}

void PipeEnergyForm::show_2yr_discharge(bool shown) {
  c("C_Discharge").set_visible(shown);
  c("C_Discharge").set_enabled(shown);
  c("lbl2yeardis").set_visible(shown);
  c("cfscms", 1).set_visible(shown);
}

bool PipeEnergyForm::only_load_fills() {
  // The load fills what the stored record left empty (a plasticity index, a basin width from the
  // pipe); such fills are no edit of the user's. Any other difference is.
  try {
    if (!adoEnergyRS || !adoEnergyRS->is_open() || adoEnergyRS->edit_mode() != db::EditMode::in_progress)
      return false;
    const auto n = static_cast<std::size_t>(adoEnergyRS->field_count());
    if (stored_values_.size() != n || loaded_values_.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i) {
      const std::string now = adoEnergyRS->field(static_cast<int>(i));
      if (now == stored_values_[i]) continue;
      if (stored_values_[i].empty() && now == loaded_values_[i]) continue;
      return false;
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void PipeEnergyForm::forget_unchanged_record() {
  // The load recomputes every result into the record. When that leaves each stored value as it
  // was, the record holds no change: nothing is asked on closing and the next edit counts anew.
  try {
    if (!adoEnergyRS || !adoEnergyRS->is_open() || adoEnergyRS->edit_mode() != db::EditMode::in_progress)
      return;
    if (static_cast<int>(stored_values_.size()) != adoEnergyRS->field_count()) return;
    for (int i = 0; i < adoEnergyRS->field_count(); ++i)
      if (adoEnergyRS->field(i) != stored_values_[static_cast<std::size_t>(i)]) return;
    adoEnergyRS->cancel_update();
    data_dirty = false;
    // The stored values come back as the load showed them.
    w_culvert_binding_.redisplay();
    plindex_binding_.redisplay();
  } catch (const std::exception&) {
    // Comparing is only a courtesy: the record stays as the load left it.
  }
}

void PipeEnergyForm::set_metric_captions() {
  for (Control* ctl : controls()) {
    if (ctl->name() == "ftm")
      ctl->set_caption("m");
    else if (ctl->name() == "fpsmps")
      ctl->set_caption("m/sec");
    else if (ctl->name() == "cfscms")
      ctl->set_caption("cms");
  }
  c("ftm", 11).set_caption("mm");
  c("inmm").set_caption("mm");
  c("sqftsqm").set_caption("sqm");
}

void PipeEnergyForm::set_energy_defaults() {
  const bool metric = vars().units().metric();
  c("Bed_Matl").set_text("Boulders");
  c("usdastorm_freq").set_text("2");
  c("D16").set_text(metric ? "0.001" : "0.01");
  c("D84").set_text(metric ? "0.01" : "0.1");
  c("L2byh2").set_text("3.5");
  c("txth3").set_text("");
  c("VDOT_Riprap").set_text("Class A1");
}

void PipeEnergyForm::clear_outlet_fields() {
  // The computations are cleared: the hole is sized again on request, a verdict evaluated again.
  hole_sized_ = false;
  verdict_basis_.reset();
  discharge_voided_verdict_.clear();
  for (const char* name : kOutletFields) c(name).set_text("");
  design_discharge_.forget();
  two_year_discharge_.forget();
  bed_velocity_failure_.clear();
  c("D50bed").set_text("> 0.84");
  set_energy_defaults();
  derive();
}

void PipeEnergyForm::fill_outlet_node_list() {
  try {
    Control& node = c("enodeout");
    node.clear_items();
    node_list_rs_.reset();
    shell::SharedState& v = vars();
    if (!v.connections.project_connection || !v.connections.project_connection->is_open())
      throw Error("The project database is not open.");
    auto rs = std::make_shared<db::Recordset>();
    rs->open(*v.connections.project_connection,
             "SELECT DISTINCT NODEOUT_NO FROM PIPE WHERE NODEOUT_NO IS NOT NULL ORDER BY NODEOUT_NO");
    std::vector<std::string> nodes;
    if (rs->record_count() > 0)
      for (rs->move_first(); !rs->eof(); rs->move_next()) nodes.push_back(rs->field(0));
    node.set_items(std::move(nodes));
    node_list_rs_ = std::move(rs);
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

// ---- the ENERGY record ------------------------------------------------------------------

void PipeEnergyForm::get_Energy_records() {
  try {
    // The bindings let go of the record set they show before it is replaced.
    binding_.detach();
    w_culvert_binding_.detach();
    plindex_binding_.detach();
    adoEnergyRS = std::make_shared<db::Recordset>();
    adoEnergyRS->will_change_record = [this](db::ChangeReason reason, bool& cancel) {
      adoEnergyRS_WillChangeRecord(reason, cancel);
    };
    outlet_status.clear();
    stored_values_.clear();
    shell::SharedState& v = vars();
    if (!v.connections.project_connection || !v.connections.project_connection->is_open())
      throw Error("The project database is not open.");
    adoEnergyRS->open(*v.connections.project_connection, "SELECT * FROM ENERGY ");
    if (adoEnergyRS->record_count() >= 1) {
      outlet_status = adoEnergyRS->field("OUTLET_PROTECT");
      for (int i = 0; i < adoEnergyRS->field_count(); ++i) stored_values_.push_back(adoEnergyRS->field(i));
    }
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void PipeEnergyForm::attach_Energy_datasource() {
  try {
    if (!adoEnergyRS) return;
    binding_.attach(*adoEnergyRS);
    for (const BoundControl& b : kBound) {
      binding_.bind(c(b.control), b.column);
      if (std::string(b.control) == "dn_TW")
        w_culvert_binding_.attach(*adoEnergyRS, c("W_culvert"), "W_CULVERT", "0.0");
      if (std::string(b.control) == "outlet_protection")
        plindex_binding_.attach(*adoEnergyRS, c("plindex"), "PLINDEX", "0.0");
    }
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void PipeEnergyForm::adoEnergyRS_WillChangeRecord(db::ChangeReason reason, bool& cancel) {
  (void)cancel;
  if (reason == db::ChangeReason::add_new || reason == db::ChangeReason::first_change) data_dirty = true;
}

void PipeEnergyForm::EnergyCancel() {
  try {
    data_dirty = false;
    if (adoEnergyRS && adoEnergyRS->is_open() && adoEnergyRS->edit_mode() == db::EditMode::add)
      adoEnergyRS->cancel_update();
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void PipeEnergyForm::release_records() {
  binding_.detach();
  w_culvert_binding_.detach();
  plindex_binding_.detach();
  adoEnergyRS.reset();
  outlet_pipe_rs_.reset();
  node_list_rs_.reset();
}

// ---- outfall node change ----------------------------------------------------------------

void PipeEnergyForm::enodeout_GotFocus() {
  node_changed = false;
  previous_node = c("enodeout").text();
}

void PipeEnergyForm::enodeout_Change() { node_changed = true; }

void PipeEnergyForm::enodeout_LostFocus() {
  try {
    const std::string node = c("enodeout").text();
    if (node.empty()) {
      clear_outlet_fields();
      return;
    }
    if (!node_changed) return;
    if (!c("outlet_protection").text().empty() &&
        msg("Clear current energy dissipation computations? Y/N", Buttons::OKCancel, Icon::Exclamation) ==
            Answer::Cancel) {
      c("enodeout").set_text(previous_node);
      return;
    }
    clear_outlet_fields();
    // An outfall without an outlet pipe has nothing more to compute.
    if (!load_outlet_pipe(node)) return;
    set_standard_diameter();
    if (discharge_src != "INP") {
      show_2yr_discharge(false);
      load_rational_inputs();
      compute_pipe_velocity();
    } else if (c("C_Discharge").text().empty()) {
      msg("Please Input 2-Yr Discharge!", Buttons::OK, Icon::Information);
      show_2yr_discharge(true);
      // The velocity is computed when the discharge field is left.
      set_focus(c("C_Discharge"));
    }
    Bed_Matl_Click();
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

// ---- field filters ----------------------------------------------------------------------

// A field left as it was when it got the focus keeps its text: only what the user typed (or an
// empty field, which takes its fill value) is written anew.

void PipeEnergyForm::dn_TW_LostFocus() {
  Control& box = c("dn_TW");
  if (!typed_since_focus("dn_TW")) return;
  box.set_text(format_keeping_decimals(box.text(), vars().number_format()));
}

void PipeEnergyForm::C_Discharge_LostFocus() {
  Control& box = c("C_Discharge");
  // Hidden for a computed discharge, the field cannot have been edited: its text stays as
  // computed, in the project's number format.
  if (!box.visible() || !box.enabled()) return;
  if (!box.text().empty() && !typed_since_focus("C_Discharge")) return;
  if (box.text().empty()) box.set_text("0.0");
  box.set_text(format_keeping_decimals(box.text(), discharge_pattern()));
  // A verdict reached with another 2-year velocity no longer holds: it is evaluated again.
  if (!discharge_voided_verdict_.empty()) {
    const std::string verdict = discharge_voided_verdict_;
    discharge_voided_verdict_.clear();
    msg("The 2-Yr Discharge changed: the Outlet Protection \"" + verdict +
            "\" was reached with another 2-Yr Outlet Velocity and is cleared. Press Evaluate Needs.",
        Buttons::OK, Icon::Information);
  }
  compute_pipe_velocity();
  set_focus(c("dn_TW"));
}

void PipeEnergyForm::W_culvert_LostFocus() {
  Control& box = c("W_culvert");
  if (!typed_since_focus("W_culvert")) return;
  box.set_text(format_keeping_decimals(box.text(), "0.000"));
}

void PipeEnergyForm::plindex_LostFocus() {
  // Empty, the field takes 5.0; an index outside 5..16 its end. A text that is no finite number
  // (a lone ".", 310 pasted digits) stays as it is: the hole is not sized from it, and Save
  // refuses it naming the field.
  if (const std::optional<std::string> in_range = plasticity_index_in_range(c("plindex").text()))
    c("plindex").set_text(*in_range);
}

void PipeEnergyForm::D16_LostFocus() {
  Control& box = c("D16");
  if (box.text().empty()) box.set_text(vars().units().metric() ? "0.01" : "0.1");
}

void PipeEnergyForm::D84_LostFocus() {
  Control& box = c("D84");
  if (box.text().empty()) box.set_text(vars().units().metric() ? "0.02" : "0.2");
}

// ---- save, close, menus -----------------------------------------------------------------

void PipeEnergyForm::mnusave_Click() {
  // Leave the field being edited, so that its own leave handling runs and its text is kept.
  tab_next();
  if (!is_loaded()) return;
  if (c("enodeout").text().empty()) {
    msg("End Node cannot be blank!", Buttons::OK, Icon::Exclamation);
    return;
  }
  if (shell::refuse_non_numbers(host(), controls())) return;  // only numbers go into the numeric columns
  // The basin inputs handed back by the energy dissipation window are numbers too.
  for (auto [field, caption] : {std::pair{"L2byh2", "L2/h2 Ratio"}, std::pair{"txth3", "h3"}}) {
    const std::string& t = c(field).text();
    if (t.empty() || text::is_numeric(t)) continue;
    msg(std::string(caption) + " holds \"" + t + "\", which is not a number. Please enter a number.",
        Buttons::OK, Icon::Exclamation);
    return;
  }
  try {
    if (!adoEnergyRS || !adoEnergyRS->is_open()) throw Error("The ENERGY records are not open.");
    adoEnergyRS->update();
  } catch (const std::exception& e) {
    // A write the project file refused says which file and why; anything else is the save's
    // own failure.
    msg(shell::refused_save_text(e, "The outfall analysis could not be saved in", vars().project.project_db_path)
            .value_or("Data Update Error!"),
        Buttons::OK, Icon::Exclamation);
    return;
  }
  // What was written is the stored record from now on.
  try {
    stored_values_.clear();
    for (int i = 0; i < adoEnergyRS->field_count(); ++i) stored_values_.push_back(adoEnergyRS->field(i));
    loaded_values_ = stored_values_;
  } catch (const std::exception&) {
    stored_values_.clear();
  }
  msg("Record Saved", Buttons::OK, Icon::Information);
  data_dirty = false;
}

void PipeEnergyForm::Form_Unload(int& cancel) {
  tab_next();
  if (!is_loaded()) return;
  // Reopened and closed without an edit: nothing to ask.
  if (data_dirty && only_load_fills()) EnergyCancel();
  if (data_dirty) {
    if (msg("Exit without Saving?", Buttons::YesNo, Icon::Information, "Gullyware") == Answer::No) {
      cancel = 1;
      return;
    }
    EnergyCancel();
  }
  release_records();
}

void PipeEnergyForm::mnuexit_Click() { unload(); }

void PipeEnergyForm::mnuenergyhelp_Click() { shell::show_help(prog); }

void PipeEnergyForm::mnuaboutenergy_Click() { prog.forms.get(window::frmAbout).show_modal(); }

void PipeEnergyForm::cmdanalyzeED_Click() {
  // The energy dissipation window takes this window's values through energy_dissipation_values().
  if (prog.forms.knows(window::frmEnergyDissipation))
    prog.forms.get(window::frmEnergyDissipation).show_modal();
}

bool PipeEnergyForm::refuses_non_numbers() {
  return shell::refuse_non_numbers(host(), controls()) != nullptr;
}

}  // namespace gw::outlet
