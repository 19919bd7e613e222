// Pictures of every window of the program, rendered offscreen.
#include "app/screenshots.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>

#include <QCoreApplication>
#include <QMainWindow>
#include <QPixmap>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QWidget>

#include "app/control_binder.h"
#include "app/form_view.h"
#include "app/qt_host.h"
#include "model/model.h"

namespace gw::app {

namespace {

// The size that shows the whole of a window whose client area scrolls.
QSize unscrolled_size(QWidget* w) {
  auto* mw = qobject_cast<QMainWindow*>(w);
  auto* scroll = mw ? qobject_cast<QScrollArea*>(mw->centralWidget()) : nullptr;
  if (!scroll || !scroll->widget()) return w->size();
  const QSize content = scroll->widget()->sizeHint();
  const QSize viewport = scroll->viewport()->size();
  return w->size() + QSize(std::max(content.width() - viewport.width(), 0),
                           std::max(content.height() - viewport.height(), 0));
}

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
  const QSize shown_size = w->size();
  {
    QtHost::Applying busy(view.host());
    if (!was_visible) w->show();
    QCoreApplication::processEvents();
    // The picture shows the whole window, also where it scrolls on the screen.
    const QSize whole = unscrolled_size(w);
    if (whole != w->size()) w->resize(whole);
  }
  if (save(w, base + ".png")) files.push_back(base + ".png");

  int strip = 0;
  for (ui::Control* c : view.form().controls()) {
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
  {
    QtHost::Applying busy(view.host());
    w->resize(shown_size);
    if (!was_visible) w->hide();
  }
  return files;
}

int render_screenshots(const std::string& program_folder, const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    std::fprintf(stderr, "gullyworks: cannot make folder %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }
  QtHost host(program_folder);
  host.set_interactive(false);
  host.set_quit_when_no_window(false);
  auto prog = gw::make_program(host, program_folder);
  int failures = 0;
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
      for (const auto& f : files) std::printf("%s\n", f.c_str());
    } catch (const std::exception& e) {
      std::fprintf(stderr, "gullyworks: window %s: %s\n", name.c_str(), e.what());
      ++failures;
    }
  }
  host.close_views();
  prog.reset();
  return failures == 0 ? 0 : 1;
}

}  // namespace gw::app
