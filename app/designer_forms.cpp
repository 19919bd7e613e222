// The windows laid out in Qt Designer forms, compiled by uic.
#include "app/designer_forms.h"

#include <functional>
#include <map>

#include <QMainWindow>
#include <QWidget>

#include "shell/window_names.h"
#include "ui_PipeEnergyForm.h"
#include "ui_frmAbout.h"
#include "ui_frmEPipeSize.h"
#include "ui_frmEnergyDissipation.h"
#include "ui_frmHGL.h"
#include "ui_frmHydroSplash.h"
#include "ui_frmPA_CMP_LC_E.h"
#include "ui_frmPA_CMP_LC_M.h"
#include "ui_frmPA_CMP_MC_E.h"
#include "ui_frmPA_CMP_MC_M.h"
#include "ui_frmPA_CMP_SC_E.h"
#include "ui_frmPA_CMP_SC_M.h"
#include "ui_frmPA_C_E.h"
#include "ui_frmPA_C_M.h"
#include "ui_frmPipeSizeM.h"
#include "ui_frmProject.h"
#include "ui_frmProjectNOAA.h"
#include "ui_frmProjectUpdate.h"
#include "ui_frmVATc.h"
#include "ui_frmarea.h"
#include "ui_frmareaV2.h"
#include "ui_frmpipeflex.h"
#include "ui_frmpipemain.h"
#include "ui_frmpipemodify.h"
#include "ui_frmskew.h"
#include "ui_frmsoftwaremain.h"

namespace gw::app {

namespace {

template <class Ui, class Top>
QWidget* make() {
  auto* w = new Top;
  Ui ui;
  ui.setupUi(w);
  return w;
}

const std::map<std::string, std::function<QWidget*()>>& table() {
  static const std::map<std::string, std::function<QWidget*()>> t = {
      {window::frmAbout, make<Ui::frmAbout, QWidget>},
      {window::frmarea, make<Ui::frmarea, QWidget>},
      {window::frmareaV2, make<Ui::frmareaV2, QWidget>},
      {window::frmEnergyDissipation, make<Ui::frmEnergyDissipation, QMainWindow>},
      {window::frmEPipeSize, make<Ui::frmEPipeSize, QWidget>},
      {window::frmHGL, make<Ui::frmHGL, QWidget>},
      {window::frmHydroSplash, make<Ui::frmHydroSplash, QWidget>},
      {window::frmPA_C_E, make<Ui::frmPA_C_E, QWidget>},
      {window::frmPA_C_M, make<Ui::frmPA_C_M, QWidget>},
      {window::frmPA_CMP_LC_E, make<Ui::frmPA_CMP_LC_E, QWidget>},
      {window::frmPA_CMP_LC_M, make<Ui::frmPA_CMP_LC_M, QWidget>},
      {window::frmPA_CMP_MC_E, make<Ui::frmPA_CMP_MC_E, QWidget>},
      {window::frmPA_CMP_MC_M, make<Ui::frmPA_CMP_MC_M, QWidget>},
      {window::frmPA_CMP_SC_E, make<Ui::frmPA_CMP_SC_E, QWidget>},
      {window::frmPA_CMP_SC_M, make<Ui::frmPA_CMP_SC_M, QWidget>},
      {window::frmpipeflex, make<Ui::frmpipeflex, QMainWindow>},
      {window::frmpipemain, make<Ui::frmpipemain, QMainWindow>},
      {window::frmpipemodify, make<Ui::frmpipemodify, QWidget>},
      {window::frmPipeSizeM, make<Ui::frmPipeSizeM, QWidget>},
      {window::frmProject, make<Ui::frmProject, QMainWindow>},
      {window::frmProjectNOAA, make<Ui::frmProjectNOAA, QMainWindow>},
      {window::frmProjectUpdate, make<Ui::frmProjectUpdateWindow, QWidget>},
      {window::frmskew, make<Ui::frmskew, QWidget>},
      {window::frmsoftwaremain, make<Ui::frmsoftwaremain, QMainWindow>},
      {window::frmVATc, make<Ui::frmVATc, QWidget>},
      {window::PipeEnergyForm, make<Ui::PipeEnergyForm, QMainWindow>},
  };
  return t;
}

}  // namespace

QWidget* create_designer_window(const std::string& window) {
  auto it = table().find(window);
  return it == table().end() ? nullptr : it->second();
}

std::vector<std::string> designer_windows() {
  std::vector<std::string> v;
  for (const auto& [name, f] : table()) v.push_back(name);
  return v;
}

}  // namespace gw::app
