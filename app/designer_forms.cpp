// The windows laid out in Qt Designer forms, compiled by uic.
#include "app/designer_forms.h"

#include <functional>
#include <map>

#include <QMainWindow>
#include <QWidget>

#include "ui_frmAbout.h"
#include "ui_frmarea.h"
#include "ui_frmareaV2.h"
#include "ui_frmEnergyDissipation.h"
#include "ui_frmEPipeSize.h"
#include "ui_frmHGL.h"
#include "ui_frmHydroSplash.h"
#include "ui_frmPA_C_E.h"
#include "ui_frmPA_C_M.h"
#include "ui_frmPA_CMP_LC_E.h"
#include "ui_frmPA_CMP_LC_M.h"
#include "ui_frmPA_CMP_MC_E.h"
#include "ui_frmPA_CMP_MC_M.h"
#include "ui_frmPA_CMP_SC_E.h"
#include "ui_frmPA_CMP_SC_M.h"
#include "ui_frmpipeflex.h"
#include "ui_frmpipemain.h"
#include "ui_frmpipemodify.h"
#include "ui_frmPipeSizeM.h"
#include "ui_frmProject.h"
#include "ui_frmProjectNOAA.h"
#include "ui_frmProjectUpdate.h"
#include "ui_frmskew.h"
#include "ui_frmsoftwaremain.h"
#include "ui_frmVATc.h"
#include "ui_PipeEnergyForm.h"

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
      {"frmAbout", make<Ui::frmAbout, QWidget>},
      {"frmarea", make<Ui::frmarea, QWidget>},
      {"frmareaV2", make<Ui::frmareaV2, QWidget>},
      {"frmEnergyDissipation", make<Ui::frmEnergyDissipation, QMainWindow>},
      {"frmEPipeSize", make<Ui::frmEPipeSize, QWidget>},
      {"frmHGL", make<Ui::frmHGL, QWidget>},
      {"frmHydroSplash", make<Ui::frmHydroSplash, QWidget>},
      {"frmPA_C_E", make<Ui::frmPA_C_E, QWidget>},
      {"frmPA_C_M", make<Ui::frmPA_C_M, QWidget>},
      {"frmPA_CMP_LC_E", make<Ui::frmPA_CMP_LC_E, QWidget>},
      {"frmPA_CMP_LC_M", make<Ui::frmPA_CMP_LC_M, QWidget>},
      {"frmPA_CMP_MC_E", make<Ui::frmPA_CMP_MC_E, QWidget>},
      {"frmPA_CMP_MC_M", make<Ui::frmPA_CMP_MC_M, QWidget>},
      {"frmPA_CMP_SC_E", make<Ui::frmPA_CMP_SC_E, QWidget>},
      {"frmPA_CMP_SC_M", make<Ui::frmPA_CMP_SC_M, QWidget>},
      {"frmpipeflex", make<Ui::frmpipeflex, QMainWindow>},
      {"frmpipemain", make<Ui::frmpipemain, QMainWindow>},
      {"frmpipemodify", make<Ui::frmpipemodify, QWidget>},
      {"frmPipeSizeM", make<Ui::frmPipeSizeM, QWidget>},
      {"frmProject", make<Ui::frmProject, QMainWindow>},
      {"frmProjectNOAA", make<Ui::frmProjectNOAA, QMainWindow>},
      {"frmProjectUpdate", make<Ui::frmProjectUpdateWindow, QWidget>},
      {"frmskew", make<Ui::frmskew, QWidget>},
      {"frmsoftwaremain", make<Ui::frmsoftwaremain, QMainWindow>},
      {"frmVATc", make<Ui::frmVATc, QWidget>},
      {"PipeEnergyForm", make<Ui::PipeEnergyForm, QMainWindow>},
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
