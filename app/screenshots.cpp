// Pictures of every window of the program, rendered offscreen.
#include "app/screenshots.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QWidget>

#include "app/control_binder.h"
#include "app/form_view.h"
#include "app/host_access.h"
#include "app/qt_host.h"
#include "model/model.h"
#include "platform/db/connection.h"
#include "shell/tarnelhydro_libraries.h"
#include "shell/window_names.h"

namespace gw::app {

namespace {

bool save(QWidget* w, const std::string& path) {
  QCoreApplication::processEvents();
  return w->grab().save(QString::fromStdString(path), "PNG");
}

}  // namespace

std::vector<std::string> save_window_pictures(FormView& view, const std::string& dir) {
  std::vector<std::string> files;
  QWidget* w = view.widget();
  if (!w) return files;
  const std::string base = dir + "/" + view.form().name();
  const bool was_visible = w->isVisible();
  {
    // The window as the engineer first sees it, at its size on the screen.
    QtHost::Applying busy(view.host());
    if (!was_visible) w->show();
    QCoreApplication::processEvents();
  }
  if (save(w, base + ".png")) files.push_back(base + ".png");

  int strip = 0;
  for (ui::Control* c : view.form().controls(host_key)) {
    if (c->kind() != ui::Kind::TabStrip) continue;
    auto* tabs = qobject_cast<QTabWidget*>(view.object_of(*c));
    if (!tabs) continue;
    const std::string stem = strip == 0 ? base : base + "_" + c->name();
    const int current = tabs->currentIndex();
    QtHost::Applying busy(view.host());
    QSignalBlocker quiet(tabs);
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      const std::string file = stem + "_tab" + std::to_string(i) + ".png";
      if (save(w, file)) files.push_back(file);
    }
    tabs->setCurrentIndex(current);
    ++strip;
  }
  // Each drop-down menu of the window's menu bar, opened under its title.
  for (QMenuBar* bar : w->findChildren<QMenuBar*>()) {
    for (QAction* title : bar->actions()) {
      QMenu* menu = title->menu();
      if (!menu || !title->isVisible()) continue;
      QtHost::Applying busy(view.host());
      menu->popup(bar->mapToGlobal(bar->actionGeometry(title).bottomLeft()));
      QCoreApplication::processEvents();
      const std::string file = base + "_menu_" + menu->objectName().toStdString() + ".png";
      if (save(menu, file)) files.push_back(file);
      menu->hide();
    }
  }
  {
    QtHost::Applying busy(view.host());
    if (!was_visible) w->hide();
  }
  return files;
}

namespace {

// The pictures' host: no real dialogs; the Open dialog picks the sample project.
class PictureHost : public QtHost {
 public:
  PictureHost(const std::string& program_folder, std::string sample)
      : QtHost(program_folder), sample_(std::move(sample)) {}
  // Notes for the engineer (the project's name on opening it) need no answer here.
  ui::Answer message(const ui::Message& m) override {
    if (m.icon == ui::Icon::Information && m.buttons == ui::Buttons::OK) return ui::Answer::OK;
    return QtHost::message(m);
  }
  bool file_dialog(ui::FileDialog& d, bool save) override {
    if (save || sample_.empty() || d.filter.find(".gwp") == std::string::npos) return false;
    d.file_name = sample_;
    return true;
  }

 private:
  std::string sample_;
};

// Opens the sample project as the engineer would, and a pipe of it in the pipe design
// window, so that the pictures show windows with data in them.
void open_sample(shell::Program& prog, QtHost& host) {
  host.user_action(
      [&] { prog.forms.get(window::frmsoftwaremain).host_control(host_key, "mnuopenProj").click(); });
  host.user_action([&] {
    ui::Form& table = prog.forms.get(window::frmpipeflex);
    table.load();
    table.host_control(host_key, "cmdflexviewpipe").click();
  });
}

// A new project as Create New Project makes it, with the details a new record takes, for
// the pictures of a run without a sample: every window then opens as it does in a project
// that has no pipes yet, instead of failing for want of one.
std::string make_new_project(const std::string& program_folder, const std::string& file) {
  std::filesystem::copy_file(program_folder + "/" + shell::kTemplateDb, file,
                             std::filesystem::copy_options::overwrite_existing);
  db::Connection c;
  c.open(file);
  c.execute(
      "INSERT INTO PROJECT (PROJECT_ID, PROJECT_NAME, STATE, COUNTY, UNITS, NOAA_STATION, MAJOR_RELEASE, "
      "MINOR_RELEASE) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
      {"NEW", "New Project", "VA", "Accomack", "ENGLISH", "Abingdon 3 S", "2.1", "0.0"});
  c.close();
  return file;
}

}  // namespace

int render_screenshots(const std::string& program_folder, const std::string& dir, const std::string& sample) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "gullyworks: cannot make folder %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }
  // The sample project is copied, so that the pictures leave the original as it was, under
  // its own name (the main window's status bar shows it) in a folder of its own.
  const std::string copy_dir = dir + "/project";
  const std::string copy =
      copy_dir + "/" +
      (sample.empty() ? std::string("New Project.gwp") : std::filesystem::path(sample).filename().string());
  std::filesystem::create_directories(copy_dir, ec);
  if (!sample.empty() && std::filesystem::equivalent(sample, copy, ec)) {
    std::fprintf(stderr, "gullyworks: the sample project %s lies where its copy would go\n", sample.c_str());
    return 1;
  }
  if (!sample.empty()) {
    std::filesystem::copy_file(sample, copy, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
      std::fprintf(stderr, "gullyworks: cannot copy the sample project %s: %s\n", sample.c_str(),
                   ec.message().c_str());
      return 1;
    }
  } else {
    try {
      make_new_project(program_folder, copy);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "gullyworks: cannot make a new project from the template: %s\n", e.what());
      return 1;
    }
  }
  PictureHost host(program_folder, copy);
  host.set_interactive(false);
  host.set_quit_when_no_window(false);
  auto prog = gw::make_program(host, program_folder);
  open_sample(*prog, host);
  int failures = 0, pictures = 0;
  for (const std::string& name : prog->forms.names()) {
    try {
      ui::Form& form = prog->forms.get(name);
      // A load handler that fails (no project open, say) still leaves its controls.
      try {
        form.load();
      } catch (const std::exception& e) {
        std::fprintf(stderr, "gullyworks: window %s: loading: %s\n", name.c_str(), e.what());
      }
      FormView& view = host.view(form);
      const auto files = save_window_pictures(view, dir);
      if (files.empty()) {
        std::fprintf(stderr, "gullyworks: window %s: no picture saved\n", name.c_str());
        ++failures;
      }
      pictures += static_cast<int>(files.size());
    } catch (const std::exception& e) {
      std::fprintf(stderr, "gullyworks: window %s: %s\n", name.c_str(), e.what());
      ++failures;
    }
  }
  host.close_views();
  prog.reset();
  std::filesystem::remove(copy, ec);
  std::filesystem::remove(copy_dir, ec);  // only when empty
  std::printf("%d pictures in %s\n", pictures, dir.c_str());
  return failures == 0 ? 0 : 1;
}

}  // namespace gw::app
