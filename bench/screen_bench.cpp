// The pipe table and pipe design windows on the screen (Qt, offscreen platform) on tree networks of
// 1,000 to 100,000 pipes, each step timed to its first painted frame: the table opened from the
// Design menu, View on a pipe, closing the design window until the rebuilt table is painted, and
// a renumber from Accept until the rebuilt table is painted; beside them a plain Qt table view
// over the same rows. Memory is the whole process's: its peak while the step ran and what it
// holds with the table shown. Compute HGL with form LD347 runs from the grade line window over
// the shown table, for the whole process's peak memory while it computes and writes.
#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/form_view.h"
#include "app/qt_host.h"
#include "bench/bench_project.h"
#include "bench/host_access.h"
#include "design/frmpipeflex.h"
#include "model/model.h"
#include "platform/db/connection.h"
#include "platform/db/text_table.h"
#include "shell/frmsoftwaremain.h"
#include "shell/window_names.h"

using gw::bench::host_key;

namespace {

namespace fs = std::filesystem;
using gw::bench::Project;

// Resident memory of the process now, in megabytes (Linux).
double resident_mb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

// The Qt host with real windows and modal loops, and an engineer who answers every question Yes
// and every message OK at once. A message that is not expected spoils the measurement.
class BenchHost : public gw::app::QtHost {
 public:
  BenchHost() : QtHost(GW_PROGRAM_DIR) { set_quit_when_no_window(false); }
  std::vector<std::string> expected;
  std::string last_message;
  std::string report_file;  // what the save dialog names; cancelled when empty
  gw::ui::Answer message(const gw::ui::Message& m) override {
    if (m.buttons == gw::ui::Buttons::YesNo) return gw::ui::Answer::Yes;
    if (std::find(expected.begin(), expected.end(), m.text) == expected.end()) last_message = m.text;
    return gw::ui::Answer::OK;
  }
  bool file_dialog(gw::ui::FileDialog& d, bool) override {
    if (report_file.empty()) return false;
    d.file_name = report_file;
    return true;
  }
  bool open_document(const std::string&) override { return true; }
};

// Waits for the first paint of a widget of a window (its object name; `part`, when given, the
// object name of the widget itself or of its parent, so that a table's viewport counts), then
// runs `then` once that paint is over.
class PaintWatch : public QObject {
 public:
  void await(QString window, QString part, std::function<void()> then) {
    window_ = std::move(window);
    part_ = std::move(part);
    then_ = std::move(then);
    armed_ = true;
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!armed_ || e->type() != QEvent::Paint || !o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    if (w->window()->objectName() != window_) return false;
    if (!part_.isEmpty() && w->objectName() != part_ &&
        !(w->parentWidget() && w->parentWidget()->objectName() == part_))
      return false;
    armed_ = false;
    QTimer::singleShot(0, this, [f = std::move(then_)] { f(); });
    return false;
  }

 private:
  bool armed_ = false;
  QString window_;
  QString part_;
  std::function<void()> then_;
};

// The program with a project of `pipes` pipes open, as the Design menu finds it.
struct Screen {
  BenchHost host;
  std::unique_ptr<gw::shell::Program> prog;
  gw::design::frmpipeflex* table = nullptr;
  PaintWatch watch;
  QElapsedTimer clock;

  explicit Screen(Project& project) {
    prog = gw::make_program(host, GW_PROGRAM_DIR);
    gw::bench::open_as_project(prog->vars, project);
    prog->vars.project.product_name = "GULLYWORKS";
    table = &prog->form<gw::design::frmpipeflex>();
    qApp->installEventFilter(&watch);
  }
  ~Screen() {
    qApp->removeEventFilter(&watch);
    host.close_views();
    prog.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The Design menu of the main window: shows the table until the engineer leaves it.
  void design() { prog->form<gw::shell::frmsoftwaremain>().mnuPipe_Click(); }
  double ms() const { return static_cast<double>(clock.nsecsElapsed()) / 1e6; }
  void select_row(int row) {
    gw::ui::Control& grid = table->host_control(host_key, "pipeflex");
    grid.set_row(row);
    table->pipeflex_Click();
  }
  bool failed(benchmark::State& state) {
    if (host.last_message.empty()) return false;
    state.SkipWithError(host.last_message.c_str());
    return true;
  }
};

void counters(benchmark::State& state, int pipes, double peak, double shown) {
  state.counters["pipes"] = pipes;
  state.counters["peak_MB"] = peak;
  state.counters["shown_MB"] = shown;
}

// Design menu until the table's cells are painted; Exit.
void BM_ScreenOpenPipeTable(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Screen s(gw::bench::shared_project("screen", pipes));
  double peak = 0;
  double shown = 0;
  for (auto _ : state) {
    if (s.table->is_loaded()) {
      state.SkipWithError("the table was not closed");
      break;
    }
    gw::bench::reset_peak_memory();
    double elapsed = 0;
    std::string count;
    s.watch.await(gw::window::frmpipeflex, "pipeflex", [&] {
      elapsed = s.ms();
      shown = resident_mb();
      count = s.table->host_control(host_key, "rec_count").text();
      s.table->cmdflexexit_Click();
    });
    s.clock.start();
    s.design();
    state.SetIterationTime(elapsed / 1000);
    peak = std::max(peak, gw::bench::peak_memory_mb());
    if (s.failed(state)) break;
    // Read while the window was shown: touching a control of the closed window would load it.
    if (count != std::to_string(pipes)) {
      state.SkipWithError("the table does not count every pipe");
      break;
    }
  }
  counters(state, pipes, peak, shown);
}

// View on a pipe in the middle of the table, timed until the design window is painted
// (`view`), then its Exit, timed until the rebuilt table is painted (`close`). Both run in
// every iteration; the benchmark reports the one it names, the other as a counter.
void view_and_close(benchmark::State& state, bool report_view) {
  const int pipes = static_cast<int>(state.range(0));
  Screen s(gw::bench::shared_project("screen", pipes));
  const int row = pipes / 2;
  double peak = 0;
  double shown = 0;
  double view_ms = 0;
  double close_ms = 0;
  std::vector<double> others;
  bool lost_row = false;
  std::function<void()> table_painted;
  std::function<void()> design_painted = [&] {
    view_ms = s.ms();
    s.watch.await(gw::window::frmpipeflex, "pipeflex", table_painted);
    s.clock.start();
    s.prog->forms.get(gw::window::frmpipemain).host_control(host_key, "mnuExitPipe").click();
  };
  bool first = true;
  table_painted = [&] {
    if (!first) {
      close_ms = s.ms();
      shown = resident_mb();
      peak = std::max(peak, gw::bench::peak_memory_mb());
      state.SetIterationTime((report_view ? view_ms : close_ms) / 1000);
      others.push_back(report_view ? close_ms : view_ms);
      if (s.table->host_control(host_key, "pipeflex").row() != row) lost_row = true;
    }
    first = false;
    if (lost_row || !s.host.last_message.empty() || !state.KeepRunning()) {
      s.table->cmdflexexit_Click();
      return;
    }
    s.select_row(row);
    gw::bench::reset_peak_memory();
    s.watch.await(gw::window::frmpipemain, "", design_painted);
    s.clock.start();
    s.table->cmdflexviewpipe_Click();
  };
  s.watch.await(gw::window::frmpipeflex, "pipeflex", table_painted);
  s.design();
  if (s.failed(state)) return;
  if (lost_row) {
    state.SkipWithError("the rebuilt table lost the viewed row");
    return;
  }
  std::sort(others.begin(), others.end());
  if (!others.empty()) state.counters[report_view ? "close_ms" : "view_ms"] = others[others.size() / 2];
  counters(state, pipes, peak, shown);
}

void BM_ScreenViewPipe(benchmark::State& state) { view_and_close(state, true); }
void BM_ScreenClosePipe(benchmark::State& state) { view_and_close(state, false); }

// Modify on a pipe that its downstream pipe names upstream: the new number is typed into the
// dialog and accepted, timed until the rebuilt table is painted. The number goes back and
// forth between iterations.
void BM_ScreenRenumber(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Screen s(gw::bench::shared_project("screen", pipes));
  s.host.expected = {"Update completed! Please Refresh the screen to verify your changes"};
  const int row = pipes / 2;
  double peak = 0;
  double shown = 0;
  std::string next;
  bool first = true;
  std::function<void()> table_painted;
  std::function<void()> dialog_painted = [&] {
    s.watch.await(gw::window::frmpipeflex, "pipeflex", table_painted);
    gw::ui::Form& dialog = s.prog->forms.get(gw::window::frmpipemodify);
    gw::bench::reset_peak_memory();
    s.clock.start();
    dialog.host_control(host_key, "newpipenumber").set_text(next);
    dialog.host_control(host_key, "cmdmodaccept").click();
  };
  table_painted = [&] {
    if (!first) {
      state.SetIterationTime(s.ms() / 1000);
      shown = resident_mb();
      peak = std::max(peak, gw::bench::peak_memory_mb());
    }
    first = false;
    if (!s.host.last_message.empty() || !state.KeepRunning()) {
      s.table->cmdflexexit_Click();
      return;
    }
    s.select_row(row);
    const std::string number(s.table->host_control(host_key, "pipeflex").cell(row, 0));
    next = number[0] == 'R' ? number.substr(1) : "R" + number;
    s.watch.await(gw::window::frmpipemodify, "", dialog_painted);
    s.table->cmdflexmodpipe_Click();
  };
  s.watch.await(gw::window::frmpipeflex, "pipeflex", table_painted);
  s.design();
  if (s.failed(state)) return;
  counters(state, pipes, peak, shown);
}

// HGL Analysis over the shown table: the grade line window painted, the outfall N0 and a
// tailwater typed, then Compute HGL, timed from the button to the saved workbook.
void BM_ScreenComputeHGL(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project& project = gw::bench::shared_project("screen", pipes);
  Screen s(project);
  s.host.report_file = (project.folder / "hgl.xlsx").string();
  s.host.expected = {"Finished! Please check and Save your results"};
  double peak = 0;
  double shown = 0;
  std::function<void()> table_painted;
  std::function<void()> hgl_painted = [&] {
    gw::ui::Form& hgl = s.prog->forms.get(gw::window::frmHGL);
    hgl.host_control(host_key, "hglanodeout").set_text("N0");
    hgl.host_control(host_key, "TWE").set_text("100.00");
    gw::bench::reset_peak_memory();
    s.clock.start();
    hgl.host_control(host_key, "cmdHGL").click();
    state.SetIterationTime(s.ms() / 1000);
    peak = std::max(peak, gw::bench::peak_memory_mb());
    shown = resident_mb();
    s.watch.await(gw::window::frmpipeflex, "pipeflex", table_painted);
    hgl.unload();
  };
  table_painted = [&] {
    if (!s.host.last_message.empty() || !state.KeepRunning()) {
      s.table->cmdflexexit_Click();
      return;
    }
    s.watch.await(gw::window::frmHGL, "", hgl_painted);
    s.table->mnuflexHGL_Click();
  };
  s.watch.await(gw::window::frmpipeflex, "pipeflex", table_painted);
  s.design();
  if (s.failed(state)) return;
  counters(state, pipes, peak, shown);
}

// The reference: the grid's rows read with the same query into a plain table model, shown in a
// plain Qt table view of the same size, timed to its first painted frame.
class PlainModel : public QAbstractTableModel {
 public:
  explicit PlainModel(gw::db::TextTable t) : t_(std::move(t)) {}
  int rowCount(const QModelIndex& = {}) const override { return static_cast<int>(t_.rows.size()); }
  int columnCount(const QModelIndex& = {}) const override { return static_cast<int>(t_.names.size()); }
  QVariant data(const QModelIndex& i, int role) const override {
    if (role != Qt::DisplayRole) return {};
    return QString::fromStdString(t_.rows[static_cast<size_t>(i.row())][static_cast<size_t>(i.column())]);
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (role != Qt::DisplayRole || o != Qt::Horizontal) return {};
    return QString::fromStdString(t_.names[static_cast<size_t>(section)]);
  }

 private:
  gw::db::TextTable t_;
};

void BM_ScreenPlainTableView(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  Project& project = gw::bench::shared_project("screen", pipes);
  PaintWatch watch;
  qApp->installEventFilter(&watch);
  double peak = 0;
  double shown = 0;
  for (auto _ : state) {
    gw::bench::reset_peak_memory();
    QElapsedTimer clock;
    double elapsed = 0;
    QEventLoop loop;
    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<PlainModel> model;
    watch.await("plain", "plain_table", [&] {
      elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
      shown = resident_mb();
      loop.quit();
    });
    clock.start();
    gw::db::Connection conn;
    conn.open(project.file.string());
    model = std::make_unique<PlainModel>(
        gw::db::read_text_table(conn, gw::design::frmpipeflex::grid_query(false)));
    window = std::make_unique<QMainWindow>();
    window->setObjectName("plain");
    auto* view = new QTableView;
    view->setObjectName("plain_table");
    view->setModel(model.get());
    window->setCentralWidget(view);
    window->resize(800, 500);
    window->show();
    loop.exec();
    state.SetIterationTime(elapsed / 1000);
    peak = std::max(peak, gw::bench::peak_memory_mb());
    window.reset();
    model.reset();
  }
  qApp->removeEventFilter(&watch);
  counters(state, pipes, peak, shown);
}

#define SCREEN_BENCHMARK(fn)          \
  BENCHMARK(fn)                       \
      ->Arg(1000)                     \
      ->Arg(10000)                    \
      ->Arg(100000)                   \
      ->UseManualTime()               \
      ->Unit(benchmark::kMillisecond) \
      ->Repetitions(5)                \
      ->ReportAggregatesOnly(true)

SCREEN_BENCHMARK(BM_ScreenPlainTableView);
SCREEN_BENCHMARK(BM_ScreenOpenPipeTable);
SCREEN_BENCHMARK(BM_ScreenViewPipe);
SCREEN_BENCHMARK(BM_ScreenClosePipe);
SCREEN_BENCHMARK(BM_ScreenRenumber);
SCREEN_BENCHMARK(BM_ScreenComputeHGL);

}  // namespace

// The offscreen platform says at every window that it cannot raise it or pass size hints on.
void quiet_platform(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith("This plugin does not support")) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(quiet_platform);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
