// The outfall window: the project's ENERGY record, the outlet pipe, its 2-year discharge and
// velocity, the need for outlet protection and the scour hole.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outlet/field_number.h"
#include "outlet/outfall_derivation.h"
#include "outlet/outfall_values.h"
#include "outlet/pattern_binding.h"
#include "platform/binding/binding.h"
#include "platform/db/recordset.h"
#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::outlet {

class PipeEnergyForm : public shell::Window {
 public:
  static constexpr const char* kName = window::PipeEnergyForm;
  explicit PipeEnergyForm(shell::Program& p);
  ~PipeEnergyForm() override;

  // ---- record access ----
  // Every ENERGY row; the window works on the first one only.
  std::shared_ptr<db::Recordset> adoEnergyRS;
  // Opens adoEnergyRS and reads the stored verdict into outlet_status.
  void get_Energy_records();
  // Binds the twelve record controls to adoEnergyRS.
  void attach_Energy_datasource();
  // Drops a record added at load and never written; clears data_dirty.
  void EnergyCancel();

  // ---- outlet pipe and 2-year discharge ----
  // Reads the pipe with the largest discharge into `node` and fills the outlet fields. Gives
  // false, after one message naming the outfall and with the outlet forgotten, when no pipe with
  // a discharge ends there (or the pipe cannot be read).
  bool load_outlet_pipe(const std::string& node);
  // Reads the rational-method inputs of that pipe and computes the 2-year discharge.
  void load_rational_inputs();
  // The 2-year discharge per barrel into C_Discharge.
  void compute_2yr_discharge();
  // The outlet size rounded down to a standard diameter, into the shared standard_diameter.
  void set_standard_diameter();
  // Derives the window's values from its inputs and says "Invalid Data Input Error" when the
  // 2-year outlet velocity cannot be computed from the discharge there is.
  void compute_pipe_velocity();
  // Every value the window derives from its inputs (outfall_derivation.h), written into its
  // fields: run after any input change, by any route.
  void derive();

  // ---- what the energy dissipation window takes from this window and hands back ----
  // The values as they stand now (loads the window when it is not loaded).
  OutfallValues energy_dissipation_values();
  // The basin inputs the energy dissipation window kept (L2/h2, h3, the VDOT riprap choice);
  // `h3_computed`: the end sill is the Contra Costa design's own, not one the engineer typed.
  void take_basin_inputs(const std::string& l2_by_h2, const std::string& h3, const std::string& vdot_riprap,
                         bool h3_computed = false);

  // ---- numbers the designs take from this window ----
  // The outlet pipe's design discharge (cfs or cms) as stored with the pipe, whole: E_Discharge
  // shows it rounded. Raises gw::Error naming the field when the outfall has none.
  double design_discharge();
  // Before the energy dissipation window's report writes this window's numbers: names the
  // first numeric field that does not read as a number (shell::refuse_non_numbers); true then.
  bool refuses_non_numbers();
  // The 2-year discharge per barrel (cfs or cms), whole: the computed one while C_Discharge
  // shows it, else the number typed or stored there. Raises gw::Error naming the field.
  double two_year_discharge();

  // ---- need for protection and scour hole ----
  void Bed_Matl_Click();
  void cmdNeed_Click();
  void cmdscourholesize_Click();
  void compute_scour_hole();

  // ---- fields, menus and buttons ----
  void set_energy_defaults();
  void clear_outlet_fields();
  void fill_outlet_node_list();
  void set_metric_captions();
  void enodeout_GotFocus();
  void enodeout_Change();
  void enodeout_LostFocus();
  void dn_TW_LostFocus();
  void C_Discharge_LostFocus();
  void W_culvert_LostFocus();
  void plindex_LostFocus();
  void D16_LostFocus();
  void D84_LostFocus();
  void mnusave_Click();
  void mnuexit_Click();
  void mnuenergyhelp_Click();
  void mnuaboutenergy_Click();
  void cmdanalyzeED_Click();

  // ---- window variables (kept between openings) ----
  bool data_dirty = false;
  bool node_changed = false;
  std::string previous_node;
  std::string outlet_status;
  std::string discharge_src;
  // The outlet pipe.
  std::string outlet_shape;
  std::string outlet_span;  // SPAN as stored (in or mm); set for shapes other than "Circular"
  int num_pipes = 0;
  std::string outlet_slope;  // PIPE_SLOPE as stored
  double outlet_manning_n = 0;
  double outlet_tc = 0;
  double outlet_ca = 0;
  double outlet_cf = 0;
  double outlet_lateral_q = 0;
  double permissible_velocity = 0;
  // The scour hole as last computed.
  double scour_depth = 0;
  double scour_width = 0;
  double scour_length = 0;
  double scour_location = 0;

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& cancel) override;

 private:
  void adoEnergyRS_WillChangeRecord(db::ChangeReason reason, bool& cancel);
  void build_pipe_frame();
  void build_needs_frame();
  void build_scour_frame();
  void build_menus();
  void wire_fields();
  // Observes the derivation's input fields (PipeEnergyForm_derive.cpp).
  void wire_derivation();
  void riprap_class_check();
  // Shows or hides the 2-year discharge field with its caption and unit label.
  void show_2yr_discharge(bool shown);
  // Drops the load's own edits when they leave the stored record as it was.
  void forget_unchanged_record();
  // True when the record differs from the stored one only by what the load filled into columns
  // the record left empty.
  bool only_load_fills();
  void release_records();
  // The number in field `field`; raises gw::Error naming it by `caption` when it holds none.
  double number_in(const char* field, const char* caption);
  // The pattern of a discharge field: "0.00" for cfs, the pipe window's metric pattern
  // ("0.0000") for cms.
  std::string discharge_pattern();
  // A message about the outfall. While the window loads, it is kept for the one message that
  // lists what the opening found; otherwise it is shown at once.
  void tell(const std::string& text, ui::Icon icon, bool system_modal = false);
  // The inputs of the derivation as the window holds them.
  OutfallInputs gather_outfall_inputs();
  // An input of the derivation changed (an observer of the input fields).
  void input_changed();
  // The sentence of a verdict the last derivation cleared (said of a saved verdict when
  // `saved`); empty when none was cleared.
  std::string cleared_verdict(bool saved) const;
  // The stored values that the opening changed without asking (the 2-year discharge computed
  // anew, a riprap class outside the list), one sentence each, for the opening's message.
  void name_changed_stored_values(std::vector<std::string>& findings);
  // The stored basin width at the outlet against the outlet pipe's own width: when they differ,
  // asks which one to use (Yes: the pipe's, No: the stored one).
  void check_stored_width(const std::string& stored);
  // True when the field (which has the focus) was edited since it got it: leaving a field
  // untouched changes nothing.
  bool typed_since_focus(const char* field);
  // Empties the fields filled from the outlet pipe, forgets the pipe and its full-flow area and
  // standard diameter, and disables the analysis: the outfall has no outlet pipe to design for.
  void forget_outlet_pipe();
  // Inputs of the stored record that the load's own steps write over: the basin width (filled
  // from the pipe), the plasticity index and the grain sizes (the bed's defaults).
  struct StoredInputs {
    std::string width, plasticity_index, d16, d84;
  };
  StoredInputs stored_inputs();
  // Puts back those the record held (an empty one keeps what the load filled in).
  void restore_stored_inputs(const StoredInputs& s);

  // The outlet pipe row, kept for load_rational_inputs.
  std::shared_ptr<db::Recordset> outlet_pipe_rs_;
  // The outfall nodes listed in enodeout.
  std::shared_ptr<db::Recordset> node_list_rs_;
  // The record's values as opened.
  std::vector<std::string> stored_values_;
  // The record's values as the load left them.
  std::vector<std::string> loaded_values_;
  bool focus_on_show_ = false;
  // The text of the input field that has the focus, as it was when it got it, and whether it
  // changed since (typed, pasted, even back to the same text).
  std::string text_on_focus_;
  bool edited_since_focus_ = false;
  // The outlet pipe's own width (diameter or span) in ft or m, as load_outlet_pipe wrote it.
  std::string pipe_width_;
  // The full-flow area of the outlet pipe's barrels and its standard diameter (also shown in the
  // shared variables full_flow_area and standard_diameter).
  double full_flow_area_ = 0;
  std::string standard_diameter_;
  // The design discharge and the 2-year discharge behind their rounded texts.
  ShownNumber design_discharge_;
  ShownNumber two_year_discharge_;
  // Why the permissible velocity of the chosen bed material is not known (empty when it is).
  std::string bed_velocity_failure_;
  // What the opening found, collected while the window loads (null otherwise).
  std::vector<std::string>* findings_ = nullptr;
  // The derivation: running, held off while the window loads its record, and what it keeps.
  bool deriving_ = false;
  bool loading_ = false;
  // The scour hole is shown once sized ("Determine Scour Hole Size", or a stored record opened),
  // until a node change clears the computations.
  bool hole_sized_ = false;
  std::string hole_failure_;
  bool velocity_failed_ = false;
  // The two velocity texts a verdict reached here was reached with (none for a stored verdict).
  std::optional<std::array<std::string, 2>> verdict_basis_;
  // The verdict the last derivation cleared, and why.
  std::string cleared_verdict_;
  std::string cleared_reason_;
  // A verdict cleared because the 2-year discharge changed, to be said when its field is left.
  std::string discharge_voided_verdict_;
  // The end sill the energy dissipation window handed back as its own computed value, with the
  // project it belongs to: only that text, in that project, is recomputed at the next analysis.
  std::string computed_sill_;
  std::string computed_sill_project_;
  // Declared after the recordsets: the bindings let go of them first.
  ui::Binding binding_;
  PatternBinding w_culvert_binding_;
  PatternBinding plindex_binding_;
};

}  // namespace gw::outlet
