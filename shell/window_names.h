// The name of every window of the program: what a window is registered, looked up, unloaded and
// laid out by. Code names a window through these constants, so a misspelt name fails to compile
// instead of finding no window at run time.
#pragma once

namespace gw::window {

// The application shell.
inline constexpr const char* frmsoftwaremain = "frmsoftwaremain";
inline constexpr const char* frmHydroSplash = "frmHydroSplash";
inline constexpr const char* frmAbout = "frmAbout";
inline constexpr const char* frmProject = "frmProject";
inline constexpr const char* frmProjectNOAA = "frmProjectNOAA";
inline constexpr const char* frmProjectUpdate = "frmProjectUpdate";

// Pipe network design.
inline constexpr const char* frmpipeflex = "frmpipeflex";
inline constexpr const char* frmpipemain = "frmpipemain";
inline constexpr const char* frmpipemodify = "frmpipemodify";
inline constexpr const char* frmskew = "frmskew";
inline constexpr const char* frmVATc = "frmVATc";
inline constexpr const char* frmarea = "frmarea";
inline constexpr const char* frmareaV2 = "frmareaV2";

// The standard-size pickers, one per shape and unit system.
inline constexpr const char* frmEPipeSize = "frmEPipeSize";
inline constexpr const char* frmPipeSizeM = "frmPipeSizeM";
inline constexpr const char* frmPA_C_E = "frmPA_C_E";
inline constexpr const char* frmPA_C_M = "frmPA_C_M";
inline constexpr const char* frmPA_CMP_SC_E = "frmPA_CMP_SC_E";
inline constexpr const char* frmPA_CMP_SC_M = "frmPA_CMP_SC_M";
inline constexpr const char* frmPA_CMP_MC_E = "frmPA_CMP_MC_E";
inline constexpr const char* frmPA_CMP_MC_M = "frmPA_CMP_MC_M";
inline constexpr const char* frmPA_CMP_LC_E = "frmPA_CMP_LC_E";
inline constexpr const char* frmPA_CMP_LC_M = "frmPA_CMP_LC_M";

// Reports.
inline constexpr const char* frmHGL = "frmHGL";

// Outlet protection.
inline constexpr const char* PipeEnergyForm = "PipeEnergyForm";
inline constexpr const char* frmEnergyDissipation = "frmEnergyDissipation";

}  // namespace gw::window
