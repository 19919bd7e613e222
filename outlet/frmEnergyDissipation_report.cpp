// The energy dissipation window's outlet protection workbook: the outfall analysis and the
// five designs, as the fields show them, on one worksheet.
#include "outlet/frmEnergyDissipation.h"
#include "shell/input_procedures.h"

#include "outlet/PipeEnergyForm.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "reports/report_workbook.h"
#include "shell/window_names.h"

namespace gw::outlet {

namespace {

// A cell and the field whose text it receives.
struct FieldCell {
  int row;
  int col;
  const char* field;
  int index;  // -1: not a control array
};

// A cell and the outfall window's value it receives.
struct OutfallCell {
  int row;
  int col;
  std::string OutfallValues::*value;
};

// The outfall window's fields after the outfall node, in the order they are written.
const OutfallCell kOutfallCells[] = {
    {6, 5, &OutfallValues::dia_rise},      {7, 5, &OutfallValues::design_discharge_text},
    {8, 5, &OutfallValues::depth},         {9, 5, &OutfallValues::velocity},
    {10, 5, &OutfallValues::froude},       {5, 9, &OutfallValues::velocity2},
    {6, 9, &OutfallValues::tailwater},     {8, 9, &OutfallValues::bed_material},
    {9, 9, &OutfallValues::d50_bed},       {10, 9, &OutfallValues::permissible_velocity},
    {11, 7, &OutfallValues::protection},   {13, 5, &OutfallValues::d16},
    {14, 5, &OutfallValues::d84},          {15, 5, &OutfallValues::plasticity_index},
    {12, 9, &OutfallValues::scour_depth},  {13, 9, &OutfallValues::scour_width},
    {14, 9, &OutfallValues::scour_length}, {15, 9, &OutfallValues::scour_location}};

// This window's fields from the VDOT apron to the riprap basin (the USDA discharge at (21,9)
// is written between them, reformatted).
constexpr FieldCell kApronCells[] = {
    {17, 5, "txt_EC", -1}, {17, 9, "txtEC_L", -1}, {18, 9, "txtEC_W", -1}, {19, 9, "txtEC_T", -1}};
constexpr FieldCell kUsdaBasinCells[] = {
    {22, 9, "L_ROP", -1},   {23, 9, "W_ROP", -1},    {24, 9, "D50_size", -1}, {25, 9, "Thickness_Apron", -1},
    {36, 9, "L_Basin", -1}, {37, 9, "L_Pool", -1},   {38, 9, "L_Apron", -1},  {39, 9, "W_Exit", -1},
    {40, 9, "D_Pool", -1},  {41, 9, "T_StoneA", -1}, {42, 9, "T_StoneB", -1}, {43, 9, "sizeD50", -1},
    {44, 9, "V_Exit", -1},  {55, 9, "txtdE", 0},     {56, 9, "txtFRo", 0},    {57, 9, "txtHo", -1},
    {58, 9, "txtHL", -1},   {59, 9, "txtHe", -1},    {60, 9, "txtdB", -1},    {61, 9, "txtVB", -1}};
constexpr FieldCell kContraCostaCells[] = {
    {81, 9, "txtdE", 1},        {82, 9, "txtFRo", 1}, {83, 9, "txtWbasin", -1}, {84, 9, "L2byh2", -1},
    {86, 9, "txtLB", -1},       {87, 9, "txtL1", -1}, {88, 9, "txtL2", -1},     {89, 9, "txtL3", -1},
    {90, 9, "txth1", -1},       {91, 9, "txth2", -1}, {92, 9, "txth3", -1},     {93, 9, "txtyc", -1},
    {94, 9, "txtVelocityc", -1}};

}  // namespace

void frmEnergyDissipation::Cmdresults_Click() {
  reports::ReportSession report(prog, reports::kOutletProtection);
  // The numbers this report writes must read as numbers, in this window and the outfall's.
  if (shell::refuse_non_numbers(host(), controls())) return;
  if (ui::Form* outfall_window = prog.forms.existing(window::PipeEnergyForm);
      outfall_window && outfall_window->is_loaded() && prog.form<PipeEnergyForm>().refuses_non_numbers())
    return;
  try {
    if (!report.choose_file()) return;
    report.open();
    const shell::SharedState& v = vars();
    report.set_text(1, 3, v.project.current_project_name);
    report.set_text(1, 10, v.project.project_designer);
    report.set_text(2, 3, v.project.project_location);
    report.set_text(3, 10, v.unit_system());
    const OutfallValues outfall_values = outfall();
    // The outfall node is an identifier: kept as text as it stands ("0104" stays "0104").
    report.set_text(5, 5, outfall_values.node);
    for (const OutfallCell& f : kOutfallCells) report.set_value(f.row, f.col, outfall_values.*f.value);
    for (const FieldCell& f : kApronCells) report.set_value(f.row, f.col, c(f.field, f.index).text());
    // The check discharge rounded as a discharge is shown: to the hundredth of a cfs, to four
    // decimals of a cms.
    report.set_value(
        21, 9,
        text::format(check_discharge(), units().metric() ? std::string(units().number_format) : "0.00"));
    for (const FieldCell& f : kUsdaBasinCells) report.set_value(f.row, f.col, c(f.field, f.index).text());
    for (int k = 0; k < 15; ++k) report.set_value(63 + k, 9, c("USBRsize", k).text());
    for (const FieldCell& f : kContraCostaCells) report.set_value(f.row, f.col, c(f.field, f.index).text());
    report.finish();
  } catch (const std::exception& e) {
    report.fail(e);
  }
}

}  // namespace gw::outlet
