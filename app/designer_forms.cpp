// The windows laid out in Qt Designer forms, compiled by uic.
#include "app/designer_forms.h"

#include <functional>
#include <map>

#include <QMainWindow>
#include <QWidget>

#include "ui_frmAbout.h"
#include "ui_frmHydroSplash.h"
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
      {"frmsoftwaremain", make<Ui::frmsoftwaremain, QMainWindow>},
      {"frmHydroSplash", make<Ui::frmHydroSplash, QWidget>},
      {"frmAbout", make<Ui::frmAbout, QWidget>},
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
