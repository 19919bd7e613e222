// Views built from a window's model controls, laid out as forms of labels and fields.
#include "app/auto_view.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/control_binder.h"
#include "app/host_access.h"

namespace gw::app {

using ui::Control;
using ui::Kind;

namespace {

constexpr int kRowsPerColumn = 14;
constexpr int kMaxColumns = 4;

bool is_field(Kind k) {
  return k == Kind::TextBox || k == Kind::ComboBox || k == Kind::DataCombo || k == Kind::ListBox;
}

// A widget for a control (not placed); nullptr for the kinds that are not widgets.
QWidget* make_widget(const Control& c) {
  QWidget* w = nullptr;
  switch (c.kind()) {
    case Kind::TextBox:
      if (c.multi_line) {
        auto* pe = new QPlainTextEdit;
        pe->setMaximumHeight(90);
        w = pe;
      } else {
        auto* le = new QLineEdit;
        le->setMinimumWidth(90);
        w = le;
      }
      break;
    case Kind::Label: {
      auto* l = new QLabel;
      l->setTextFormat(Qt::PlainText);
      l->setWordWrap(true);
      w = l;
      break;
    }
    case Kind::Frame:
      w = new QGroupBox;
      break;
    case Kind::CommandButton:
      w = new QPushButton;
      break;
    case Kind::CheckBox:
      w = new QCheckBox;
      break;
    case Kind::OptionButton:
      w = new QRadioButton;
      break;
    case Kind::ComboBox:
    case Kind::DataCombo: {
      auto* cb = new QComboBox;
      cb->setEditable(c.style != 2);
      cb->setMinimumWidth(120);
      w = cb;
      break;
    }
    case Kind::ListBox: {
      auto* lw = new QListWidget;
      lw->setMaximumHeight(120);
      w = lw;
      break;
    }
    case Kind::Image:
    case Kind::PictureBox: {
      auto* l = new QLabel;
      l->setMaximumSize(240, 160);
      l->setAlignment(Qt::AlignCenter);
      if (c.kind() == Kind::PictureBox) l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      w = l;
      break;
    }
    case Kind::Grid: {
      auto* tw = new QTableView;
      tw->setMinimumSize(420, 180);
      w = tw;
      break;
    }
    case Kind::DataControl: {
      auto* l = new QLabel;
      l->setFrameStyle(QFrame::Box | QFrame::Plain);
      l->setTextFormat(Qt::PlainText);
      w = l;
      break;
    }
    case Kind::TabStrip:
      w = new QTabWidget;
      break;
    case Kind::StatusBar:
      w = new QStatusBar;
      break;
    case Kind::Toolbar:
      w = new QToolBar;
      break;
    case Kind::MenuItem:
      return nullptr;
  }
  w->setObjectName(object_name(c));
  return w;
}

// Shows and hides the caption made for a field along with the field.
class CaptionFollower : public QObject {
 public:
  CaptionFollower(QWidget* field, QWidget* caption) : QObject(field), caption_(caption) {
    field->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::ShowToParent)
      caption_->show();
    else if (e->type() == QEvent::HideToParent)
      caption_->hide();
    return false;
  }

 private:
  QWidget* caption_;
};

// One row of a section: a caption beside a field, or a widget across, or a row of buttons.
struct Row {
  QWidget* caption = nullptr;
  QWidget* field = nullptr;
  QWidget* unit = nullptr;
  QWidget* across = nullptr;
  QHBoxLayout* buttons = nullptr;
};

// A label right after a field is the field's unit when no field follows it.
bool is_unit_label(const std::vector<const Control*>& cs, size_t i) {
  if (i >= cs.size() || cs[i]->kind() != Kind::Label) return false;
  return i + 1 >= cs.size() || !is_field(cs[i + 1]->kind());
}

// A container of controls (the window, a frame, a tab page) and its rows.
struct Section {
  QWidget* host = nullptr;
  std::vector<const Control*> controls;
};

void lay_out(Section& s, const std::map<const Control*, QWidget*>& widgets) {
  std::vector<Row> rows;
  const auto& cs = s.controls;
  for (size_t i = 0; i < cs.size(); ++i) {
    const Control* c = cs[i];
    QWidget* w = widgets.at(c);
    if ((c->kind() == Kind::Label && i + 1 < cs.size() && is_field(cs[i + 1]->kind())) ||
        is_field(c->kind())) {
      Row r;
      if (is_field(c->kind())) {
        // A field without a label of its own is captioned with its name.
        auto* cap = new QLabel(QString::fromStdString(c->key()));
        cap->setEnabled(false);
        new CaptionFollower(w, cap);
        r.caption = cap;
        r.field = w;
      } else {
        r.caption = w;
        r.field = widgets.at(cs[++i]);
      }
      if (is_unit_label(cs, i + 1)) r.unit = widgets.at(cs[++i]);
      rows.push_back(r);
    } else if (c->kind() == Kind::CommandButton) {
      if (rows.empty() || !rows.back().buttons) {
        Row r;
        r.buttons = new QHBoxLayout;
        rows.push_back(r);
      }
      rows.back().buttons->addWidget(w);
    } else {
      Row r;
      r.across = w;
      rows.push_back(r);
    }
  }
  auto* grid = new QGridLayout(s.host);
  const int n = static_cast<int>(rows.size());
  const int columns = std::clamp((n + kRowsPerColumn - 1) / kRowsPerColumn, 1, kMaxColumns);
  const int per_column = std::max((n + columns - 1) / columns, 1);
  for (int i = 0; i < n; ++i) {
    Row& r = rows[static_cast<size_t>(i)];
    const int row = i % per_column;
    const int col = 3 * (i / per_column);
    if (r.buttons) {
      r.buttons->addStretch(1);
      grid->addLayout(r.buttons, row, col, 1, 3);
    } else if (r.across) {
      grid->addWidget(r.across, row, col, 1, 3);
    } else {
      grid->addWidget(r.caption, row, col);
      grid->addWidget(r.field, row, col + 1);
      if (r.unit) grid->addWidget(r.unit, row, col + 2);
    }
  }
  grid->setRowStretch(per_column, 1);
}

// The frame or tab page a control lies in: "" for the window itself, "frame" names a
// frame, "strip#n" page n of a tab strip.
std::string section_of(const ui::Form& form, const Control& c, const std::string& first_strip) {
  if (!c.container.empty() && c.container != c.name()) {
    if (const Control* f = form.find(host_key, c.container)) {
      if (f->kind() == Kind::Frame) return f->name();
      if (f->kind() == Kind::TabStrip && c.tab_page >= 0) return f->name() + "#" + std::to_string(c.tab_page);
    }
  }
  if (c.tab_page >= 0 && !first_strip.empty()) return first_strip + "#" + std::to_string(c.tab_page);
  return {};
}

// Frames nested in a cycle (a in b, b in a) are placed in the window instead.
std::string checked_section(const ui::Form& form, const Control& c, const std::string& first_strip) {
  std::string s = section_of(form, c, first_strip);
  std::set<std::string> seen{c.name()};
  std::string cur = s;
  for (int guard = 0; !cur.empty() && guard < 32; ++guard) {
    std::string frame = cur.substr(0, cur.find('#'));
    if (!seen.insert(frame).second) return {};
    const Control* f = form.find(host_key, frame);
    if (!f) return {};
    cur = section_of(form, *f, first_strip);
  }
  return s;
}

// Menus: a menu item with items of its own is a QMenu, any other a QAction; items whose
// parent is not a menu item of the window go on the menu bar.
void add_menus(QWidget* top, QMenuBar* bar, const ui::Form& form, const std::vector<const Control*>& items) {
  std::set<std::string> parents;
  for (const Control* m : form.controls(host_key))
    if (m->kind() == Kind::MenuItem && !m->parent_menu.empty()) parents.insert(m->parent_menu);
  std::map<std::string, QMenu*> menus;
  for (QMenu* m : top->findChildren<QMenu*>()) menus[m->objectName().toStdString()] = m;
  for (const Control* m : items) {
    QMenu* parent = nullptr;
    if (!m->parent_menu.empty()) {
      auto it = menus.find(m->parent_menu);
      if (it != menus.end()) parent = it->second;
    }
    if (parents.count(m->name()) && m->index() < 0) {
      auto* sub = parent ? parent->addMenu(QString()) : bar->addMenu(QString());
      sub->setObjectName(object_name(*m));
      menus[m->name()] = sub;
    } else {
      auto* a = new QAction(top);
      a->setObjectName(object_name(*m));
      if (parent)
        parent->addAction(a);
      else
        bar->addAction(a);
    }
  }
}

QMainWindow* as_main_window(QWidget* top) { return qobject_cast<QMainWindow*>(top); }

// Places the controls (other than menus, toolbars and status bars) into `root` and the
// sections they name; frames and tab strips among them become sections themselves.
void place_controls(QWidget* root, const ui::Form& form, const std::vector<const Control*>& controls,
                    const std::map<const Control*, QWidget*>& widgets) {
  std::string first_strip;
  for (const Control* c : form.controls(host_key))
    if (c->kind() == Kind::TabStrip) {
      first_strip = c->name();
      break;
    }
  std::map<std::string, Section> sections;
  sections[""].host = root;
  for (const Control* c : controls) {
    QWidget* w = widgets.at(c);
    if (c->kind() == Kind::Frame) sections[c->name()].host = w;
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
      int pages = static_cast<int>(c->tabs().size());
      for (const Control* o : form.controls(host_key))
        if (checked_section(form, *o, first_strip).rfind(c->name() + "#", 0) == 0)
          pages = std::max(pages, o->tab_page + 1);
      for (int p = 0; p < pages; ++p) {
        auto* page = new QWidget;
        page->setObjectName(object_name(*c) + "_page" + QString::number(p));
        const std::string cap = p < static_cast<int>(c->tabs().size()) ? c->tabs()[static_cast<size_t>(p)]
                                                                       : "Tab " + std::to_string(p);
        tabs->addTab(page, QString::fromStdString(cap));
        sections[c->name() + "#" + std::to_string(p)].host = page;
      }
    }
  }
  for (const Control* c : controls) {
    std::string s = checked_section(form, *c, first_strip);
    if (!sections.count(s) || !sections[s].host) s.clear();
    sections[s].controls.push_back(c);
  }
  for (auto& [name, sec] : sections) {
    if (sec.host && !sec.controls.empty()) lay_out(sec, widgets);
  }
}

}  // namespace

QWidget* build_auto_window(const ui::Form& form) {
  auto* mw = new QMainWindow;
  mw->setObjectName(QString::fromStdString(form.name()));
  mw->setWindowTitle(QString::fromStdString(form.caption()));

  std::vector<const Control*> menus, placed;
  std::map<const Control*, QWidget*> widgets;
  for (const Control* c : form.controls(host_key)) {
    if (c->kind() == Kind::MenuItem) {
      menus.push_back(c);
      continue;
    }
    QWidget* w = make_widget(*c);
    widgets[c] = w;
    if (auto* tb = qobject_cast<QToolBar*>(w))
      mw->addToolBar(tb);
    else if (auto* sb = qobject_cast<QStatusBar*>(w))
      mw->setStatusBar(sb);
    else
      placed.push_back(c);
  }
  if (!menus.empty()) add_menus(mw, mw->menuBar(), form, menus);

  auto* central = new QWidget;
  central->setObjectName(QString::fromStdString(form.name()) + "_client");
  if (!placed.empty()) place_controls(central, form, placed, widgets);
  central->adjustSize();

  // Windows too large for the screen scroll.
  const QSize hint = central->sizeHint();
  const QSize room(1180, 780);
  if (hint.width() > room.width() || hint.height() > room.height()) {
    auto* scroll = new QScrollArea;
    // The Tab key goes from control to control: the scrolling frame is none of them, and
    // a field left for it would never hear that it lost the focus.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(central);
    mw->setCentralWidget(scroll);
    mw->resize(std::min(hint.width() + 40, room.width()), std::min(hint.height() + 80, room.height()));
  } else {
    mw->setCentralWidget(central);
    mw->setMinimumSize(360, 160);
    mw->adjustSize();
  }
  return mw;
}

void place_missing_controls(QWidget* top, const ui::Form& form, const std::vector<ui::Control*>& missing) {
  QMainWindow* mw = as_main_window(top);
  std::vector<const Control*> menus, placed;
  std::map<const Control*, QWidget*> widgets;
  for (const Control* c : missing) {
    if (c->kind() == Kind::MenuItem) {
      menus.push_back(c);
      continue;
    }
    QWidget* w = make_widget(*c);
    widgets[c] = w;
    if (auto* tb = qobject_cast<QToolBar*>(w); tb && mw)
      mw->addToolBar(tb);
    else if (auto* sb = qobject_cast<QStatusBar*>(w); sb && mw && !mw->findChild<QStatusBar*>())
      mw->setStatusBar(sb);
    else
      placed.push_back(c);
  }
  if (!menus.empty()) {
    QMenuBar* bar = mw ? mw->menuBar() : top->findChild<QMenuBar*>();
    if (!bar) {
      bar = new QMenuBar(top);
      if (top->layout()) top->layout()->setMenuBar(bar);
    }
    add_menus(top, bar, form, menus);
  }
  if (placed.empty()) return;
  QWidget* client = mw && mw->centralWidget() ? mw->centralWidget() : top;
  auto* extra = new QWidget;
  extra->setObjectName(QString::fromStdString(form.name()) + "_more");
  place_controls(extra, form, placed, widgets);
  if (QLayout* l = client->layout()) {
    if (auto* g = qobject_cast<QGridLayout*>(l))
      g->addWidget(extra, g->rowCount(), 0, 1, std::max(g->columnCount(), 1));
    else
      l->addWidget(extra);
  } else {
    extra->setParent(client);
    extra->adjustSize();
    extra->move(0, client->childrenRect().bottom() + 4);
    client->resize(std::max(client->width(), extra->width()), extra->geometry().bottom() + 4);
  }
  top->adjustSize();
}

}  // namespace gw::app
