// The energy dissipation window's outlet protection workbook: the outfall analysis and the
// five designs, as the fields show them, on one worksheet.
#include "outlet/frmEnergyDissipation.h"
#include "shell/input_procedures.h"

#include <string_view>

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

// The outfall window's fields, in the order they are written.
constexpr FieldCell kOutfallCells[] = {
    {5, 5, "enodeout", -1},    {6, 5, "eDiaRise", -1},     {7, 5, "E_Discharge", -1},
    {8, 5, "dn_C", -1},        {9, 5, "V_C", -1},          {10, 5, "FR_C", -1},
    {5, 9, "velocity2", -1},   {6, 9, "dn_TW", -1},        {8, 9, "Bed_Matl", -1},
    {9, 9, "D50bed", -1},      {10, 9, "Velocity_NS", -1}, {11, 7, "outlet_protection", -1},
    {13, 5, "D16", -1},        {14, 5, "D84", -1},         {15, 5, "plindex", -1},
    {12, 9, "txt_D", -1},      {13, 9, "txt_W", -1},       {14, 9, "txt_L", -1},
    {15, 9, "txtLocation", -1}};

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
  if (shell::refuse_non_numbers(*this)) return;
  if (ui::Form* outfall_window = prog.forms.existing(window::PipeEnergyForm);
      outfall_window && outfall_window->is_loaded() && shell::refuse_non_numbers(*outfall_window))
    return;
  try {
    if (!report.choose_file()) return;
    report.open();
    const shell::SharedState& v = vars();
    report.set_text(1, 3, v.project.current_project_name);
    report.set_text(1, 10, v.project.project_designer);
    report.set_text(2, 3, v.project.project_location);
    report.set_text(3, 10, v.unit_system());
    for (const FieldCell& f : kOutfallCells) {
      // The outfall node is an identifier: kept as text as it stands ("0104" stays "0104").
      if (std::string_view(f.field) == "enodeout")
        report.set_text(f.row, f.col, outfall(f.field).text());
      else
        report.set_value(f.row, f.col, outfall(f.field).text());
    }
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
