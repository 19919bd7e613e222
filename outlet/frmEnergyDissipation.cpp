// The energy dissipation window: controls, load, the analysis driver, the shared equivalent
// depth, menus and closing with the values handed back to the outfall window.
#include "outlet/frmEnergyDissipation.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "outlet/PipeEnergyForm.h"
#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "shell/help.h"
#include "shell/input_procedures.h"
#include "shell/window_names.h"

namespace gw::outlet {

using ui::Answer;
using ui::Buttons;
using ui::Icon;
using ui::Kind;

frmEnergyDissipation::frmEnergyDissipation(shell::Program& p) : Window(p, kName) {}

frmEnergyDissipation::~frmEnergyDissipation() = default;

OutfallValues frmEnergyDissipation::outfall() {
  return prog.form<PipeEnergyForm>().energy_dissipation_values();
}

namespace {

// Captions of the outfall window's fields that the designs read, as the user sees them.
struct FieldCaption {
  std::string OutfallValues::*field;
  const char* caption;
};
const FieldCaption kOutfallCaptions[] = {
    {&OutfallValues::velocity, "Outlet Velocity"},
    {&OutfallValues::depth, "Depth of flow at Outlet"},
    {&OutfallValues::froude, "Froude Number"},
    {&OutfallValues::dia_rise, "Pipe Diameter/Rise"},
    {&OutfallValues::basin_width, "Width of Basin at Outlet"},
    {&OutfallValues::tailwater, "Depth of Flow in Tailwater Channel"},
};

const char* caption_of(std::string OutfallValues::*field) {
  for (const FieldCaption& f : kOutfallCaptions)
    if (f.field == field) return f.caption;
  return "value of the outfall";
}

// The cause of a failure in words the user can act on: the bare run-time descriptions of the
// number layer say what went wrong in the arithmetic, not in the design's input.
std::string failure_cause(const std::exception& e) {
  const std::string what = e.what();
  if (what == runtime_message::type_mismatch) return "An input is not a number.";
  if (what == runtime_message::division_by_zero) return "An input is zero where the method divides by it.";
  if (what == runtime_message::overflow) return "The inputs give numbers too large for the method.";
  if (what == runtime_message::invalid_call) return "An input lies outside the range of the method.";
  return what;
}

}  // namespace

double frmEnergyDissipation::outfall_number(std::string OutfallValues::*field) {
  const std::string t = outfall().*field;
  if (const std::optional<double> v = text::try_number(t)) return *v;
  if (t.empty()) throw Error(std::string("The ") + caption_of(field) + " is empty.");
  throw Error(std::string("The ") + caption_of(field) + " \"" + t + "\" is not a number.");
}

const Units& frmEnergyDissipation::units() { return vars().units(); }

double frmEnergyDissipation::outlet_discharge() {
  const OutfallValues o = outfall();
  if (!o.design_discharge) throw Error(o.design_discharge_failure);
  return *o.design_discharge;
}

double frmEnergyDissipation::check_discharge() {
  if (check_discharge_) return *check_discharge_;
  const std::string& per_barrel = c("C_Discharge").text();
  if (const std::optional<double> q = text::try_number(per_barrel)) return *q;
  throw Error("The Check Discharge /barrel \"" + per_barrel + "\" is not a number.");
}

void frmEnergyDissipation::run_design(const char* design, void (frmEnergyDissipation::*clear)(),
                                      void (frmEnergyDissipation::*body)()) {
  try {
    (this->*body)();
  } catch (const std::exception& e) {
    // Nothing half designed stays on show, nor reaches the workbook.
    try {
      (this->*clear)();
    } catch (const std::exception&) {}
    msg(std::string(design) + ": " + failure_cause(e), Buttons::OK, Icon::Exclamation);
  }
}

// ---- controls ---------------------------------------------------------------------------

// Places controls in one panel and numbers the unit label arrays across the window.
struct PanelBuilder {
  ui::Form& form;
  std::function<ui::Control&(Kind, std::string, int)> add;
  std::string panel;
  int& ftm;
  int& fpsmps;

  ui::Control& put(Kind kind, const char* name, int index = -1) {
    ui::Control& ctl = add(kind, name, index);
    ctl.container = panel;
    return ctl;
  }
  ui::Control& label(const char* name, int index, const char* caption) {
    ui::Control& l = put(Kind::Label, name, index);
    l.set_caption(caption);
    return l;
  }
  // A result field: shown, not editable. The window model has no tool tips; the tip text
  // stays here as the field's description.
  ui::Control& result(const char* name, int index = -1, const char* tip = "") {
    (void)tip;
    ui::Control& b = put(Kind::TextBox, name, index);
    b.set_enabled(false);
    return b;
  }
  void ft() { label("ftm", ftm++, "ft"); }
  void fps() { label("fpsmps", fpsmps++, "ft/sec"); }
};

void frmEnergyDissipation::build() {
  set_caption("Energy Dissipation Analysis");
  add(Kind::Frame, "Frame1").set_caption("Energy Dissipation Design Methods");
  build_vdot_panel();
  build_usda_panel();
  build_riprap_panel();
  build_usbr_panel();
  build_contra_costa_panel();
  for (auto [name, caption] :
       {std::pair{"cmdanalyze", "Analyze Energy Dissipation"},
        std::pair{"Cmdresults", "Outlet Protection Results"}, std::pair{"cmdExit", "Exit"}}) {
    Control& b = add(Kind::CommandButton, name);
    b.set_caption(caption);
    b.container = "Frame1";
  }
  build_menus();

  // Tab order of the controls that take the focus; every other control comes after them.
  int next = 100;
  for (Control* ctl : controls()) ctl->tab_index = next++;
  int order = 0;
  for (const char* name : {"L2byh2", "txth3", "cmdanalyze", "Cmdresults", "cmdExit", "VDOT_Riprap"})
    c(name).tab_index = order++;

  c("cmdanalyze").on_click = [this] { cmdanalyze_Click(); };
  c("Cmdresults").on_click = [this] { Cmdresults_Click(); };
  c("cmdExit").on_click = [this] { cmdExit_Click(); };
  c("cmdExit").cancel = true;
  wire_basin_fields();
  wire_derivation();
  focus_on_show_ = true;
}

// A panel of the window: its frame inside Frame1, and a builder that puts controls in it.
PanelBuilder frmEnergyDissipation::panel(const char* frame) {
  add(Kind::Frame, frame).container = "Frame1";
  return PanelBuilder{*this,
                      [this](Kind k, std::string n, int i) -> Control& { return add(k, std::move(n), i); },
                      frame, ftm_next_, fpsmps_next_};
}

void frmEnergyDissipation::build_vdot_panel() {
  ftm_next_ = 0;
  fpsmps_next_ = 0;
  PanelBuilder p = panel("Frame2");
  p.label("Label2", 0, "VDOT DRAINAGE MANUAL");
  p.label("Label3", 0, "Outlet Protection");
  p.result("txt_EC");
  p.label("Label3", 1, "Length Of Apron");
  p.result("txtEC_L");
  p.ft();
  p.label("Label3", 2, "Width Of Apron");
  p.result("txtEC_W");
  p.ft();
  p.label("Label3", 3, "Thickness Of Apron");
  p.result("txtEC_T");
  p.ft();
}

void frmEnergyDissipation::build_usda_panel() {
  PanelBuilder p = panel("Frame3");
  p.label("Label2", 1, "USDA METHOD");
  p.label("Label4", 0, "Storm Frequency");
  p.result("usdastorm_freq").set_text("2");
  p.label("Label5", -1, "Yr");
  p.label("Label4", 1, "Check Discharge /barrel");
  p.result("C_Discharge", -1, "Input or from Culvert Results");
  p.label("cfscms", 0, "cfs");
  p.label("Label4", 2, "Length of Rock Outlet Protection");
  p.result("L_ROP");
  p.ft();
  p.label("Label4", 3, "Width of Rock Outlet Protection");
  p.result("W_ROP");
  p.ft();
  p.label("Label4", 4, "D50 Riprap Size");
  p.result("D50_size");
  p.ft();
  p.label("Label4", 5, "Thickness of Apron");
  p.result("Thickness_Apron");
  p.ft();
}

void frmEnergyDissipation::build_riprap_panel() {
  PanelBuilder p = panel("Frame4");
  p.label("Label2", 2, "RIPRAP BASIN");
  p.label("Label6", 0, "dE");
  p.result("txtdE", 2, "Equivalent Depth");
  p.ft();
  p.label("Label6", 1, "FRo");
  p.result("txtFRo", 2);
  p.label("Label6", 2, "VDOT STD. RIPRAP");
  Control& cls = p.put(Kind::ComboBox, "VDOT_Riprap");
  cls.style = 2;
  cls.set_items({"Class A1", "Class I", "Class II", "Class III", "Type I", "Type II"});
  cls.set_text("Class A1");
  struct Row {
    const char* name;
    const char* caption;
  };
  int label = 3;
  for (Row r :
       {Row{"sizeD50", "D50 Stone Size"}, Row{"L_Basin", "Length of Basin"}, Row{"L_Pool", "Length of Pool"},
        Row{"L_Apron", "Length of Apron"}, Row{"D_Pool", "Depth of Pool below Outlet"},
        Row{"T_StoneA", "Thickness of Riprap on the Apron"},
        Row{"T_StoneB", "Thickness of Riprap on the Rest of Basin"},
        Row{"W_Exit", "Width of Basin at Exit"}}) {
    p.label("Label6", label++, r.caption);
    p.result(r.name);
    p.ft();
  }
  p.label("Label6", label, "Velocity at Exit");
  p.result("V_Exit");
  p.fps();
}

void frmEnergyDissipation::build_usbr_panel() {
  PanelBuilder p = panel("Frame5");
  p.label("Label2", 3, "USBR TYPE V1");
  p.label("Label7", 0, "dE");
  p.result("txtdE", 0, "Equivalent Depth");
  p.ft();
  p.label("Label7", 1, "FRo");
  p.result("txtFRo", 0);
  p.label("Label7", 2, "Ho ");
  p.result("txtHo", -1, "Energy at end of culvert");
  p.ft();
  p.label("Label7", 3, "HL");
  p.result("txtHL", -1, "Energy loss");
  p.ft();
  p.label("Label7", 4, "He");
  p.result("txtHe", -1, "Ho - HL");
  p.ft();
  p.label("Label7", 5, "dB");
  p.result("txtdB");
  p.ft();
  p.label("Label7", 6, "VB");
  p.result("txtVB", -1, "Exit velocity");
  p.fps();
  p.label("Label7", 7, "BASIN DIMENSIONS (TABLE 9-2)");
  p.ft();
  const char* names[15] = {"W",  "h1", "h2", "h3", "h4", "L",  "L1", "L2",
                           "W1", "W2", "t1", "t2", "t3", "t4", "t5"};
  for (int k = 0; k < 15; ++k) {
    p.label("Label8", k, names[k]);
    p.result("USBRsize", k, k == 0 ? "Width of basin" : names[k]);
  }
}

void frmEnergyDissipation::build_contra_costa_panel() {
  PanelBuilder p = panel("Frame6");
  p.label("Label2", 4, "CONTRA COSTA BASIN");
  p.label("Label2", 5, "BASIN DIMENSIONS");
  p.label("Label9", 0, "dE");
  p.result("txtdE", 1, "Equivalent Depth");
  p.ft();
  p.label("Label9", 1, "FRo");
  p.result("txtFRo", 1);
  p.label("Label9", 2, "Width of Basin Floor");
  p.result("txtWbasin", -1, "2 x Width at outlet");
  p.ft();
  p.label("Label9", 3, "L2/h2 Ratio");
  p.put(Kind::TextBox, "L2byh2").set_text("3.5");  // tip: "Range 2.5 to 7"
  struct Row {
    const char* name;
    const char* caption;
    const char* tooltip;
  };
  int label = 4;
  for (Row r : {Row{"txtLB", "LB", "L2 + L3"}, Row{"txtL1", "L1", "0.5 x L2"},
                Row{"txtL2", "L2", "Length from culvert exit to large baffle"},
                Row{"txtL3", "L3", "Length from the large baffle to the end sill"},
                Row{"txth1", "h1", "Height of the small baffle (0.5 x h2)"},
                Row{"txth2", "h2", "Height of the large baffle"},
                Row{"txtY2", "Y2", "Max. Water Surface Depth w/o TW"}}) {
    p.label("Label9", label++, r.caption);
    p.result(r.name, -1, r.tooltip);
  }
  p.label("Label9", label++, "h3");
  p.put(Kind::TextBox, "txth3");  // tip: "End Sill (0.06 to 0.1)Y2"
  p.label("Label9", label++, "Exit Depth");
  p.result("txtyc");
  p.ft();
  p.label("Label9", label, "Exit Velocity");
  p.result("txtVelocityc");
  p.fps();
  // The unit of the basin dimensions above, beside their heading.
  p.ft();
}

void frmEnergyDissipation::build_menus() {
  add_menu("mnufile", "&File", "");
  add_menu("mnuanalyze", "Analyze &Energy Dissipation", "mnufile").on_click = [this] { mnuanalyze_Click(); };
  add_menu("mnuresults", "Outlet Protection &Results", "mnufile").on_click = [this] { mnuresults_Click(); };
  add_menu("mnusep1", "-", "mnufile");
  add_menu("mnuexit", "E&xit", "mnufile").on_click = [this] { mnuexit_Click(); };
  add_menu("mnuhelp", "&Help", "");
  add_menu("mnuenergyhelp", "&Help", "mnuhelp").on_click = [this] { mnuenergyhelp_Click(); };
  add_menu("mnusep2", "-", "mnuhelp");
  add_menu("mnuaboutenergy", "About TarnelHydro", "mnuhelp").on_click = [this] { mnuaboutenergy_Click(); };
}

// ---- load -------------------------------------------------------------------------------

void frmEnergyDissipation::Form_Load() {
  // Nothing is designed yet at this opening.
  analysed_ = false;
  sill_named_.clear();
  try {
    clear_vdot_dm_results();
    clear_usda_results();
    clear_riprap_basin_results();
    clear_usbr_results();
    clear_contra_costa_results();
    if (vars().units().metric()) set_metric_labels();
    const OutfallValues o = outfall();
    c("C_Discharge").set_text(o.check_discharge_text);
    // The designs take the discharge whole, not as the field rounds it; without a number the
    // USDA design names the field when it runs.
    check_discharge_ = o.two_year_discharge;
    c("usdastorm_freq").set_text(o.storm);
    c("L2byh2").set_text(o.l2_by_h2);
    c("txth3").set_text(o.h3);
    if (c("L2byh2").text().empty()) c("L2byh2").set_text("3.5");
    c("VDOT_Riprap").set_text(o.vdot_riprap);
    VDOT_Riprap_Click();
    // An end sill the design computed at an earlier opening follows today's outlet; one the
    // engineer typed is kept, and named when it lies outside its range for today's basin.
    sill_computed_ = o.h3_computed;
    if (!c("txth3").text().empty()) {
      const ContraCostaFields f = contra_costa_fields();
      // The panel's results wait for the analysis: only the sill is shown now.
      clear_contra_costa_results();
      if (sill_computed_) {
        writing_ = true;
        c("txth3").set_text(f.sill);
        writing_ = false;
        sill_computed_ = f.sill_computed;
      } else if (!f.refused && f.failure.empty()) {
        name_sill(f);
      }
    }
  } catch (const std::exception& e) {
    msg(e.what(), Buttons::OK, Icon::Exclamation, {}, true);
  }
}

void frmEnergyDissipation::Form_Activate() {
  // The window opens with the focus on the L2/h2 ratio.
  if (!focus_on_show_) return;
  focus_on_show_ = false;
  set_focus(c("L2byh2"));
}

void frmEnergyDissipation::set_metric_labels() {
  for (Control* ctl : controls()) {
    if (ctl->name() == "ftm")
      ctl->set_caption("m");
    else if (ctl->name() == "fpsmps")
      ctl->set_caption("m/sec");
  }
  c("cfscms", 0).set_caption("cms");
}

// ---- analysis ---------------------------------------------------------------------------

void frmEnergyDissipation::cmdanalyze_Click() {
  // While the designs run, their own writes are no input changes.
  analysed_ = false;
  clear_vdot_dm_results();
  clear_usda_results();
  clear_riprap_basin_results();
  clear_usbr_results();
  clear_contra_costa_results();
  // Each design reports its own failure under its name; the next one runs all the same.
  design_vdot_dm_outlet_protection();
  design_usda_outlet_protection();
  design_riprap_basin();
  design_contra_costa_basin();
  design_usbr_type6_basin();
  analysed_ = true;
}

void frmEnergyDissipation::mnuanalyze_Click() { cmdanalyze_Click(); }

void frmEnergyDissipation::mnuresults_Click() { Cmdresults_Click(); }

// ---- equivalent depth -------------------------------------------------------------------

bool frmEnergyDissipation::culvert_is_box() {
  // The shape of the outfall's own outlet pipe, as the outfall window read it.
  return is_box_culvert(outfall().outlet_shape);
}

OutletDepth frmEnergyDissipation::outlet_equivalent_depth(int index) {
  const bool box = culvert_is_box();
  const double v = outfall_number(&OutfallValues::velocity);
  double q = 0;
  double dn = 0;
  if (box)
    dn = outfall_number(&OutfallValues::depth);
  else
    q = outlet_discharge();
  const OutletDepth d = equivalent_depth(box, q, v, dn, units().gravity);
  c("txtdE", index).set_text(text::format(d.dE, "0.00"));
  c("txtFRo", index).set_text(text::format(d.froude, "0.00"));
  return d;
}

// ---- menus and closing ------------------------------------------------------------------

void frmEnergyDissipation::cmdExit_Click() { unload(); }

void frmEnergyDissipation::mnuexit_Click() { unload(); }

void frmEnergyDissipation::mnuenergyhelp_Click() { shell::show_help(prog); }

void frmEnergyDissipation::mnuaboutenergy_Click() { prog.forms.get(window::frmAbout).show_modal(); }

void frmEnergyDissipation::Form_Unload(int& cancel) {
  focus_on_show_ = false;
  if (msg("Save Changes?", Buttons::YesNo, Icon::Information, "Gullyware") != Answer::Yes) return;
  // Only numbers go back into the outfall's record: a ratio or end sill that is none is named,
  // and the window stays open for it.
  if (ui::Control* refused = shell::refuse_non_numbers(host(), controls())) {
    cancel = 1;
    set_focus(*refused);
    return;
  }
  try {
    prog.form<PipeEnergyForm>().take_basin_inputs(c("L2byh2").text(), c("txth3").text(),
                                                  c("VDOT_Riprap").text(),
                                                  sill_computed_ && !c("txth3").text().empty());
  } catch (const std::exception&) {
    // A failed copy ends the copying; the window closes all the same.
  }
}

}  // namespace gw::outlet
