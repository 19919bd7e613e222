// The energy dissipation window: five outlet protection designs side by side for the outfall
// that the outfall window has analysed, and the outlet protection workbook.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "outlet/contra_costa_fields.h"
#include "outlet/outfall_values.h"
#include "outlet/outlet_equivalent_depth.h"
#include "outlet/usda_rock_outlet.h"
#include "platform/units/units.h"
#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::outlet {

struct PanelBuilder;

class frmEnergyDissipation : public shell::Window {
 public:
  static constexpr const char* kName = window::frmEnergyDissipation;
  explicit frmEnergyDissipation(shell::Program& p);
  ~frmEnergyDissipation() override;

  // ---- window (frmEnergyDissipation.cpp) ----
  void set_metric_labels();
  void cmdanalyze_Click();
  void mnuanalyze_Click();
  void Cmdresults_Click();
  void mnuresults_Click();
  void cmdExit_Click();
  void mnuexit_Click();
  void mnuenergyhelp_Click();
  void mnuaboutenergy_Click();

  // Equivalent depth and Froude number of the outlet, written formatted "0.00" into
  // txtdE(index) and txtFRo(index) (0 USBR, 1 Contra Costa, 2 riprap basin). Reads the
  // outfall window's E_Discharge, V_C, dn_C and the shape of its outlet pipe.
  // Returns the unrounded values. Raises gw::Error naming the input when they give no depth.
  OutletDepth outlet_equivalent_depth(int index);
  // True when the outlet pipe that the outfall window found for the outfall is a box
  // ("Rectangulr" or "Box").
  bool culvert_is_box();

  // ---- VDOT Drainage Manual riprap apron (frmEnergyDissipation_vdot.cpp) ----
  void clear_vdot_dm_results();
  void design_vdot_dm_outlet_protection();
  void select_vdot_dm_lining();
  void size_vdot_dm_apron();

  // ---- USDA rock outlet protection (frmEnergyDissipation_usda.cpp) ----
  void clear_usda_results();
  void design_usda_outlet_protection();
  void load_usda_coefficients();
  // The ten coefficients of the last load (zero until one succeeds); kept while the window lives.
  UsdaCoefficients usda_coefficients;

  // ---- the three basin designs (frmEnergyDissipation_basins.cpp) ----
  void clear_riprap_basin_results();
  void design_riprap_basin();
  void VDOT_Riprap_Click();
  void clear_contra_costa_results();
  void design_contra_costa_basin();
  void L2byh2_LostFocus();
  void txth3_LostFocus();
  void clear_usbr_results();
  void design_usbr_type6_basin();
  // Wires the events of the basin panels' own controls (VDOT_Riprap click, L2byh2 and txth3
  // focus and key filters); called from build() after every control exists.
  void wire_basin_fields();

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& cancel) override;

 private:
  // A panel of the window: its frame inside Frame1, and a builder that fills it.
  PanelBuilder panel(const char* frame);
  void build_vdot_panel();
  void build_usda_panel();
  void build_riprap_panel();
  void build_usbr_panel();
  void build_contra_costa_panel();
  void build_menus();
  // The outfall window's values as they stand.
  OutfallValues outfall();
  // The number in one of the outfall window's fields; raises gw::Error naming the field by its
  // caption when it holds none.
  double outfall_number(std::string OutfallValues::*field);
  // The outlet pipe's design discharge, whole, from the outfall window (raises naming the field).
  double outlet_discharge();
  // The check discharge per barrel whole: the outfall window's 2-year discharge as it stood when
  // this window loaded, else the number C_Discharge reads as. Raises gw::Error naming the field.
  double check_discharge();
  // The unit constants of the project's unit system.
  const Units& units();
  // Runs one design so that its failure stays its own: a failure empties the design's fields
  // (`clear`), shows one message with the design's name and the cause, and returns.
  void run_design(const char* design, void (frmEnergyDissipation::*clear)(),
                  void (frmEnergyDissipation::*body)());
  // The bodies of the five designs; each raises gw::Error when it cannot design its case.
  void vdot_dm_design();
  void usda_design();
  void riprap_basin_design();
  void contra_costa_design();
  void usbr_design();
  // Empties the riprap basin's results with its equivalent depth and Froude number.
  void clear_riprap_basin_design();
  // The Contra Costa panel's fields from the outfall's values and the panel's inputs
  // (contra_costa_fields.h), and writing them into the panel.
  ContraCostaFields contra_costa_fields();
  void show_contra_costa(const ContraCostaFields& f);
  // Names an end sill the engineer typed that lies outside its range for this basin, once for
  // each sill and basin.
  void name_sill(const ContraCostaFields& f);
  // An input of a design changed after an analysis: that design's fields are derived anew, without
  // its messages, and emptied when it cannot be designed.
  void rederive(void (frmEnergyDissipation::*body)(), void (frmEnergyDissipation::*clear)());
  // Observes the designs' input fields (L2byh2, txth3, VDOT_Riprap).
  void wire_derivation();
  // The designs have run since the window loaded: their fields follow their inputs from now on.
  bool analysed_ = false;
  // Designs run again after an input change say nothing.
  bool quiet_ = false;
  // The window is writing a field itself (not the engineer).
  bool writing_ = false;
  // The end sill shown is the Contra Costa design's own.
  bool sill_computed_ = false;
  // The last out-of-range sill named.
  std::string sill_named_;
  bool focus_on_show_ = false;
  // The 2-year discharge per barrel behind the text copied into C_Discharge at load.
  std::optional<double> check_discharge_;
  // Next index of the unit label arrays ftm and fpsmps while the panels are built.
  int ftm_next_ = 0;
  int fpsmps_next_ = 0;
};

}  // namespace gw::outlet
