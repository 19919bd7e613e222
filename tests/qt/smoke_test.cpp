// Smoke test of the Qt front-end: windows, widgets per control, start-up, the binder both ways.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/control_binder.h"
#include "app/file_filter.h"
#include "app/form_view.h"
#include "app/qt_host.h"
#include "model/model.h"
#include "platform/text/error.h"
#include "shell/tarnelhydromain.h"

namespace {

using gw::app::FormView;
using gw::app::object_name;
using gw::ui::Control;
using gw::ui::Form;
using gw::ui::Kind;

// The Qt host with the user's answers and the clock scripted.
class ScriptedQtHost : public gw::app::QtHost {
 public:
  ScriptedQtHost() : QtHost(GW_PROGRAM_DIR) { set_quit_when_no_window(false); }

  gw::ui::Answer message(const gw::ui::Message& m) override {
    messages.push_back(m);
    return m.buttons == gw::ui::Buttons::YesNo ? gw::ui::Answer::No : gw::ui::Answer::OK;
  }
  bool file_dialog(gw::ui::FileDialog&, bool) override { return false; }
  void open_document(const std::string& target) override { opened.push_back(target); }
  // A clock that moves a quarter second at each reading.
  double clock() override {
    ++clock_reads;
    now += 0.25;
    return now;
  }

  std::vector<gw::ui::Message> messages;
  std::vector<std::string> opened;
  double now = 3600.0;
  int clock_reads = 0;
};

// Whether the widget (or action) found for a control is of a class that shows its kind.
bool fits(Kind k, QObject* o) {
  switch (k) {
    case Kind::TextBox: return qobject_cast<QLineEdit*>(o) || qobject_cast<QPlainTextEdit*>(o);
    case Kind::Label: return qobject_cast<QLabel*>(o);
    case Kind::Frame: return qobject_cast<QGroupBox*>(o) || qobject_cast<QFrame*>(o);
    case Kind::CommandButton: return qobject_cast<QPushButton*>(o);
    case Kind::CheckBox: return qobject_cast<QCheckBox*>(o);
    case Kind::OptionButton: return qobject_cast<QRadioButton*>(o);
    case Kind::ComboBox:
    case Kind::DataCombo: return qobject_cast<QComboBox*>(o);
    case Kind::ListBox: return qobject_cast<QListWidget*>(o);
    case Kind::Image:
    case Kind::PictureBox: return qobject_cast<QLabel*>(o);
    case Kind::MenuItem: return qobject_cast<QAction*>(o) || qobject_cast<QMenu*>(o);
    case Kind::Toolbar: return qobject_cast<QToolBar*>(o);
    case Kind::TabStrip: return qobject_cast<QTabWidget*>(o);
    case Kind::StatusBar: return qobject_cast<QStatusBar*>(o);
    case Kind::Grid: return qobject_cast<QTableWidget*>(o);
    case Kind::DataControl: return qobject_cast<QWidget*>(o);
  }
  return false;
}

struct ProgramTest : ::testing::Test {
  ScriptedQtHost host;
  std::unique_ptr<gw::shell::Program> prog = gw::make_program(host, GW_PROGRAM_DIR);

  void TearDown() override {
    host.close_views();
    prog.reset();
  }
};

TEST_F(ProgramTest, EveryWindowOpensWithAWidgetForEachControl) {
  // Windows whose load handlers show other windows do so without waiting here.
  host.set_interactive(false);
  const auto names = prog->forms.names();
  ASSERT_FALSE(names.empty());
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Form& form = prog->forms.get(name);
    try {
      form.load();
    } catch (const std::exception& e) {
      // A window whose load needs an open project still has its controls.
      std::printf("note: loading %s without a project: %s\n", name.c_str(), e.what());
    }
    ASSERT_TRUE(form.is_loaded());
    FormView& view = host.view(form);
    ASSERT_NE(view.widget(), nullptr);
    view.widget()->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.widget()->isVisible());
    EXPECT_TRUE(view.unbound_keys().empty());
    for (Control* c : form.controls()) {
      QObject* o = view.object_of(*c);
      ASSERT_NE(o, nullptr) << c->key();
      EXPECT_TRUE(fits(c->kind(), o)) << c->key() << " is a " << o->metaObject()->className();
      if (!qobject_cast<QMenu*>(o)) {
        EXPECT_EQ(o->objectName(), object_name(*c));
      }
    }
    view.widget()->hide();
  }
}

TEST_F(ProgramTest, MainWindowCarriesTheMenusAndStatusBarAsDesigned) {
  Form& main = prog->forms.get("frmsoftwaremain");
  FormView& view = host.view(main);
  QWidget* w = view.widget();
  const struct {
    const char* name;
    const char* text;
    const char* shortcut;
    bool enabled;
  } items[] = {
      {"mnucreateProj", "&Create New Project", "", true}, {"mnuopenProj", "&Open Project", "", true},
      {"mnuupdateProj", "&Update Project Details", "", false}, {"mnucloseProj", "Close Project", "", false},
      {"mnuexit", "E&xit", "Ctrl+X", true},                {"mnuPipe", "&Gullyware", "", true},
      {"mnusubHelp", "&Help", "F1", true},                 {"mnuabout", "About TarnelHydro", "", true},
  };
  for (const auto& it : items) {
    auto* a = w->findChild<QAction*>(it.name);
    ASSERT_NE(a, nullptr) << it.name;
    EXPECT_EQ(a->text(), it.text) << it.name;
    EXPECT_EQ(a->shortcut().toString(), it.shortcut) << it.name;
    EXPECT_EQ(a->isEnabled(), it.enabled) << it.name;
  }
  for (const char* sep : {"mnusep0", "mnusep1"}) {
    auto* a = w->findChild<QAction*>(sep);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isSeparator()) << sep;
  }
  // The File menu holds its items in the designed order.
  auto* file = w->findChild<QMenu*>("mnuFile");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->title(), "&File");
  QStringList order;
  for (QAction* a : file->actions()) order << a->objectName();
  EXPECT_EQ(order, QStringList({"mnucreateProj", "mnuopenProj", "mnusep0", "mnuupdateProj", "mnucloseProj",
                                "mnusep1", "mnuexit"}));
  EXPECT_EQ(w->windowTitle(), "Gullyworks");
  // Two status panels that follow the model.
  main.c("StatusBar").set_panel(2, "UNITS: METRIC");
  auto* panel2 = w->findChild<QLabel*>("StatusBar_panel2");
  ASSERT_NE(panel2, nullptr);
  EXPECT_NE(w->findChild<QLabel*>("StatusBar_panel1"), nullptr);
  EXPECT_EQ(panel2->text(), "UNITS: METRIC");
  auto* pic = w->findChild<QLabel*>("Picture1");
  ASSERT_NE(pic, nullptr);
  EXPECT_FALSE(pic->pixmap().isNull()) << "the main window's picture is in the program folder";
}

TEST_F(ProgramTest, StartUpShowsTheSplashForThreeSecondsThenTheMainWindow) {
  gw::shell::tarnelhydromain_Main(*prog);
  // 3.0 seconds at a quarter second a reading: the start and twelve more.
  EXPECT_EQ(host.clock_reads, 13);
  Form* splash = prog->forms.existing("frmHydroSplash");
  ASSERT_NE(splash, nullptr);
  EXPECT_FALSE(splash->is_loaded());
  EXPECT_EQ(host.find_view(*splash), nullptr);
  FormView* main = host.find_view(prog->forms.get("frmsoftwaremain"));
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->widget()->isVisible());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ProgramTest, AboutBoxShownModallyReturnsWhenItsOkButtonIsPressed) {
  bool pressed = false;
  QTimer::singleShot(0, [&] {
    Form* about = prog->forms.existing("frmAbout");
    ASSERT_NE(about, nullptr);
    FormView* v = host.find_view(*about);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->widget()->isVisible());
    EXPECT_TRUE(v->widget()->isModal());
    auto* ok = v->widget()->findChild<QPushButton*>("cmdOK");
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    pressed = true;
  });
  prog->forms.get("frmsoftwaremain").show();
  prog->forms.get("frmAbout").show_modal();
  EXPECT_TRUE(pressed);
  // cmdOK releases the instance: the next About box is a new one.
  EXPECT_EQ(prog->forms.existing("frmAbout"), nullptr);
}

// ---- the binder on a window of its own ----------------------------------------------

// A window with one control of each kind the binder maps.
class ProbeForm : public Form {
 public:
  ProbeForm(gw::ui::Forms& forms, std::string name) : Form(forms, std::move(name)) {}
  std::vector<std::string> log;
  bool refuse_unload = false;
  int combo_keys = 0;

 protected:
  void build() override {
    set_caption("Probe");
    Control& m = add(Kind::MenuItem, "mnuFile");
    m.set_caption("&File");
    Control& q = add(Kind::MenuItem, "mnuQuit");
    q.set_caption("&Quit");
    q.parent_menu = "mnuFile";
    q.on_click = [this] { log.push_back("quit"); };
    add(Kind::Label, "lblNum").set_caption("&Length");
    Control& num = add(Kind::TextBox, "txtNum");
    // Digits and one decimal point; Enter moves on.
    num.on_key_press = [this, &num](int& k) {
      if (k == 13) {
        tab_next();
        k = 0;
      } else if (k == '.') {
        if (num.text().find('.') != std::string::npos && num.sel_text().find('.') == std::string::npos) k = 0;
      } else if ((k < '0' || k > '9') && k >= 32) {
        k = 0;
      }
    };
    num.on_change = [this] { log.push_back("change"); };
    add(Kind::TextBox, "txtNext");
    // A typed combo whose handler types capitals instead.
    Control& free = add(Kind::ComboBox, "cboFree");
    free.set_items({"AB", "CD"});
    free.on_key_press = [this](int& k) {
      ++combo_keys;
      if (k >= 'a' && k <= 'z') k -= 32;
    };
    Control& units = add(Kind::ComboBox, "cboUnits");
    units.style = 2;
    units.set_items({"ENGLISH", "METRIC"});
    units.on_click = [this, &units] { log.push_back("units " + units.text()); };
    Control& chk = add(Kind::CheckBox, "chkFlag");
    chk.set_caption("Flag");
    chk.on_click = [this] { log.push_back("flag"); };
    Control& fail = add(Kind::CommandButton, "cmdFail");
    fail.set_caption("Fail");
    fail.on_click = [] { throw gw::Error("Division by zero"); };
    for (int i = 0; i < 2; ++i) add(Kind::TextBox, "txtArr", i);
    Control& grid = add(Kind::Grid, "grdPipes");
    grid.on_click = [this] { log.push_back("grid"); };
    Control& tabs = add(Kind::TabStrip, "tabMain");
    tabs.set_tabs({"Pipe", "Flow"});
    add(Kind::TextBox, "txtPage").tab_page = 1;
    add(Kind::Frame, "fraOpt").set_caption("Options");
    add(Kind::OptionButton, "optA").container = "fraOpt";
    add(Kind::OptionButton, "optB").container = "fraOpt";
    add(Kind::StatusBar, "sbMain").set_panel_count(2);
  }
  void Form_Unload(int& cancel) override { cancel = refuse_unload ? 1 : 0; }
};

struct BinderTest : ::testing::Test {
  ScriptedQtHost host;
  gw::ui::Forms forms{host};
  ProbeForm* form = nullptr;
  FormView* view = nullptr;

  void SetUp() override {
    forms.register_form("frmProbe", [](gw::ui::Forms& f) { return std::make_unique<ProbeForm>(f, "frmProbe"); });
    form = static_cast<ProbeForm*>(&forms.get("frmProbe"));
    form->show();
    view = host.find_view(*form);
    ASSERT_NE(view, nullptr);
    QApplication::setActiveWindow(view->widget());
    QCoreApplication::processEvents();
  }
  void TearDown() override { host.close_views(); }

  template <class W>
  W* widget(const char* name) {
    W* w = view->widget()->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
};

TEST_F(BinderTest, TypingRunsEachKeyThroughTheHandlerAndEnterMovesOn) {
  auto* num = widget<QLineEdit>("txtNum");
  num->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->active_control(), form->find("txtNum"));
  QTest::keyClicks(num, "1a.2.5x");
  EXPECT_EQ(num->text(), "1.25");
  EXPECT_EQ(form->c("txtNum").text(), "1.25");
  // With the point selected a typed point replaces it.
  num->setSelection(1, 1);
  QTest::keyClick(num, '.');
  EXPECT_EQ(form->c("txtNum").text(), "1.25");
  QTest::keyClick(num, Qt::Key_Return);
  EXPECT_EQ(num->text(), "1.25");
  EXPECT_EQ(form->active_control(), form->find("txtNext"));
  EXPECT_EQ(QApplication::focusWidget(), widget<QLineEdit>("txtNext"));

  // A handler that changes the key gets its own character typed, once per key.
  auto* free = widget<QComboBox>("cboFree");
  free->setFocus();
  QTest::keyClicks(QApplication::focusWidget(), "cd");
  EXPECT_EQ(form->combo_keys, 2);
  EXPECT_EQ(free->currentText(), "CD");
  EXPECT_EQ(form->c("cboFree").text(), "CD");
  EXPECT_EQ(form->c("cboFree").list_index(), 1);
}

TEST_F(BinderTest, ModelChangesReachTheirWidgets) {
  Control& num = form->c("txtNum");
  auto* le = widget<QLineEdit>("txtNum");
  num.set_text("12.5");
  EXPECT_EQ(le->text(), "12.5");
  num.set_locked(true);
  EXPECT_TRUE(le->isReadOnly());
  num.set_back_color(gw::ui::kLockedColor);
  EXPECT_EQ(le->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xFF));
  num.set_back_color(gw::ui::kWindowColor);
  EXPECT_FALSE(le->testAttribute(Qt::WA_SetPalette));
  num.set_enabled(false);
  EXPECT_FALSE(le->isEnabled());
  num.set_visible(false);
  EXPECT_TRUE(le->isHidden());

  EXPECT_EQ(widget<QLabel>("lblNum")->text(), "Length");
  EXPECT_NE(widget<QLineEdit>("txtArr_1"), nullptr);
  form->c("txtArr", 1).set_text("second");
  EXPECT_EQ(widget<QLineEdit>("txtArr_1")->text(), "second");

  form->c("cboUnits").set_list_index(1);
  EXPECT_EQ(widget<QComboBox>("cboUnits")->currentText(), "METRIC");
  form->c("chkFlag").set_value(1);
  EXPECT_EQ(widget<QCheckBox>("chkFlag")->checkState(), Qt::Checked);
  form->c("optB").set_value(1);
  form->c("optA").set_value(1);
  EXPECT_TRUE(widget<QRadioButton>("optA")->isChecked());
  EXPECT_FALSE(widget<QRadioButton>("optB")->isChecked());
  form->c("mnuQuit").set_enabled(false);
  EXPECT_FALSE(widget<QAction>("mnuQuit")->isEnabled());
  form->c("sbMain").set_panel(1, "Project Database - a.gwp");
  EXPECT_EQ(widget<QLabel>("sbMain_panel1")->text(), "Project Database - a.gwp");
  form->c("tabMain").set_tab(1);
  EXPECT_EQ(widget<QTabWidget>("tabMain")->currentIndex(), 1);

  // A grid filled cell by cell shows once the handler is done; the fixed row heads it.
  Control& grid = form->c("grdPipes");
  grid.set_cols(3);
  grid.set_rows(3);
  grid.set_cell(0, 0, "PIPE_NUMBER");
  grid.set_cell(1, 0, "P1");
  grid.set_cell(2, 2, "1.250");
  QCoreApplication::processEvents();
  auto* table = widget<QTableWidget>("grdPipes");
  ASSERT_EQ(table->rowCount(), 2);
  ASSERT_EQ(table->columnCount(), 3);
  EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "PIPE_NUMBER");
  EXPECT_EQ(table->item(0, 0)->text(), "P1");
  EXPECT_EQ(table->item(1, 2)->text(), "1.250");
}

TEST_F(BinderTest, UserActionsReachTheModel) {
  auto* units = widget<QComboBox>("cboUnits");
  units->setFocus();
  QTest::keyClick(units, Qt::Key_Down);
  EXPECT_EQ(form->c("cboUnits").list_index(), 0);
  EXPECT_EQ(form->c("cboUnits").text(), "ENGLISH");

  // Clicks land on the box itself, at the button's left end.
  auto on_box = [](QWidget* w) { return QPoint(6, w->height() / 2); };
  QTest::mouseClick(widget<QCheckBox>("chkFlag"), Qt::LeftButton, {}, on_box(widget<QCheckBox>("chkFlag")));
  EXPECT_EQ(form->c("chkFlag").value(), 1);

  auto* optB = widget<QRadioButton>("optB");
  QTest::mouseClick(optB, Qt::LeftButton, {}, on_box(optB));
  EXPECT_EQ(form->c("optB").value(), 1);
  QTest::mouseClick(optB, Qt::LeftButton, {}, on_box(optB));  // a set option stays set
  EXPECT_TRUE(widget<QRadioButton>("optB")->isChecked());

  widget<QAction>("mnuQuit")->trigger();

  Control& grid = form->c("grdPipes");
  grid.set_grid({{"PIPE", "DIA"}, {"P1", "15"}, {"P2", "18"}});
  QCoreApplication::processEvents();
  auto* table = widget<QTableWidget>("grdPipes");
  table->scrollToItem(table->item(1, 1));
  const QRect cell = table->visualItemRect(table->item(1, 1));
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(grid.row(), 2);
  EXPECT_EQ(grid.col(), 1);

  widget<QTabWidget>("tabMain")->setCurrentIndex(1);
  EXPECT_EQ(form->c("tabMain").tab(), 1);

  EXPECT_EQ(form->log, (std::vector<std::string>{"units ENGLISH", "flag", "quit", "grid"}));
}

TEST_F(BinderTest, AFailureInAHandlerIsShownAndTheWindowGoesOn) {
  QTest::mouseClick(widget<QPushButton>("cmdFail"), Qt::LeftButton);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Division by zero");
  EXPECT_EQ(host.messages[0].icon, gw::ui::Icon::Exclamation);
  EXPECT_TRUE(form->is_loaded());
  EXPECT_TRUE(view->widget()->isVisible());
}

TEST_F(BinderTest, TheCloseBoxUnloadsTheWindowUnlessItsUnloadCancels) {
  form->refuse_unload = true;
  view->widget()->close();
  EXPECT_TRUE(form->is_loaded());
  EXPECT_TRUE(view->widget()->isVisible());
  form->refuse_unload = false;
  view->widget()->close();
  EXPECT_FALSE(form->is_loaded());
  EXPECT_EQ(host.find_view(*form), nullptr);
}

// A Designer layout that lacks a control of its window still gives that control a widget.
class AboutWithMore : public Form {
 public:
  explicit AboutWithMore(gw::ui::Forms& f) : Form(f, "frmAbout") {}

 protected:
  void build() override {
    add(Kind::Label, "lblTitle").set_caption("Tarnel Hydro");
    add(Kind::CommandButton, "cmdOK").set_caption("OK");
    add(Kind::TextBox, "txtExtra").set_text("placed");
  }
};

TEST(DesignerLayout, ControlsMissingFromTheLayoutArePlacedAutomatically) {
  ScriptedQtHost host;
  gw::ui::Forms forms{host};
  forms.register_form("frmAbout", [](gw::ui::Forms& f) { return std::make_unique<AboutWithMore>(f); });
  Form& f = forms.get("frmAbout");
  FormView& v = host.view(f);
  EXPECT_TRUE(v.unbound_keys().empty());
  auto* extra = v.widget()->findChild<QLineEdit*>("txtExtra");
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(extra->text(), "placed");
  EXPECT_NE(v.widget()->findChild<QPushButton*>("cmdOK"), nullptr);
  host.close_views();
}

TEST(FileFilter, ModelFiltersBecomeQtNameFilters) {
  const struct {
    const char* model;
    QStringList qt;
  } cases[] = {
      {"Gullyware files (*.gwp)|*.gwp", {"Gullyware files (*.gwp)"}},
      {"Curbcast files (*.ckb;*.rvq)|*.ckb;*.rvq", {"Curbcast files (*.ckb *.rvq)"}},
      {"Excel (*.xls)|*.xls|All files (*.*)|*.*", {"Excel (*.xls)", "All files (*.*)"}},
      {"Workbook|*.xls", {"Workbook (*.xls)"}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(gw::app::qt_name_filters(c.model), c.qt) << c.model;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
