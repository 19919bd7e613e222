// Smoke test of the Qt front-end: windows, widgets per control, start-up, the binder both ways, a pipe
// entered.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/control_binder.h"
#include "app/designer_forms.h"
#include "app/file_filter.h"
#include "app/form_view.h"
#include "app/grid_model.h"
#include "app/qt_host.h"
#include "model/model.h"
#include "outlet/bed_material.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/error/error.h"
#include "reports/report_workbook.h"
#include "shell/tarnelhydromain.h"
#include "shell/window_names.h"
#include "tests/support/host_access.h"

using gw::testing::host_key;

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
  bool open_document(const std::string& target) override {
    opened.push_back(target);
    return true;
  }
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
    case Kind::TextBox:
      return qobject_cast<QLineEdit*>(o) || qobject_cast<QPlainTextEdit*>(o);
    case Kind::Label:
      return qobject_cast<QLabel*>(o);
    case Kind::Frame:
      return qobject_cast<QGroupBox*>(o) || qobject_cast<QFrame*>(o);
    case Kind::CommandButton:
      return qobject_cast<QPushButton*>(o);
    case Kind::CheckBox:
      return qobject_cast<QCheckBox*>(o);
    case Kind::OptionButton:
      return qobject_cast<QRadioButton*>(o);
    case Kind::ComboBox:
    case Kind::DataCombo:
      return qobject_cast<QComboBox*>(o);
    case Kind::ListBox:
      return qobject_cast<QListWidget*>(o);
    case Kind::Image:
    case Kind::PictureBox:
      return qobject_cast<QLabel*>(o);
    case Kind::MenuItem:
      return qobject_cast<QAction*>(o) || qobject_cast<QMenu*>(o);
    case Kind::Toolbar:
      return qobject_cast<QToolBar*>(o);
    case Kind::TabStrip:
      return qobject_cast<QTabWidget*>(o);
    case Kind::StatusBar:
      return qobject_cast<QStatusBar*>(o);
    case Kind::Grid:
      return qobject_cast<QTableView*>(o);
    case Kind::DataControl:
      return qobject_cast<QWidget*>(o);
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

  // The window loaded and shown without a project open: a load that needs one fails, and
  // the window still has its controls.
  FormView& shown_without_project(const std::string& name) {
    host.set_interactive(false);
    Form& form = prog->forms.get(name);
    try {
      form.load();
    } catch (const std::exception&) {}
    FormView& view = host.view(form);
    view.widget()->show();
    QCoreApplication::processEvents();
    return view;
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
    for (Control* c : form.controls(host_key)) {
      QObject* o = view.object_of(*c);
      ASSERT_NE(o, nullptr) << c->key();
      EXPECT_TRUE(fits(c->kind(), o)) << c->key() << " is a " << o->metaObject()->className();
      if (!qobject_cast<QMenu*>(o)) {
        EXPECT_EQ(o->objectName(), object_name(*c));
      }
      if (c->separator) {
        auto* a = qobject_cast<QAction*>(o);
        ASSERT_NE(a, nullptr) << c->key();
        // A separator with a text would be drawn as a captioned section, not a plain line.
        EXPECT_TRUE(a->isSeparator() && a->text().isEmpty()) << c->key() << " is not a plain separator line";
      }
    }
    view.widget()->hide();
  }
}

// What the scenario runner refuses a user the toolkit refuses too: every control lies, in its
// window's widgets, inside the widgets of the frames that hold it and inside the page of its
// tab strip, so that a disabled frame disables it and another page hides it. The drainage-area
// calculators head their columns with frames that they never disable or hide, and lay the rows
// out below them: they are left out.
TEST_F(ProgramTest, EveryControlLiesInsideItsFramesAndItsPage) {
  host.set_interactive(false);
  for (const std::string& name : prog->forms.names()) {
    if (name == gw::window::frmarea || name == gw::window::frmareaV2) continue;
    SCOPED_TRACE(name);
    Form& form = prog->forms.get(name);
    try {
      form.load();
    } catch (const std::exception&) {
      // A window whose load needs an open project still has its controls.
    }
    FormView& view = host.view(form);
    const Control* first_strip = nullptr;
    for (const Control* c : form.controls(host_key))
      if (!first_strip && c->kind() == Kind::TabStrip) first_strip = c;
    for (const Control* c : form.controls(host_key)) {
      auto* w = qobject_cast<QWidget*>(view.object_of(*c));
      if (!w) continue;  // menu items are actions
      int guard = 0;
      for (const Control* f = form.find(host_key, c->container); f && f != c && guard < 32;
           f = form.find(host_key, f->container), ++guard) {
        if (f->kind() != Kind::Frame) continue;
        auto* fw = qobject_cast<QWidget*>(view.object_of(*f));
        EXPECT_TRUE(fw && fw->isAncestorOf(w)) << c->key() << " lies outside its frame " << f->key();
      }
      if (c->tab_page < 0) continue;
      const Control* strip = form.find(host_key, c->container);
      if (!strip || strip->kind() != Kind::TabStrip) strip = first_strip;
      auto* tabs = strip ? qobject_cast<QTabWidget*>(view.object_of(*strip)) : nullptr;
      ASSERT_NE(tabs, nullptr) << c->key() << " names a page but the window has no tab strip";
      QWidget* page = tabs->widget(c->tab_page);
      EXPECT_TRUE(page && page->isAncestorOf(w)) << c->key() << " lies outside page " << c->tab_page;
    }
  }
}

// A click on a button whose frame is disabled reaches nothing, whatever the button's own flag;
// once the frame is enabled again the same click reaches its handler.
TEST_F(ProgramTest, AClickInADisabledFrameIsRefused) {
  FormView& view = shown_without_project(gw::window::frmpipemain);
  Form& form = view.form();
  form.host_control(host_key, "pipetab").set_tab(1);
  Control& area = form.host_control(host_key, "cmdstr_area");
  int clicks = 0;
  area.on_click = [&clicks] { ++clicks; };
  area.set_enabled(true);
  form.host_control(host_key, "Frame_flow").set_enabled(false);
  QCoreApplication::processEvents();
  auto* button = view.widget()->findChild<QPushButton*>("cmdstr_area");
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isVisible());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(button->hasFocus());
  form.host_control(host_key, "Frame_flow").set_enabled(true);
  QCoreApplication::processEvents();
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

// ---- every window laid out for the engineer ------------------------------------------

// A widget the engineer types into or picks from.
bool is_input(QWidget* w) {
  if (qobject_cast<QLineEdit*>(w)) return !qobject_cast<QComboBox*>(w->parentWidget());
  if (auto* chk = qobject_cast<QCheckBox*>(w)) return chk->text().isEmpty();  // a captioned box names itself
  return qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

// Whether a caption (a label, or the text of a check box or option button, never a
// control's name) lies left of the input in its row, or titles the frame that holds the
// input alone.
bool has_caption_in_row(QWidget* top, QWidget* input, const QSet<QString>& names) {
  const QRect in(input->mapTo(top, QPoint(0, 0)), input->size());
  // The nearest text left of the input in its row is a caption (or the unit of the field
  // before it in a table row), not a control's name.
  QString nearest;
  int nearest_right = -1;
  auto consider = [&](QWidget* c, const QString& text) {
    if (c == input || !c->isVisibleTo(top) || text.trimmed().isEmpty()) return;
    const QRect r(c->mapTo(top, QPoint(0, 0)), c->size());
    if (r.right() <= in.left() + 2 && r.top() <= in.center().y() && r.bottom() >= in.center().y() &&
        r.right() > nearest_right) {
      nearest_right = r.right();
      nearest = text.trimmed();
    }
  };
  for (QLabel* l : top->findChildren<QLabel*>()) consider(l, l->text());
  for (QAbstractButton* b : top->findChildren<QAbstractButton*>())
    if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)) consider(b, b->text());
  if (nearest_right >= 0) return !names.contains(nearest);
  if (auto* g = qobject_cast<QGroupBox*>(input->parentWidget()); g && !g->title().trimmed().isEmpty()) {
    int inputs = 0;
    for (QWidget* w : g->findChildren<QWidget*>())
      if (is_input(w)) ++inputs;
    if (inputs == 1) return true;
  }
  return false;
}

// Every text the window shows: captions, titles, tab texts, field contents.
QStringList visible_texts(QWidget* top) {
  QStringList texts{top->windowTitle()};
  for (QWidget* w : top->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(top)) continue;
    if (auto* l = qobject_cast<QLabel*>(w))
      texts << l->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
      texts << b->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w))
      texts << g->title();
    else if (auto* le = qobject_cast<QLineEdit*>(w))
      texts << le->text();
    if (auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); ++i) texts << t->tabText(i);
  }
  return texts;
}

// Each window is opened as the engineer meets it and checked for what makes a window
// usable: a layout of its own, no control name shown, every input captioned in its row,
// the window and all its buttons on a 1366 x 768 screen, display-only fields read-only.
TEST_F(ProgramTest, EveryWindowIsLaidOutForTheEngineer) {
  host.set_interactive(false);
  const auto designed = gw::app::designer_windows();
  for (const std::string& name : prog->forms.names()) {
    SCOPED_TRACE(name);
    EXPECT_NE(std::find(designed.begin(), designed.end(), name), designed.end()) << "no layout of its own";
    Form& form = prog->forms.get(name);
    try {
      form.load();
    } catch (const std::exception&) {
      // A window whose load needs an open project still has its controls.
    }
    FormView& view = host.view(form);
    QWidget* top = view.widget();
    EXPECT_EQ(top->findChild<QWidget*>(QString::fromStdString(name + "_more")), nullptr)
        << "controls missing from the layout were placed by the generic view";
    top->show();
    QCoreApplication::processEvents();

    QSet<QString> names;
    for (Control* c : form.controls(host_key)) names << QString::fromStdString(c->key()) << object_name(*c);
    for (QWidget* w : top->findChildren<QWidget*>()) names << w->objectName();
    names.remove(QString());

    const QSize frame = top->frameGeometry().size();
    EXPECT_LE(frame.width(), 1366);
    EXPECT_LE(frame.height(), 768 - 40) << "room for the title bar and the task bar";

    // What the window shows, on each page of its tabs in turn.
    auto check_shown = [&](const std::string& where) {
      SCOPED_TRACE(where);
      for (const QString& t : visible_texts(top))
        EXPECT_FALSE(names.contains(t.trimmed())) << "shows " << t.toStdString();
      for (QWidget* w : top->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(top)) continue;
        if (is_input(w)) {
          EXPECT_TRUE(has_caption_in_row(top, w, names))
              << w->objectName().toStdString() << " has no caption";
        }
        if (qobject_cast<QPushButton*>(w)) {
          EXPECT_EQ(w->visibleRegion().boundingRect(), w->rect())
              << w->objectName().toStdString() << " is cut off";
        }
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
          EXPECT_TRUE(memo->tabChangesFocus()) << w->objectName().toStdString() << " keeps the Tab key";
        }
      }
    };
    check_shown("first page");
    for (QTabWidget* tabs : top->findChildren<QTabWidget*>()) {
      const int current = tabs->currentIndex();
      for (int i = 0; i < tabs->count(); ++i) {
        if (i == current) continue;
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        check_shown("tab " + tabs->tabText(i).toStdString());
      }
      tabs->setCurrentIndex(current);
    }
    for (Control* c : form.controls(host_key)) {
      if (c->kind() != Kind::TextBox || (c->enabled() && !c->locked())) continue;
      QObject* o = view.object_of(*c);
      auto* le = qobject_cast<QLineEdit*>(o);
      auto* pe = qobject_cast<QPlainTextEdit*>(o);
      EXPECT_TRUE((le && le->isReadOnly()) || (pe && pe->isReadOnly())) << c->key() << " is display-only";
    }
    top->hide();
  }
}

// The layout is where a window's captions are written, and the window model carries the same
// captions (the scenarios check them): a caption changed on one side only is found here.
TEST_F(ProgramTest, EveryLayoutShowsTheCaptionsItsWindowHas) {
  host.set_interactive(false);
  for (const std::string& name : gw::app::designer_windows()) {
    SCOPED_TRACE(name);
    Form& form = prog->forms.get(name);
    try {
      form.load();
    } catch (const std::exception&) {
      // A window whose load needs an open project still has its controls.
    }
    std::unique_ptr<QWidget> layout(gw::app::create_designer_window(name));
    ASSERT_NE(layout, nullptr);
    for (Control* c : form.controls(host_key)) {
      QString shown;
      bool has = true;
      QObject* o = gw::app::find_control_object(layout.get(), *c);
      if (!o) continue;  // placed by the generic view: no caption in the layout
      if (c->separator) continue;
      if (auto* l = qobject_cast<QLabel*>(o); l && c->kind() == Kind::Label)
        shown = l->text();
      else if (auto* g = qobject_cast<QGroupBox*>(o))
        shown = g->title();
      else if (auto* b = qobject_cast<QAbstractButton*>(o))
        shown = b->text();
      else if (auto* m = qobject_cast<QMenu*>(o))
        shown = m->title();
      else if (auto* a = qobject_cast<QAction*>(o))
        shown = a->text();
      else
        has = false;
      if (!has) continue;
      const QString designed = QString::fromStdString(c->designed_text);
      const bool same =
          shown == designed || (qobject_cast<QLabel*>(o) && shown == gw::app::strip_access_keys(designed));
      EXPECT_TRUE(same) << c->key() << ": the layout shows \"" << shown.toStdString()
                        << "\", the window has \"" << c->designed_text << "\"";
    }
  }
}

// A caption edited in the layout is what the window shows, until a handler of the window
// changes that caption; the window's own caption is shown from then on.
TEST_F(ProgramTest, TheLayoutsCaptionsAreShownUntilTheWindowChangesThem) {
  host.set_interactive(false);
  Form& form = prog->forms.get(gw::window::frmpipemodify);
  form.load();
  QWidget* top = gw::app::create_designer_window(gw::window::frmpipemodify);
  ASSERT_NE(top, nullptr);
  auto* label = top->findChild<QLabel*>("Label1");
  ASSERT_NE(label, nullptr);
  label->setText("PIPE NUMBER NOW");  // as if edited in the layout
  auto view = std::make_unique<FormView>(host, form, top);
  EXPECT_EQ(label->text(), "PIPE NUMBER NOW");
  form.host_control(host_key, "Label1").set_caption("Another caption");
  EXPECT_EQ(label->text(), "Another caption");
  form.host_control(host_key, "Label1").set_caption(form.host_control(host_key, "Label1").designed_text);
  EXPECT_EQ(label->text(), "PIPE NUMBER NOW");
  view->detach();
}

// The pipe design window's toolbar: framed buttons with their captions, the help button with
// its picture alone, one gap between groups, and Add or Edit pressed while it is in progress.
TEST_F(ProgramTest, ThePipeDesignToolbarHasFramedButtonsInGroups) {
  FormView& view = shown_without_project(gw::window::frmpipemain);
  Form& pipe = view.form();
  auto* bar = view.widget()->findChild<QToolBar*>("Toolbar1");
  ASSERT_NE(bar, nullptr);
  const QList<QAction*> acts = bar->actions();
  ASSERT_EQ(acts.size(), 14);
  QStringList shown;
  for (QAction* a : acts) {
    if (!a->isVisible()) continue;
    if (a->isSeparator()) {
      shown << "|";
      continue;
    }
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->autoRaise()) << "a framed button";
    shown << (button->toolButtonStyle() == Qt::ToolButtonIconOnly ? "(picture)" : a->text());
  }
  EXPECT_EQ(shown.join(" "), "Add | Edit | Save | Solve | Exit | (picture)");
  auto pressed = [&] {
    QStringList p;
    for (QAction* a : acts)
      if (a->isChecked()) p << a->text();
    return p.join(",");
  };
  EXPECT_EQ(pressed(), "");
  pipe.host_control(host_key, "Toolbar1").set_button_pressed(3, true);
  EXPECT_EQ(pressed(), "Edit");
  // A click that starts nothing shows the button released again.
  acts[4]->trigger();
  EXPECT_EQ(pressed(), "Edit");
}

// Every window has its section in the user's guide, and F1 opens the guide there.
TEST_F(ProgramTest, F1OpensTheGuideAtTheActiveWindowsSection) {
  QFile guide(GW_PROGRAM_DIR "/Gullyworks.html");
  ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(guide.readAll());
  for (const std::string& name : prog->forms.names()) {
    const std::string section = gw::app::help_section(name);
    EXPECT_FALSE(section.empty()) << name;
    EXPECT_TRUE(text.contains(QString::fromStdString("id=\"" + section + "\"")))
        << name << ": no section " << section;
  }
  // Every picture the guide shows is in the program folder.
  static const QRegularExpression picture(QStringLiteral("<img src=\"([^\"]+)\""));
  int pictures = 0;
  for (auto it = picture.globalMatch(text); it.hasNext(); ++pictures) {
    const QString file = it.next().captured(1);
    EXPECT_TRUE(QFile::exists(GW_PROGRAM_DIR "/" + file)) << file.toStdString();
  }
  EXPECT_GT(pictures, 0);
  host.set_interactive(false);
  Form& tc = prog->forms.get(gw::window::frmVATc);
  FormView& view = host.view(tc);
  view.widget()->show();
  QTest::keyClick(view.widget()->findChild<QLineEdit*>("flow_distance3"), Qt::Key_F1);
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0], GW_PROGRAM_DIR "/Gullyworks.html#tc");
}

// Enter presses a window's default button and Escape its cancelling one.
TEST_F(ProgramTest, EnterAndEscapePressTheDefaultAndCancellingButtons) {
  host.set_interactive(false);
  Form& modify = prog->forms.get(gw::window::frmpipemodify);
  int accepted = 0, cancelled = 0;
  FormView& view = host.view(modify);
  modify.host_control(host_key, "cmdmodaccept").on_click = [&] { ++accepted; };
  modify.host_control(host_key, "cmdmodcancel").on_click = [&] { ++cancelled; };
  view.widget()->show();
  auto* field = view.widget()->findChild<QLineEdit*>("newpipenumber");
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(accepted, 1);
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(cancelled, 1);
  EXPECT_EQ(accepted, 1);
}

// Esc presses the control each window marks as its way out (its Cancel, CANCEL, Close, OK or
// Exit, a button or the Exit command), also from a field whose key filter sees the key first;
// every window but the main window (whose Exit ends the program) and those without a way out
// of their own has one.
TEST_F(ProgramTest, EscapeLeavesEveryWindowByItsWayOutWhereverTheFocusIs) {
  const std::set<std::string> without = {gw::window::frmsoftwaremain, gw::window::frmHydroSplash,
                                         gw::window::frmskew, gw::window::frmProjectUpdate};
  const std::set<std::string> ways_out = {"Cancel", "CANCEL", "Close", "OK", "Exit", "&Exit", "E&xit"};
  for (const std::string& name : prog->forms.names()) {
    SCOPED_TRACE(name);
    FormView& view = shown_without_project(name);
    Form& form = view.form();
    Control* cancel = form.cancel_control(host_key);
    if (without.count(name)) {
      EXPECT_EQ(cancel, nullptr);
      continue;
    }
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(ways_out.count(cancel->caption())) << cancel->caption();
    int pressed = 0;
    cancel->on_click = [&] { ++pressed; };
    // A numeric field when the window has one, else any field that takes typing, else the window.
    QWidget* from = nullptr;
    for (int pass = 0; pass < 2 && !from; ++pass) {
      for (Control* c : form.controls(host_key)) {
        auto* le = qobject_cast<QLineEdit*>(view.object_of(*c));
        if (!le || !le->isVisible() || !le->isEnabled() || le->isReadOnly()) continue;
        if (pass == 0 && c->number_entry == gw::ui::NumberEntry::none) continue;
        from = le;
        break;
      }
    }
    if (!from) from = view.widget();
    from->setFocus();
    QTest::keyClick(from, Qt::Key_Escape);
    EXPECT_EQ(pressed, 1) << "from " << from->objectName().toStdString();
  }
}

// A window's menu shortcut works wherever the focus is: Ctrl+A in the pipe table's pipe-count
// box adds a pipe instead of selecting the box's text.
TEST_F(ProgramTest, AMenuShortcutWinsOverTheTextBoxWithTheFocus) {
  FormView& view = shown_without_project(gw::window::frmpipeflex);
  Form& table = view.form();
  int added = 0;
  table.host_control(host_key, "mnuflexaddpipe").on_click = [&] { ++added; };
  auto* count = view.widget()->findChild<QLineEdit*>("rec_count");
  ASSERT_NE(count, nullptr);
  view.widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(view.widget()));
  count->setFocus();
  QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(added, 1);
  EXPECT_FALSE(count->hasSelectedText()) << "the box kept the key";
  // A disabled command gives the key back to nobody: nothing happens.
  table.host_control(host_key, "mnuflexaddpipe").set_enabled(false);
  QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(added, 1);
}

// In VIEW mode the pipe design window's drop-down lists, disabled with their frames, look like
// its locked fields: flat on the same background, with no arrow to suggest a choice; enabled
// again (EDIT), they are drop-down lists once more.
TEST_F(ProgramTest, LockedDropDownListsLookLikeTheLockedFieldsInViewMode) {
  FormView& view = shown_without_project(gw::window::frmpipemain);
  Form& pipe = view.form();
  ASSERT_EQ(pipe.host_control(host_key, "screenmode").text(), "VIEW");
  QWidget* top = view.widget();
  top->resize(top->sizeHint());
  QCoreApplication::processEvents();
  auto* locked = top->findChild<QLineEdit*>("pipe_number");
  ASSERT_NE(locked, nullptr);
  ASSERT_TRUE(locked->isReadOnly() || !locked->isEnabled());
  const QImage field = locked->grab().toImage();
  const QColor background = field.pixelColor(field.width() - 5, field.height() / 2);
  // Where a drop-down list draws its arrow.
  auto arrow_colour = [](QComboBox* cb) {
    const QImage img = cb->grab().toImage();
    return img.pixelColor(img.width() - 9, img.height() / 2);
  };
  int lists = 0;
  for (const char* name : {"pipe_shape", "pipe_dia", "pipe_mat", "numofpipes", "nodein_type", "nodeout_no",
                           "pipe_storm_freq", "prenode1"}) {
    SCOPED_TRACE(name);
    auto* cb = top->findChild<QComboBox*>(name);
    ASSERT_NE(cb, nullptr);
    ASSERT_FALSE(cb->isEnabled()) << "its frame is disabled in VIEW mode";
    EXPECT_EQ(arrow_colour(cb), background);
    ++lists;
  }
  EXPECT_EQ(lists, 8);
  for (const char* frame : {"PipeDetailFrame", "StructureDetailFrame"})
    pipe.host_control(host_key, frame).set_enabled(true);
  QCoreApplication::processEvents();
  auto* shape = top->findChild<QComboBox*>("pipe_shape");
  EXPECT_TRUE(shape->isEnabled());
  EXPECT_NE(arrow_colour(shape), background) << "an enabled list shows its arrow";
}

// A size picker shows each column under its heading, and a row is chosen by double-clicking
// it or pressing Enter on it, as with its Select button.
TEST_F(ProgramTest, SizePickerRowsAreChosenByDoubleClickOrEnter) {
  host.set_interactive(false);
  Form& picker = prog->forms.get(gw::window::frmEPipeSize);
  FormView& view = host.view(picker);
  int selected = 0;
  picker.host_control(host_key, "Pselect").on_click = [&] { ++selected; };
  view.widget()->show();
  QCoreApplication::processEvents();
  auto* list = view.widget()->findChild<QListWidget*>("Epipelist");
  ASSERT_NE(list, nullptr);
  ASSERT_GT(list->count(), 1);
  EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << "every column shows";
  // The headings stand over the columns the rows are drawn in.
  QWidget* top = view.widget();
  const QRect item = list->visualItemRect(list->item(0));
  const QRect row(list->viewport()->mapTo(top, item.topLeft()), item.size());
  const int column_width = row.width() / 4;
  for (int i = 0; i < 4; ++i) {
    auto* heading = view.widget()->findChild<QLabel*>("lblColumn_" + QString::number(i));
    ASSERT_NE(heading, nullptr);
    const int centre = heading->mapTo(top, heading->rect().center()).x();
    EXPECT_NEAR(centre, row.left() + column_width * i + column_width / 2, column_width / 4) << i;
  }
  const QPoint second = list->visualItemRect(list->item(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
  EXPECT_EQ(selected, 1);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(selected, 2);
}

TEST_F(ProgramTest, MainWindowCarriesTheMenusAndStatusBarAsDesigned) {
  Form& main = prog->forms.get(gw::window::frmsoftwaremain);
  FormView& view = host.view(main);
  QWidget* w = view.widget();
  const struct {
    const char* name;
    const char* text;
    const char* shortcut;
    bool enabled;
  } items[] = {
      {"mnucreateProj", "&Create New Project", "", true},
      {"mnuopenProj", "&Open Project", "", true},
      {"mnuupdateProj", "&Update Project Details", "", false},
      {"mnucloseProj", "Close Project", "", false},
      {"mnuexit", "E&xit", "Ctrl+X", true},
      {"mnuPipe", "&Gullyware", "", true},
      {"mnusubHelp", "&Help", "F1", true},
      {"mnuabout", "About TarnelHydro", "", true},
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
  main.host_control(host_key, "StatusBar").set_panel(2, "UNITS: METRIC");
  auto* panel2 = w->findChild<QLabel*>("StatusBar_panel2");
  ASSERT_NE(panel2, nullptr);
  EXPECT_NE(w->findChild<QLabel*>("StatusBar_panel1"), nullptr);
  EXPECT_EQ(panel2->text(), "UNITS: METRIC");
  auto* pic = w->findChild<QLabel*>("Picture1");
  ASSERT_NE(pic, nullptr);
  EXPECT_FALSE(pic->pixmap().isNull()) << "the main window's picture is in the program folder";
}

// The project description takes no more than its 200 characters, typed or pasted.
TEST_F(ProgramTest, TheProjectDescriptionKeepsToItsLimit) {
  FormView& view = shown_without_project(gw::window::frmProjectNOAA);
  Form& project = view.form();
  auto* memo = view.widget()->findChild<QPlainTextEdit*>("description");
  ASSERT_NE(memo, nullptr);
  memo->setFocus();
  memo->insertPlainText(QString(150, 'a') + "\n" + QString(100, 'b'));
  const std::string& text = project.host_control(host_key, "description").text();
  EXPECT_EQ(text, std::string(150, 'a') + "\r\n" + std::string(48, 'b'));
  EXPECT_EQ(memo->toPlainText().size(), 199) << "the box shows what the field holds";
  QTest::keyClicks(memo, "cc");
  EXPECT_EQ(project.host_control(host_key, "description").text().size(), 200u);
}

// The outfall window shows every bed material's D50 range whole, in either unit system.
TEST_F(ProgramTest, TheOutfallWindowShowsEveryD50RangeWhole) {
  FormView& view = shown_without_project(gw::window::PipeEnergyForm);
  auto* field = view.widget()->findChild<QLineEdit*>("D50bed");
  ASSERT_NE(field, nullptr);
  QStyleOptionFrame option;
  option.initFrom(field);
  option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
  const int room = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field).width() - 4;
  for (const gw::outlet::BedMaterial& m : gw::outlet::bed_materials()) {
    for (const char* text : {m.d50_english, m.d50_metric})
      EXPECT_LE(field->fontMetrics().horizontalAdvance(QString::fromUtf8(text)), room)
          << m.name << ": " << text;
  }
}

TEST_F(ProgramTest, StartUpShowsTheSplashForThreeSecondsThenTheMainWindow) {
  gw::shell::tarnelhydromain_Main(*prog);
  // 3.0 seconds at a quarter second a reading: the start and twelve more.
  EXPECT_EQ(host.clock_reads, 13);
  Form* splash = prog->forms.existing(gw::window::frmHydroSplash);
  ASSERT_NE(splash, nullptr);
  EXPECT_FALSE(splash->is_loaded());
  EXPECT_EQ(host.find_view(*splash), nullptr);
  FormView* main = host.find_view(prog->forms.get(gw::window::frmsoftwaremain));
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->widget()->isVisible());
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ProgramTest, AboutBoxShownModallyReturnsWhenItsOkButtonIsPressed) {
  bool pressed = false;
  QTimer::singleShot(0, [&] {
    Form* about = prog->forms.existing(gw::window::frmAbout);
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
  prog->forms.get(gw::window::frmsoftwaremain).show();
  prog->forms.get(gw::window::frmAbout).show_modal();
  EXPECT_TRUE(pressed);
  // cmdOK releases the instance: the next About box is a new one.
  EXPECT_EQ(prog->forms.existing(gw::window::frmAbout), nullptr);
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
    num.number_entry = gw::ui::NumberEntry::unsigned_number;
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
    forms.register_form("frmProbe",
                        [](gw::ui::Forms& f) { return std::make_unique<ProbeForm>(f, "frmProbe"); });
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
  EXPECT_EQ(form->active_control(host_key), form->find(host_key, "txtNum"));
  QTest::keyClicks(num, "1a.2.5x");
  EXPECT_EQ(num->text(), "1.25");
  EXPECT_EQ(form->host_control(host_key, "txtNum").text(), "1.25");
  // With the point selected a typed point replaces it.
  num->setSelection(1, 1);
  QTest::keyClick(num, '.');
  EXPECT_EQ(form->host_control(host_key, "txtNum").text(), "1.25");
  QTest::keyClick(num, Qt::Key_Return);
  EXPECT_EQ(num->text(), "1.25");
  EXPECT_EQ(form->active_control(host_key), form->find(host_key, "txtNext"));
  EXPECT_EQ(QApplication::focusWidget(), widget<QLineEdit>("txtNext"));

  // A handler that changes the key gets its own character typed, once per key.
  auto* free = widget<QComboBox>("cboFree");
  free->setFocus();
  QTest::keyClicks(QApplication::focusWidget(), "cd");
  EXPECT_EQ(form->combo_keys, 2);
  EXPECT_EQ(free->currentText(), "CD");
  EXPECT_EQ(form->host_control(host_key, "cboFree").text(), "CD");
  EXPECT_EQ(form->host_control(host_key, "cboFree").list_index(), 1);
}

// A paste into a numeric field goes through the same filter as typed keys: refused whole
// (the widget shows the field's text again) unless its keys could have been typed.
TEST_F(BinderTest, APasteIntoANumericFieldIsRefusedUnlessItCouldBeTyped) {
  auto* num = widget<QLineEdit>("txtNum");
  num->setFocus();
  form->host_control(host_key, "txtNum").set_text("7.5");
  QCoreApplication::processEvents();
  for (const char* pasted : {"NaN", "-Infinity", "0x10", "1,000", "4.9e-324", "1.2.3"}) {
    QApplication::clipboard()->setText(pasted);
    num->selectAll();
    num->paste();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->host_control(host_key, "txtNum").text(), "7.5") << pasted;
    EXPECT_EQ(num->text(), "7.5") << pasted;
  }
  QApplication::clipboard()->setText("42.25");
  num->selectAll();
  num->paste();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->host_control(host_key, "txtNum").text(), "42.25");
}

TEST_F(BinderTest, ModelChangesReachTheirWidgets) {
  Control& num = form->host_control(host_key, "txtNum");
  auto* le = widget<QLineEdit>("txtNum");
  num.set_text("12.5");
  EXPECT_EQ(le->text(), "12.5");
  num.set_locked(true);
  EXPECT_TRUE(le->isReadOnly());
  num.set_back_color(gw::ui::kLockedColor);
  EXPECT_EQ(le->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xFF));
  num.set_back_color(gw::ui::kWindowColor);
  // On the system colour a locked field shows the read-only background, an open one white.
  EXPECT_EQ(le->palette().color(QPalette::Base), le->palette().color(QPalette::Window));
  num.set_locked(false);
  EXPECT_FALSE(le->isReadOnly());
  EXPECT_EQ(le->palette().color(QPalette::Base), QApplication::palette(le).color(QPalette::Base));
  // A disabled field is display-only: read-only, its text as dark as an input's.
  num.set_enabled(false);
  EXPECT_FALSE(le->isEnabled());
  EXPECT_TRUE(le->isReadOnly());
  EXPECT_EQ(le->palette().color(QPalette::Disabled, QPalette::Text),
            le->palette().color(QPalette::Active, QPalette::Text));
  num.set_visible(false);
  EXPECT_TRUE(le->isHidden());

  EXPECT_EQ(widget<QLabel>("lblNum")->text(), "Length");
  EXPECT_NE(widget<QLineEdit>("txtArr_1"), nullptr);
  form->host_control(host_key, "txtArr", 1).set_text("second");
  EXPECT_EQ(widget<QLineEdit>("txtArr_1")->text(), "second");

  form->host_control(host_key, "cboUnits").set_list_index(1);
  EXPECT_EQ(widget<QComboBox>("cboUnits")->currentText(), "METRIC");
  form->host_control(host_key, "chkFlag").set_value(1);
  EXPECT_EQ(widget<QCheckBox>("chkFlag")->checkState(), Qt::Checked);
  form->host_control(host_key, "optB").set_value(1);
  form->host_control(host_key, "optA").set_value(1);
  EXPECT_TRUE(widget<QRadioButton>("optA")->isChecked());
  EXPECT_FALSE(widget<QRadioButton>("optB")->isChecked());
  form->host_control(host_key, "mnuQuit").set_enabled(false);
  EXPECT_FALSE(widget<QAction>("mnuQuit")->isEnabled());
  form->host_control(host_key, "sbMain").set_panel(1, "Project Database - a.gwp");
  EXPECT_EQ(widget<QLabel>("sbMain_panel1")->text(), "Project Database - a.gwp");
  form->host_control(host_key, "tabMain").set_tab(1);
  EXPECT_EQ(widget<QTabWidget>("tabMain")->currentIndex(), 1);

  // A grid filled cell by cell shows once the handler is done; the fixed row heads it.
  Control& grid = form->host_control(host_key, "grdPipes");
  grid.set_cols(3);
  grid.set_rows(3);
  grid.set_cell(0, 0, "PIPE_NUMBER");
  grid.set_cell(1, 0, "P1");
  grid.set_cell(2, 2, "1.250");
  QCoreApplication::processEvents();
  QAbstractItemModel* table = widget<QTableView>("grdPipes")->model();
  ASSERT_EQ(table->rowCount(), 2);
  ASSERT_EQ(table->columnCount(), 3);
  EXPECT_EQ(table->headerData(0, Qt::Horizontal).toString(), "PIPE_NUMBER");
  EXPECT_EQ(table->index(0, 0).data().toString(), "P1");
  EXPECT_EQ(table->index(1, 2).data().toString(), "1.250");

  // Cells changed in place, and the grid refilled with fewer rows, show as they are now.
  grid.set_cell(1, 0, "P9");
  grid.set_grid({{"PIPE_NUMBER"}, {"P7"}});
  QCoreApplication::processEvents();
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(table->index(0, 0).data().toString(), "P7");
}

// A locked combo box shows its value and takes no typing, also where its key handler would type
// another character in place of the key; unlocked it is typed into again.
TEST_F(BinderTest, ALockedComboBoxTakesNoTyping) {
  Control& free = form->host_control(host_key, "cboFree");
  auto* box = widget<QComboBox>("cboFree");
  ASSERT_NE(box->lineEdit(), nullptr);
  free.set_text("AB");
  free.set_locked(true);
  EXPECT_TRUE(box->lineEdit()->isReadOnly());
  box->setFocus();
  QTest::keyClicks(QApplication::focusWidget(), "cd");
  EXPECT_EQ(box->currentText(), "AB");
  EXPECT_EQ(free.text(), "AB");
  free.set_locked(false);
  EXPECT_FALSE(box->lineEdit()->isReadOnly());
}

TEST_F(BinderTest, UserActionsReachTheModel) {
  auto* units = widget<QComboBox>("cboUnits");
  units->setFocus();
  QTest::keyClick(units, Qt::Key_Down);
  EXPECT_EQ(form->host_control(host_key, "cboUnits").list_index(), 0);
  EXPECT_EQ(form->host_control(host_key, "cboUnits").text(), "ENGLISH");

  // Clicks land on the box itself, at the button's left end.
  auto on_box = [](QWidget* w) { return QPoint(6, w->height() / 2); };
  QTest::mouseClick(widget<QCheckBox>("chkFlag"), Qt::LeftButton, {}, on_box(widget<QCheckBox>("chkFlag")));
  EXPECT_EQ(form->host_control(host_key, "chkFlag").value(), 1);

  auto* optB = widget<QRadioButton>("optB");
  QTest::mouseClick(optB, Qt::LeftButton, {}, on_box(optB));
  EXPECT_EQ(form->host_control(host_key, "optB").value(), 1);
  QTest::mouseClick(optB, Qt::LeftButton, {}, on_box(optB));  // a set option stays set
  EXPECT_TRUE(widget<QRadioButton>("optB")->isChecked());

  widget<QAction>("mnuQuit")->trigger();

  Control& grid = form->host_control(host_key, "grdPipes");
  grid.set_grid({{"PIPE", "DIA"}, {"P1", "15"}, {"P2", "18"}});
  QCoreApplication::processEvents();
  auto* table = widget<QTableView>("grdPipes");
  const QModelIndex p2_dia = table->model()->index(1, 1);
  table->scrollTo(p2_dia);
  const QRect cell = table->visualRect(p2_dia);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(grid.row(), 2);
  EXPECT_EQ(grid.col(), 1);

  widget<QTabWidget>("tabMain")->setCurrentIndex(1);
  EXPECT_EQ(form->host_control(host_key, "tabMain").tab(), 1);

  EXPECT_EQ(form->log, (std::vector<std::string>{"units ENGLISH", "flag", "quit", "grid"}));
}

// The grid's current row reads as chosen from the current column to the last; a row the
// program moves to out of sight (a rebuilt pipe table) becomes the top row.
TEST_F(BinderTest, TheCurrentGridRowIsSelectedToTheLastColumnAndAMovedRowComesToTheTop) {
  Control& grid = form->host_control(host_key, "grdPipes");
  std::vector<std::vector<std::string>> cells{{"PIPE", "DIA", "MAT"}};
  for (int i = 1; i <= 60; ++i) cells.push_back({"P" + std::to_string(i), "15", "Concrete"});
  grid.set_grid(std::move(cells));
  QCoreApplication::processEvents();
  auto* table = widget<QTableView>("grdPipes");
  auto selected = [table] {
    const QItemSelection r = table->selectionModel()->selection();
    if (r.size() != 1) return std::string("ranges: ") + std::to_string(r.size());
    return std::to_string(r[0].top()) + "," + std::to_string(r[0].left()) + "-" +
           std::to_string(r[0].bottom()) + "," + std::to_string(r[0].right());
  };
  grid.set_row(1);
  grid.set_col(1);
  EXPECT_EQ(selected(), "0,1-0,2");
  // A click on a cell selects its row from there to the last column.
  const QModelIndex third = table->model()->index(2, 0);
  table->scrollTo(third);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(third).center());
  EXPECT_EQ(grid.row(), 3);
  EXPECT_EQ(selected(), "2,0-2,2");
  // The program moves to a row out of sight: it is the top row now.
  table->scrollToTop();
  grid.set_row(50);
  grid.set_col(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(table->rowAt(0), 49);
  EXPECT_EQ(selected(), "49,0-49,2");
  // A row in sight stays where it is.
  grid.set_row(52);
  QCoreApplication::processEvents();
  EXPECT_EQ(table->rowAt(0), 49);
  // Moved while its window is not shown yet (the rebuilt table): on top once it shows.
  view->widget()->hide();
  grid.set_row(30);
  view->widget()->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(table->rowAt(0), 29);
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

// A list given new items shows them, also where it shared one list model with another list:
// the other keeps its items.
TEST_F(BinderTest, ReplacedListItemsShowInTheirWidgets) {
  auto items_of = [](QComboBox* cb) {
    QStringList l;
    for (int i = 0; i < cb->count(); ++i) l << cb->itemText(i);
    return l;
  };
  Control& units = form->host_control(host_key, "cboUnits");
  Control& free = form->host_control(host_key, "cboFree");
  auto* units_box = widget<QComboBox>("cboUnits");
  auto* free_box = widget<QComboBox>("cboFree");
  const auto numbers = std::make_shared<const std::vector<std::string>>(std::vector<std::string>{"P1", "P2"});
  units.set_items(numbers);
  free.set_items(numbers);
  EXPECT_EQ(units_box->model(), free_box->model());
  EXPECT_EQ(items_of(units_box), (QStringList{"P1", "P2"}));

  units.set_items(std::vector<std::string>{"ENGLISH", "METRIC", "UNKNOWN"});
  EXPECT_EQ(items_of(units_box), (QStringList{"ENGLISH", "METRIC", "UNKNOWN"}));
  EXPECT_EQ(items_of(free_box), (QStringList{"P1", "P2"}));
  units.set_list_index(2);
  EXPECT_EQ(units_box->currentText(), "UNKNOWN");
  // Refilled with items equal to those it shows, a list still shows the window's own list.
  free.set_items(std::vector<std::string>{"P1", "P2"});
  free.set_items(std::vector<std::string>{"P3"});
  EXPECT_EQ(items_of(free_box), (QStringList{"P3"}));
  units.clear_items();
  EXPECT_EQ(units_box->count(), 0);
}

// A table view kept after its window went (a view the screen still holds) learns that its grid
// is gone: its model is reset to nothing and never reads the control again, whether the
// window's old controls are kept a while or not.
TEST(GridModelLifetime, TheViewLearnsThatItsGridIsGone) {
  ScriptedQtHost host;
  gw::ui::Forms forms{host};
  forms.register_form("frmProbe",
                      [](gw::ui::Forms& f) { return std::make_unique<ProbeForm>(f, "frmProbe"); });
  Form& window = forms.get("frmProbe");
  window.load();
  Control& grid = window.host_control(host_key, "grdPipes");
  grid.set_grid({{"PIPE", "DIA"}, {"P1", "15"}, {"P2", "18"}});
  QTableView table;
  auto* model = new gw::app::GridModel(grid, &table);
  table.setModel(model);
  int resets = 0;
  QObject::connect(model, &QAbstractItemModel::modelReset, [&resets] { ++resets; });
  ASSERT_EQ(model->rowCount(), 2);
  EXPECT_EQ(model->index(1, 1).data().toString(), "18");

  // Each load builds new controls; the grid the model shows ends once its set is let go.
  for (int load = 0; load < 8 && model->attached(); ++load) {
    window.unload();
    window.load();
  }
  EXPECT_FALSE(model->attached());
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(table.model()->rowCount(), 0);
  EXPECT_EQ(table.model()->columnCount(), 0);
  EXPECT_FALSE(table.model()->headerData(0, Qt::Horizontal).isValid());

  // A model detached first, then let go by its view before the grid ends, leaves nothing
  // behind that the grid's end would run.
  Control& now = window.host_control(host_key, "grdPipes");
  auto* other = new gw::app::GridModel(now, nullptr);
  other->detach();
  EXPECT_FALSE(other->attached());
  delete other;
  auto* dropped = new gw::app::GridModel(now, nullptr);
  delete dropped;
  window.unload();
  for (int load = 0; load < 8; ++load) {
    window.load();
    window.unload();
  }
}

// A Designer layout that lacks a control of its window still gives that control a widget.
class AboutWithMore : public Form {
 public:
  explicit AboutWithMore(gw::ui::Forms& f) : Form(f, gw::window::frmAbout) {}

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
  forms.register_form(gw::window::frmAbout,
                      [](gw::ui::Forms& f) { return std::make_unique<AboutWithMore>(f); });
  Form& f = forms.get(gw::window::frmAbout);
  FormView& v = host.view(f);
  EXPECT_TRUE(v.unbound_keys().empty());
  auto* extra = v.widget()->findChild<QLineEdit*>("txtExtra");
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(extra->text(), "placed");
  EXPECT_NE(v.widget()->findChild<QPushButton*>("cmdOK"), nullptr);
  host.close_views();
}

// ---- a pipe added, solved and saved through the widgets --------------------------------

// The Qt host as the user meets it (real message boxes, modal loops), but the Open dialog
// picks the file the test names.
class ProjectQtHost : public gw::app::QtHost {
 public:
  ProjectQtHost() : QtHost(GW_PROGRAM_DIR) { set_quit_when_no_window(false); }
  bool file_dialog(gw::ui::FileDialog& d, bool) override {
    if (pick.empty()) return false;
    d.file_name = pick;
    return true;
  }
  std::string pick;
};

// Presses the button of every message box the program puts up, as the user would (OK, or
// the answer given for Yes/No boxes), and keeps each box's text. It polls, so that it
// reaches the boxes of nested modal loops as well.
class BoxAnswerer {
 public:
  BoxAnswerer() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
    timer_.start();
  }
  std::vector<std::string> texts;
  QMessageBox::StandardButton yes_no = QMessageBox::No;

  std::string last() const { return texts.empty() ? std::string() : texts.back(); }

 private:
  void answer() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box || !box->isVisible()) continue;
      QAbstractButton* b = box->button(QMessageBox::Ok);
      if (!b) b = box->button(yes_no);
      if (!b) continue;
      texts.push_back(box->text().toStdString());
      QTest::mouseClick(b, Qt::LeftButton);
      return;
    }
  }
  QTimer timer_;
};

// A widget the step needs and does not find ends the step.
struct MissingWidget : std::runtime_error {
  using std::runtime_error::runtime_error;
};

template <class W>
W* child(QWidget* top, const char* name) {
  W* w = top ? top->findChild<W*>(name) : nullptr;
  if (!w) throw MissingWidget(std::string("no widget ") + name);
  return w;
}

std::string line_text(QWidget* top, const char* name) {
  return child<QLineEdit>(top, name)->text().toStdString();
}

// Gives a field the focus as the Tab key would, selects what it holds and types the text.
void type_into(QWidget* top, const char* name, const QString& text) {
  auto* le = child<QLineEdit>(top, name);
  le->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), le) << name << " did not take the focus";
  le->selectAll();
  QTest::keyClicks(le, text);
}

// The Tab key in the field that has the focus.
void press_tab() {
  QWidget* f = QApplication::focusWidget();
  if (!f) throw MissingWidget("no widget has the focus");
  QTest::keyClick(f, Qt::Key_Tab);
}

// Picks an item of a combo box from its drop-down list with the mouse.
void pick(QWidget* top, const char* name, const QString& item) {
  auto* cb = child<QComboBox>(top, name);
  cb->setFocus(Qt::MouseFocusReason);
  QCoreApplication::processEvents();
  const int i = cb->findText(item, Qt::MatchExactly);
  if (i < 0) throw MissingWidget(std::string(name) + " has no item " + item.toStdString());
  cb->showPopup();
  QAbstractItemView* list = cb->view();
  if (!QTest::qWaitForWindowExposed(list->window()))
    throw MissingWidget(std::string(name) + ": no drop-down list");
  const QModelIndex index = list->model()->index(i, cb->modelColumn(), list->rootIndex());
  list->scrollTo(index);
  const QPoint at = list->visualRect(index).center();
  QTest::mouseMove(list->viewport(), at);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QCoreApplication::processEvents();
  EXPECT_FALSE(list->window()->isVisible()) << name << ": the list stayed open";
  EXPECT_EQ(cb->currentText().toStdString(), item.toStdString()) << name;
}

// Clicks the tab of a page.
void page(QWidget* top, const char* name, int index) {
  QTabBar* bar = child<QTabWidget>(top, name)->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
  EXPECT_EQ(bar->currentIndex(), index);
}

// A row of a grid widget: its cells' texts.
std::vector<std::string> grid_row(QTableView* t, int row) {
  std::vector<std::string> cells;
  for (int c = 0; c < t->model()->columnCount(); ++c)
    cells.push_back(t->model()->index(row, c).data().toString().toStdString());
  return cells;
}

int grid_row_of(QTableView* t, const QString& first_cell) {
  for (int r = 0; r < t->model()->rowCount(); ++r)
    if (t->model()->index(r, 0).data().toString() == first_cell) return r;
  return -1;
}

struct PipeSessionTest : ::testing::Test {
  ProjectQtHost host;
  std::unique_ptr<gw::shell::Program> prog = gw::make_program(host, GW_PROGRAM_DIR);
  BoxAnswerer boxes;
  // A scratch folder whose name holds "gwl" in mixed case: a project's kind comes from its
  // file, so the folder's name must change nothing.
  QTemporaryDir tmp{QDir::tempPath() + "/Old GwL Files-XXXXXX"};
  QObject watchdog;  // context of the time limit: it ends with the test

  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    const QString copy = tmp.filePath("p.gwp");
    ASSERT_TRUE(QFile::copy(GW_FIXTURES_BUILD_DIR "/release2_1.gwp", copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    host.pick = copy.toStdString();
    // A step that waits for what never comes must not hang the test: the program is
    // ended, which leaves every modal loop.
    QTimer::singleShot(60000, &watchdog, [this] {
      ADD_FAILURE() << "the session did not finish in time";
      host.end_program();
    });
  }
  void TearDown() override {
    host.close_views();
    prog.reset();
  }

  // The top-level widget of a window when it is on the screen, else nullptr.
  QWidget* shown(const char* name) {
    gw::ui::Form* f = prog->forms.existing(name);
    FormView* v = f ? host.find_view(*f) : nullptr;
    return v && v->widget() && v->widget()->isVisible() ? v->widget() : nullptr;
  }

  // Runs `step` inside the modal loop of a window once the window is on the screen (a widget
  // other than `replaced`, which may still be on the screen while its successor is built); a
  // step that fails ends the program, so that every loop returns.
  void when_modal(const char* name, std::function<void(QWidget*)> step, QWidget* replaced = nullptr) {
    auto* poll = new QTimer(&watchdog);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [this, poll, name, step, replaced] {
      QWidget* w = shown(name);
      if (!w || !w->isModal() || w == replaced) return;
      poll->stop();
      poll->deleteLater();
      w->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << name;
      try {
        step(w);
      } catch (const std::exception& e) {
        ADD_FAILURE() << name << ": " << e.what();
        host.end_program();
      }
    });
    poll->start();
  }

  // The first row of a query on the project file, fields joined by "|".
  std::string row(const std::string& sql) {
    gw::db::Connection c;
    c.open(host.pick);
    gw::db::Recordset rs;
    rs.open(c, sql);
    if (rs.record_count() == 0) return "";
    std::string out;
    for (int i = 0; i < rs.field_count(); ++i) out += (i ? "|" : "") + rs.field(i);
    return out;
  }
};

TEST_F(PipeSessionTest, APipeTypedIntoTheDesignWindowIsSolvedSavedAndListed) {
  prog->forms.get(gw::window::frmsoftwaremain).show();
  QWidget* main = shown(gw::window::frmsoftwaremain);
  ASSERT_NE(main, nullptr);
  child<QAction>(main, "mnuopenProj")->trigger();
  EXPECT_EQ(boxes.texts, std::vector<std::string>{"Project Name: Route 340 Storm Sewer"});

  bool table_done = false;
  bool design_done = false;
  // The pipe design window, opened by the table's Add button.
  when_modal(gw::window::frmpipemain, [&](QWidget* w) {
    EXPECT_EQ(line_text(w, "screenmode"), "ADD");
    type_into(w, "pipe_number", "30");
    press_tab();
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w, "pipe_length"));
    type_into(w, "pipe_length", "100");
    type_into(w, "pipe_elein", "101");
    type_into(w, "pipe_eleout", "100");
    press_tab();
    // Leaving the fields formats them and works out the slope.
    EXPECT_EQ(line_text(w, "pipe_length"), "100.000");
    EXPECT_EQ(line_text(w, "pipe_elein"), "101.000");
    EXPECT_EQ(line_text(w, "pipe_eleout"), "100.000");
    EXPECT_EQ(line_text(w, "pipe_slope"), "0.01000");
    pick(w, "pipe_shape", "Circular");
    pick(w, "pipe_dia", "18");
    pick(w, "pipe_mat", "Concrete");
    EXPECT_EQ(line_text(w, "pipe_mann"), "0.013");
    pick(w, "numofpipes", "1");
    type_into(w, "pipe_skew", "30");

    // An entered discharge: 10 cfs.
    page(w, "pipetab", 1);
    EXPECT_TRUE(child<QRadioButton>(w, "structure_input1")->isChecked());
    type_into(w, "structure_discharge", "10");
    press_tab();
    EXPECT_EQ(line_text(w, "pipe_discharge"), "10.000");

    // Saving wants a solve first.
    child<QAction>(w, "mnuSavepipe")->trigger();
    EXPECT_EQ(boxes.last(), "Data has changed! Please 'Solve' pipe Analysis before saving");
    page(w, "pipetab", 2);
    QTest::mouseClick(child<QPushButton>(w, "cmdpipesolve"), Qt::LeftButton);
    EXPECT_EQ(boxes.last(), "Solved! Please check and Save your results");
    EXPECT_EQ(line_text(w, "capacity"), "10.504");
    EXPECT_EQ(line_text(w, "flow_type"), "PARTIAL FLOW");
    EXPECT_EQ(line_text(w, "pipe_flowdepth"), "1.169");

    child<QAction>(w, "mnuSavepipe")->trigger();
    EXPECT_EQ(boxes.last(), "Record Saved");
    EXPECT_EQ(line_text(w, "screenmode"), "VIEW");
    EXPECT_EQ(child<QLabel>(w, "lblStatus")->text(), "30");
    EXPECT_FALSE(child<QAction>(w, "mnuSavepipe")->isEnabled());

    // The pipe table behind shows the new pipe while the design window is still open.
    QCoreApplication::processEvents();
    auto* grid = child<QTableView>(shown(gw::window::frmpipeflex), "pipeflex");
    EXPECT_EQ(grid->model()->rowCount(), 4);
    const int r = grid_row_of(grid, "30");
    if (r < 0) throw MissingWidget("the pipe table has no row for pipe 30");
    const std::vector<std::string> cells = grid_row(grid, r);
    if (cells.size() < 13) throw MissingWidget("the pipe table has too few columns");
    EXPECT_EQ(cells[3], "100.000");
    EXPECT_EQ(cells[4], "Circular");
    EXPECT_EQ(cells[6], "18");
    EXPECT_EQ(cells[9], "101.000");
    EXPECT_EQ(cells[10], "100.000");
    EXPECT_EQ(cells[11], "Concrete");
    EXPECT_EQ(cells[12], "10.000");
    design_done = true;
    child<QAction>(w, "mnuExitPipe")->trigger();
  });
  // The pipe table, shown modally from the main window's menu. Back from the design window
  // it rebuilds itself: the Design loop shows the new table, which counts the new pipe.
  when_modal(gw::window::frmpipeflex, [&](QWidget* w) {
    EXPECT_EQ(line_text(w, "rec_count"), "3");
    EXPECT_EQ(child<QTableView>(w, "pipeflex")->model()->rowCount(), 3);
    QTest::mouseClick(child<QPushButton>(w, "cmdflexaddpipe"), Qt::LeftButton);
    EXPECT_EQ(shown(gw::window::frmpipemain), nullptr);
    when_modal(
        gw::window::frmpipeflex,
        [&, w](QWidget* again) {
          EXPECT_NE(again, w);
          EXPECT_EQ(line_text(again, "rec_count"), "4");
          QCoreApplication::processEvents();
          auto* grid = child<QTableView>(again, "pipeflex");
          EXPECT_EQ(grid->model()->rowCount(), 4);
          EXPECT_GE(grid_row_of(grid, "30"), 0);
          table_done = true;
          QTest::mouseClick(child<QPushButton>(again, "cmdflexexit"), Qt::LeftButton);
        },
        w);
  });
  child<QAction>(main, "mnuPipe")->trigger();

  EXPECT_TRUE(table_done);
  EXPECT_TRUE(design_done);
  EXPECT_EQ(shown(gw::window::frmpipeflex), nullptr);
  EXPECT_FALSE(host.ending());
  EXPECT_EQ(boxes.texts,
            (std::vector<std::string>{"Project Name: Route 340 Storm Sewer",
                                      "Data has changed! Please 'Solve' pipe Analysis before saving",
                                      "Solved! Please check and Save your results", "Record Saved"}));
  EXPECT_EQ(
      row("SELECT PIPE_LENGTH, PIPE_ELEIN, PIPE_ELEOUT, PIPE_SLOPE, PIPE_SHAPE, PIPE_DIA, PIPE_MAT, "
          "PIPE_MANN, "
          "NUMOFPIPES, PIPE_SKEW, STRUCTURE_DISCHARGE, PIPE_DISCHARGE, DISCHARGEVAL, CAPACITY, FLOW_TYPE, "
          "PIPE_FLOWDEPTH FROM PIPE WHERE PIPE_NUMBER = '30'"),
      "100.000|101.000|100.000|0.01000|Circular|18|Concrete|0.013|1|30|10.000|10.000|INP|10.504|PARTIAL "
      "FLOW|1.169");
  EXPECT_EQ(row("SELECT COUNT(*) FROM PIPE"), "4");
}

// Types into the text of an editable combo box, as into a field.
void type_into_combo(QWidget* top, const char* name, const QString& text) {
  auto* cb = child<QComboBox>(top, name);
  QLineEdit* le = cb->lineEdit();
  if (!le) throw MissingWidget(std::string(name) + " takes no typing");
  cb->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  le->selectAll();
  QTest::keyClicks(le, text);
}

// Picks an item of a long combo list from its open drop-down list with the arrow keys and
// Enter, as the engineer does where the list scrolls.
void pick_by_keys(QWidget* top, const char* name, const QString& item) {
  auto* cb = child<QComboBox>(top, name);
  cb->setFocus(Qt::MouseFocusReason);
  QCoreApplication::processEvents();
  const int i = cb->findText(item, Qt::MatchExactly);
  if (i < 0) throw MissingWidget(std::string(name) + " has no item " + item.toStdString());
  cb->showPopup();
  QAbstractItemView* list = cb->view();
  if (!QTest::qWaitForWindowExposed(list->window()))
    throw MissingWidget(std::string(name) + ": no drop-down list");
  for (int guard = 0; list->currentIndex().row() != i && guard < 2 * cb->count(); ++guard)
    QTest::keyClick(list, list->currentIndex().row() < i ? Qt::Key_Down : Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_FALSE(list->window()->isVisible()) << name << ": the list stayed open";
  EXPECT_EQ(cb->currentText().toStdString(), item.toStdString()) << name;
}

// The worked example of the user's guide, through the widgets as the engineer does it by hand:
// a new project, pipe 1 from an inlet with its discharge entered, pipe 2 from the manhole with
// its own entered discharge (the previous-pipe list refuses the mouse: its frame is disabled in
// that mode), and the outfall's need for protection.
struct GuideExampleTest : PipeSessionTest {
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    host.pick = tmp.filePath("Mill Creek.gwp").toStdString();
    QTimer::singleShot(60000, &watchdog, [this] {
      ADD_FAILURE() << "the session did not finish in time";
      host.end_program();
    });
  }
};

TEST_F(GuideExampleTest, TheExampleCanBeDoneByHandInTheWindows) {
  prog->forms.get(gw::window::frmsoftwaremain).show();
  QWidget* main = shown(gw::window::frmsoftwaremain);
  ASSERT_NE(main, nullptr);

  // 1. The project.
  bool project_done = false;
  when_modal(gw::window::frmProjectNOAA, [&](QWidget* w) {
    type_into(w, "project_id", "0064-029-F21");
    type_into(w, "project_name", "Mill Creek");
    type_into(w, "location", "Route 340, Staunton");
    pick_by_keys(w, "county", "Augusta");
    pick_by_keys(w, "noaa_station", "Staunton Sewage Plant");
    child<QAction>(w, "mnuprojsave")->trigger();
    EXPECT_EQ(boxes.last(), "Project Details are Saved!");
    project_done = true;
    child<QAction>(w, "mnuprojexit")->trigger();
  });
  child<QAction>(main, "mnucreateProj")->trigger();
  ASSERT_TRUE(project_done);
  // The status bar names the file and its units at once.
  EXPECT_EQ(child<QLabel>(main, "StatusBar_panel1")->text(), "Project Database - Mill Creek.gwp");
  EXPECT_EQ(child<QLabel>(main, "StatusBar_panel2")->text(), "UNITS: ENGLISH");

  // Typing a pipe's data and nodes, on the PIPE DATA tab.
  auto pipe_data = [&](QWidget* w, const char* number, const char* length, const char* in, const char* out,
                       const char* dia) {
    type_into(w, "pipe_number", number);
    press_tab();
    type_into(w, "pipe_length", length);
    type_into(w, "pipe_elein", in);
    type_into(w, "pipe_eleout", out);
    press_tab();
    EXPECT_EQ(line_text(w, "pipe_slope"), "0.01000");
    pick(w, "pipe_dia", dia);
  };
  // After a message box the engineer works on in the window behind it.
  auto back_to = [](QWidget* w) {
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
  };
  auto solve_and_save = [&](QWidget* w) {
    child<QAction>(w, "Toolbar1_8")->trigger();
    EXPECT_EQ(boxes.last(), "Solved! Please check and Save your results");
    child<QAction>(w, "Toolbar1_5")->trigger();
    EXPECT_EQ(boxes.last(), "Record Saved");
  };

  bool pipe1_done = false, pipe2_done = false, outfall_done = false;
  auto pipe1 = [&](QWidget* w) {
    pipe_data(w, "1", "150", "105.5", "104", "18");
    pick(w, "nodein_type", "Inlet");
    type_into_combo(w, "nodein_no", "101");
    type_into(w, "nodein_station", "10+00");
    type_into(w, "nodein_topele", "110");
    pick(w, "nodeout_type", "Man Hole");
    type_into_combo(w, "nodeout_no", "MH-2");
    press_tab();
    page(w, "pipetab", 1);
    // A pipe from an inlet computes its discharge; the example enters it instead.
    EXPECT_TRUE(child<QRadioButton>(w, "structure_compute1")->isChecked());
    boxes.yes_no = QMessageBox::Yes;
    QTest::mouseClick(child<QRadioButton>(w, "structure_input1"), Qt::LeftButton);
    EXPECT_EQ(boxes.last(), "Do you want to clear previously Computed Values? Y/N");
    EXPECT_TRUE(child<QRadioButton>(w, "structure_input1")->isChecked());
    back_to(w);
    type_into(w, "structure_discharge", "8");
    press_tab();
    EXPECT_EQ(line_text(w, "pipe_discharge"), "8.000");
    solve_and_save(w);
    EXPECT_EQ(line_text(w, "capacity"), "10.504");
    pipe1_done = true;
    child<QAction>(w, "Toolbar1_11")->trigger();
  };
  auto pipe2 = [&](QWidget* w) {
    pipe_data(w, "2", "200", "103.8", "101.8", "24");
    pick(w, "nodein_type", "Man Hole");
    type_into_combo(w, "nodein_no", "MH-2");
    type_into(w, "nodein_topele", "109");
    pick(w, "nodeout_type", "End Wall");
    type_into_combo(w, "nodeout_no", "OUT-1");
    press_tab();
    page(w, "pipetab", 1);
    EXPECT_TRUE(child<QRadioButton>(w, "structure_input1")->isChecked());
    // The previous pipes sit in a disabled frame: a click on the first list neither focuses
    // it nor opens it, and pipe 1 cannot be chosen.
    auto* prenode = child<QComboBox>(w, "prenode1");
    EXPECT_FALSE(child<QGroupBox>(w, "Frame_prepipe")->isEnabled());
    QTest::mouseClick(prenode, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_NE(QApplication::focusWidget(), prenode);
    EXPECT_FALSE(prenode->view()->isVisible());
    EXPECT_EQ(prenode->currentText().toStdString(), "");
    // The entered discharge is the pipe's whole flow, pipe 1's 8 cfs in it.
    type_into(w, "structure_discharge", "20");
    press_tab();
    EXPECT_EQ(line_text(w, "pipe_discharge"), "20.000");
    solve_and_save(w);
    pipe2_done = true;
    child<QAction>(w, "Toolbar1_11")->trigger();
  };
  auto outfall = [&](QWidget* w) {
    pick(w, "enodeout", "OUT-1");
    press_tab();
    EXPECT_EQ(boxes.last(), "Please Input 2-Yr Discharge!");
    back_to(w);
    EXPECT_EQ(line_text(w, "E_Discharge"), "20.00");
    // Designed for the 2-year storm: its 2-year discharge is its design discharge.
    EXPECT_EQ(line_text(w, "vhstorm_freq"), "2");
    type_into(w, "C_Discharge", "20");
    press_tab();
    type_into(w, "dn_TW", "0.5");
    press_tab();
    pick_by_keys(w, "Bed_Matl", "Fine Sand");
    QTest::mouseClick(child<QPushButton>(w, "cmdNeed"), Qt::LeftButton);
    EXPECT_EQ(boxes.last(), "Outlet Protection is Required");
    back_to(w);
    EXPECT_EQ(line_text(w, "velocity2"), "8.13");
    EXPECT_EQ(line_text(w, "outlet_protection"), "REQUIRED!");
    child<QAction>(w, "mnusave")->trigger();
    EXPECT_EQ(boxes.last(), "Record Saved");
    outfall_done = true;
    child<QAction>(w, "mnuexit")->trigger();
  };

  // 2. The pipe table, rebuilt after each pipe's window closes.
  when_modal(gw::window::frmpipeflex, [&](QWidget* first) {
    EXPECT_EQ(line_text(first, "rec_count"), "0");
    when_modal(gw::window::frmpipemain, pipe1);
    QTest::mouseClick(child<QPushButton>(first, "cmdflexaddpipe"), Qt::LeftButton);
    when_modal(
        gw::window::frmpipeflex,
        [&, first](QWidget* second) {
          when_modal(gw::window::frmpipemain, pipe2);
          QTest::mouseClick(child<QPushButton>(second, "cmdflexaddpipe"), Qt::LeftButton);
          when_modal(
              gw::window::frmpipeflex,
              [&, second](QWidget* third) {
                EXPECT_EQ(line_text(third, "rec_count"), "2");
                when_modal(gw::window::PipeEnergyForm, outfall);
                child<QAction>(third, "mnuenergy")->trigger();
                QTest::mouseClick(child<QPushButton>(third, "cmdflexexit"), Qt::LeftButton);
              },
              second);
        },
        first);
  });
  child<QAction>(main, "mnuPipe")->trigger();

  EXPECT_TRUE(pipe1_done);
  EXPECT_TRUE(pipe2_done);
  EXPECT_TRUE(outfall_done);
  EXPECT_FALSE(host.ending());
  EXPECT_EQ(row("SELECT PIPE_NUMBER, NODEIN_NO, NODEOUT_NO, PIPE_DISCHARGE, PRENODE1, DISCHARGEVAL FROM PIPE "
                "ORDER BY PIPE_NUMBER DESC"),
            "2|MH-2|OUT-1|20.000||INP");
  EXPECT_EQ(row("SELECT ENODEOUT_NO, C_DISCHARGE FROM ENERGY"), "OUT-1|20.00");
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

TEST(FileFilter, SaveDialogsAppendTheFiltersExtension) {
  EXPECT_EQ(gw::app::filter_suffix("Gullyware files (*.gwp)"), "gwp");
  EXPECT_EQ(gw::app::filter_suffix("Curbcast files (*.ckb *.rvq)"), "ckb");
  EXPECT_EQ(gw::app::filter_suffix("All files (*.*)"), "");
}

// A report's name typed into the real save dialog with ".xls" is saved with ".xlsx", the
// extension the dialog's filter shows; nothing is written under the typed name.
TEST(ReportDialog, ANameTypedWithXlsIsSavedAsXlsx) {
  class DesktopHost : public gw::app::QtHost {
   public:
    DesktopHost() : QtHost(GW_PROGRAM_DIR) { set_quit_when_no_window(false); }
    bool open_document(const std::string& target) override {
      opened.push_back(target);
      return true;
    }
    gw::ui::Answer message(const gw::ui::Message& m) override {
      ADD_FAILURE() << "message: " << m.text;
      return gw::ui::Answer::OK;
    }
    std::vector<std::string> opened;
  } host;
  auto prog = gw::make_program(host, GW_PROGRAM_DIR);
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  const QString typed = tmp.filePath("road.xls");
  // The toolkit's own dialog, whose name box the test can type into, in place of a desktop's;
  // the folder it remembers goes to the test settings, not the user's.
  struct OwnDialog {
    const bool native = !QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs);
    OwnDialog() {
      QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
      QStandardPaths::setTestModeEnabled(true);
    }
    ~OwnDialog() {
      QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, !native);
      QStandardPaths::setTestModeEnabled(false);
    }
  } own_dialog;
  bool typed_in = false;
  QObject context;  // the timers end with the test
  auto* poll = new QTimer(&context);
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, &context, [&] {
    QFileDialog* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) dialog = d;
    if (!dialog) return;
    poll->stop();
    EXPECT_EQ(dialog->nameFilters(), QStringList{"Pipe Report files (*.xlsx)"});
    if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) {
      // In the scratch folder, the name as the engineer types it.
      dialog->setDirectory(tmp.path());
      name->clear();
      QTest::keyClicks(name, "road.xls");
      typed_in = true;
      static_cast<QDialog*>(dialog)->accept();  // as the Save button does
    } else {
      ADD_FAILURE() << "the dialog has no name box";
      dialog->reject();
    }
  });
  poll->start();
  // A dialog that never closes must not hang the test.
  QTimer::singleShot(20000, &context, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QFileDialog*>(w)) d->reject();
  });
  {
    gw::reports::ReportSession report(*prog, gw::reports::kPipeReport);
    ASSERT_TRUE(report.choose_file());
    report.open();
    report.finish();
  }
  EXPECT_TRUE(typed_in);
  EXPECT_EQ(host.opened, std::vector<std::string>{tmp.filePath("road.xlsx").toStdString()});
  EXPECT_TRUE(QFile::exists(tmp.filePath("road.xlsx")));
  EXPECT_FALSE(QFile::exists(typed));
  host.close_views();
}

TEST(FileFilter, DialogsStartInTheLastFolderOfTheirKindNeverTheProgramFolder) {
  QTemporaryDir program, last, asked, documents;
  using gw::app::dialog_start_folder;
  EXPECT_EQ(dialog_start_folder(last.path(), asked.path(), program.path(), documents.path()), last.path());
  EXPECT_EQ(dialog_start_folder("", asked.path(), program.path(), documents.path()), asked.path());
  // The first time, and when the window asks for the program folder: the documents folder.
  EXPECT_EQ(dialog_start_folder("", "", program.path(), documents.path()), documents.path());
  EXPECT_EQ(dialog_start_folder("", program.path() + "/", program.path(), documents.path()),
            documents.path());
  // A remembered folder that is gone is passed over.
  EXPECT_EQ(dialog_start_folder(last.path() + "/gone", asked.path(), program.path(), documents.path()),
            asked.path());
  // No documents folder yet: the home folder, never a missing folder the dialog would take
  // for the file's name.
  EXPECT_EQ(dialog_start_folder("", "", program.path(), documents.path() + "/Documents"), QDir::homePath());
}

// The desktop gets the report's whole path, whatever characters it holds; only the guide's
// section after "#" becomes the address's fragment.
TEST(DesktopUrl, AFileIsNamedWholeAndOnlyTheGuideTakesASection) {
  using gw::app::QtHost;
  for (const char* path :
       {"/tmp/reports/Route 7 #2.xlsx", "/tmp/a#b/c%20d?.xlsx", "/tmp/x/Gullyworks.html"}) {
    const QUrl url = QtHost::desktop_url(path);
    EXPECT_TRUE(url.isLocalFile()) << path;
    EXPECT_EQ(url.toLocalFile().toStdString(), path);
    EXPECT_TRUE(url.fragment().isEmpty()) << path;
  }
  const QUrl guide = QtHost::desktop_url("/opt/gw/Gullyworks.html#tc");
  EXPECT_EQ(guide.toLocalFile().toStdString(), "/opt/gw/Gullyworks.html");
  EXPECT_EQ(guide.fragment().toStdString(), "tc");
  EXPECT_EQ(QtHost::desktop_url("https://example.org/map#va").toString().toStdString(),
            "https://example.org/map#va");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
