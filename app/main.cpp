// The program's entry: the Qt application, the program model and its start-up procedure.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include <QApplication>
#include <QIcon>

#include "app/qt_host.h"
#include "app/screenshots.h"
#include "model/model.h"
#include "shell/tarnelhydromain.h"

namespace {

bool set(const char* var) {
  const char* v = std::getenv(var);
  return v && *v;
}

// A display to show the windows on: X11, Wayland, or a Qt platform chosen explicitly.
bool display_available() { return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM"); }

int usage() {
  std::fprintf(stderr, "usage: gullyworks [--screenshots DIR [--sample PROJECT]]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string shots, sample;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshots") == 0 && i + 1 < argc)
      shots = argv[++i];
    else if (std::strcmp(argv[i], "--sample") == 0 && i + 1 < argc)
      sample = argv[++i];
    else
      return usage();
  }
  if (!sample.empty() && shots.empty()) return usage();
  if (!shots.empty()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The pictures are made quietly: the offscreen platform's notes are no news.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
    });
  } else if (!display_available()) {
    std::fprintf(
        stderr,
        "gullyworks: no display found; run it under a desktop, or headless with: xvfb-run make run\n");
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);  // the host ends the program with its last window
  QApplication::setOrganizationName("Gullyworks");
  QApplication::setApplicationName("Gullyworks");
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();
  QApplication::setWindowIcon(QIcon(QString::fromStdString(folder + "/logo.png")));

  if (!shots.empty()) return gw::app::render_screenshots(folder, shots, sample);

  gw::app::QtHost host(folder);
  int status = 0;
  {
    auto prog = gw::make_program(host, folder);
    host.user_action([&] { gw::shell::tarnelhydromain_Main(*prog); });
    if (!host.ending() && host.any_window_visible()) status = QApplication::exec();
    host.close_views();
  }
  return status;
}
