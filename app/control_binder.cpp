// Binding of one model control to its widget or action, model to widget and back.
#include "app/control_binder.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/bound_view.h"
#include "app/grid_model.h"
#include "app/host_access.h"
#include "app/item_list_model.h"
#include "app/key_codes.h"
#include "app/view_host.h"
#include "platform/ui/form.h"

namespace gw::app {

using ui::Kind;
using ui::Prop;

namespace {

// Column widths of the grids are kept in twips, as the windows set them.
constexpr int kTwipsPerPixel = 15;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Offsets into the model's UTF-8 text and into the widget's UTF-16 text.
int widget_offset(const std::string& text, int byte_offset) {
  byte_offset = std::clamp(byte_offset, 0, static_cast<int>(text.size()));
  return static_cast<int>(QString::fromUtf8(text.data(), byte_offset).size());
}

int model_offset(const QString& text, int offset) {
  offset = std::clamp(offset, 0, static_cast<int>(text.size()));
  return static_cast<int>(text.left(offset).toUtf8().size());
}

bool is_picture(const ui::Control& c) { return c.kind() == Kind::Image || c.kind() == Kind::PictureBox; }

// Widgets whose colour is their editing area's rather than their face's.
bool uses_base_colour(QWidget* w) {
  return qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QComboBox*>(w) ||
         qobject_cast<QAbstractItemView*>(w);
}

QStringList to_list(const std::vector<std::string>& items) {
  QStringList l;
  l.reserve(static_cast<qsizetype>(items.size()));
  for (const auto& s : items) l << qs(s);
  return l;
}

QStringList list_items(QListWidget* lw) {
  QStringList l;
  for (int i = 0; i < lw->count(); ++i) l << lw->item(i)->text();
  return l;
}

}  // namespace

QString object_name(const ui::Control& c) {
  if (c.index() < 0) return qs(c.name());
  return qs(c.name()) + "_" + QString::number(c.index());
}

QObject* find_control_object(QWidget* top, const ui::Control& c) {
  if (!top) return nullptr;
  const QString n = object_name(c);
  if (c.kind() == Kind::MenuItem) {
    if (auto* m = top->findChild<QMenu*>(n)) return m;
    return top->findChild<QAction*>(n);
  }
  return top->findChild<QWidget*>(n);
}

std::optional<QColor> colour_of(std::uint32_t bgr) {
  if (bgr & 0x80000000u) return std::nullopt;  // a system colour: the palette's own
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

QString strip_access_keys(const QString& caption) {
  QString out;
  out.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

namespace {

// The caption a layout gives a captioned widget (empty for any other).
QString layout_caption(QObject* o) {
  if (auto* gb = qobject_cast<QGroupBox*>(o)) return gb->title();
  if (auto* ab = qobject_cast<QAbstractButton*>(o)) return ab->text();
  if (auto* lb = qobject_cast<QLabel*>(o)) return lb->pixmap().isNull() ? lb->text() : QString();
  if (auto* m = qobject_cast<QMenu*>(o)) return m->title();
  if (auto* a = qobject_cast<QAction*>(o)) return a->isSeparator() ? QString() : a->text();
  return {};
}

}  // namespace

// ---- construction ----------------------------------------------------------------

ControlBinding::ControlBinding(BoundView& view, ui::Control& ctl, QObject* obj)
    : view_(view), ctl_(ctl), obj_(obj), guard_(new QObject) {
  observer_ = ctl_.observe([this](ui::Control& c, Prop p) {
    // The widget already shows what the user typed or selected.
    if (c.from_view && (p == Prop::Text || p == Prop::Selection)) return;
    apply(p);
  });
  if (auto* pb = qobject_cast<QPushButton*>(obj)) {
    // Enter in a field is the field's key, never a press of some button.
    pb->setAutoDefault(false);
    pb->setDefault(false);
  }
  if (auto* rb = qobject_cast<QRadioButton*>(obj)) rb->setAutoExclusive(false);  // the model groups them
  if (auto* cb = qobject_cast<QComboBox*>(obj)) {
    if (ctl_.kind() == Kind::ComboBox || ctl_.kind() == Kind::DataCombo) cb->setEditable(ctl_.style != 2);
    cb->setInsertPolicy(QComboBox::NoInsert);
    // Every item of a list is one line of text: the drop-down measures none of them.
    if (auto* lv = qobject_cast<QListView*>(cb->view())) lv->setUniformItemSizes(true);
    // A combo whose layout fixes its width need not measure its items to size itself.
    if (cb->minimumWidth() == cb->maximumWidth())
      cb->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  }
  if (auto* tv = qobject_cast<QTableView*>(obj); tv && ctl_.kind() == Kind::Grid) {
    tv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tv->setSelectionMode(QAbstractItemView::SingleSelection);
    // The view reads the cells the window holds: no copy of them on the Qt side.
    grid_model_ = new GridModel(ctl_, tv);
    tv->setModel(grid_model_);
  }
  if (auto* le = qobject_cast<QLineEdit*>(obj); le && ctl_.max_length > 0) le->setMaxLength(ctl_.max_length);
  // Tab leaves a multi-line box for the next control, as in every other field.
  if (auto* pe = qobject_cast<QPlainTextEdit*>(obj)) pe->setTabChangesFocus(true);
  if (auto* a = qobject_cast<QAction*>(obj); a && !ctl_.shortcut.empty())
    a->setShortcut(QKeySequence(qs(ctl_.shortcut)));
  if (auto* w = qobject_cast<QWidget*>(obj)) {
    // A control the Tab key passes over is reached with the mouse only: a field left by
    // Tab hands the focus to a control of the window, as the model's tab order does.
    if (!ctl_.tab_stop) {
      QWidget* f = w->focusProxy() ? w->focusProxy() : w;
      if (f->focusPolicy() & Qt::TabFocus)
        f->setFocusPolicy((f->focusPolicy() & Qt::ClickFocus) ? Qt::ClickFocus : Qt::NoFocus);
    }
    view_.watch(w, this);
    if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->lineEdit()) view_.watch(cb->lineEdit(), this);
  }
  form_caption_ = layout_caption(obj);
  connect_signals();
  apply_all();
}

ControlBinding::~ControlBinding() { delete guard_; }

void ControlBinding::detach() {
  if (!alive_) return;
  alive_ = false;
  ctl_.unobserve(observer_);
  // The control goes with its window; a view still on the screen shows nothing of it.
  if (grid_model_) grid_model_->detach();
}

QWidget* ControlBinding::focus_widget() const {
  auto* w = qobject_cast<QWidget*>(obj_.data());
  if (!w || w->focusPolicy() == Qt::NoFocus) return nullptr;
  if (qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w) || qobject_cast<QStatusBar*>(w) ||
      qobject_cast<QToolBar*>(w))
    return nullptr;
  return w;
}

template <class F>
void ControlBinding::user(F&& f) {
  if (!alive_ || view_.host().applying()) return;
  view_.user_action([&] { f(); });
  if (!alive_) return;
  // The handler may have changed this very control while its value came from the view.
  apply_text();
  apply_value();
  apply_list_index();
  apply_grid_position();
  if (qobject_cast<QTabWidget*>(obj_)) apply_tabs();
}

template <class F>
void ControlBinding::from_view(F&& f) {
  ctl_.from_view = true;
  struct Reset {
    ControlBinding& b;
    ~Reset() {
      if (b.alive_) b.ctl_.from_view = false;
    }
  } reset{*this};
  f();
}

void ControlBinding::connect_signals() {
  QObject* o = obj_;
  if (auto* le = qobject_cast<QLineEdit*>(o)) {
    QObject::connect(le, &QLineEdit::textEdited, guard_, [this] { user([this] { push_text(); }); });
    auto sel = [this] {
      if (alive_ && !view_.host().applying()) push_selection();
    };
    QObject::connect(le, &QLineEdit::cursorPositionChanged, guard_, sel);
    QObject::connect(le, &QLineEdit::selectionChanged, guard_, sel);
  } else if (auto* pe = qobject_cast<QPlainTextEdit*>(o)) {
    QObject::connect(pe, &QPlainTextEdit::textChanged, guard_, [this] { user([this] { push_text(); }); });
  } else if (auto* cb = qobject_cast<QComboBox*>(o)) {
    QObject::connect(cb, &QComboBox::activated, guard_, [this](int i) {
      user([this, i] { from_view([this, i] { ctl_.set_list_index(i); }); });
    });
    if (QLineEdit* edit = cb->lineEdit()) {
      QObject::connect(edit, &QLineEdit::textEdited, guard_, [this] { user([this] { push_text(); }); });
    }
  } else if (auto* lw = qobject_cast<QListWidget*>(o)) {
    QObject::connect(lw, &QListWidget::currentRowChanged, guard_, [this](int row) {
      user([this, row] { from_view([this, row] { ctl_.set_list_index(row); }); });
    });
    QObject::connect(lw, &QListWidget::itemDoubleClicked, guard_,
                     [this] { user([this] { ctl_.dblclick(); }); });
  } else if (auto* tv = qobject_cast<QTableView*>(o); tv && grid_model_) {
    QObject::connect(tv->selectionModel(), &QItemSelectionModel::currentChanged, guard_,
                     [this](const QModelIndex& current) {
                       const int r = current.row();
                       const int c = current.column();
                       if (r < 0 || c < 0) return;
                       user([this, r, c] {
                         from_view([this, r, c] {
                           ctl_.set_row(r + std::max(ctl_.fixed_rows, 0));
                           ctl_.set_col(c + std::max(ctl_.fixed_cols, 0));
                         });
                       });
                     });
    QObject::connect(tv, &QAbstractItemView::clicked, guard_, [this] { user([this] { ctl_.click(); }); });
    QObject::connect(tv, &QAbstractItemView::doubleClicked, guard_,
                     [this] { user([this] { ctl_.dblclick(); }); });
  } else if (auto* tabs = qobject_cast<QTabWidget*>(o)) {
    QObject::connect(tabs, &QTabWidget::currentChanged, guard_, [this](int i) {
      if (i < 0) return;
      user([this, i] { from_view([this, i] { ctl_.set_tab(i); }); });
    });
  } else if (auto* chk = qobject_cast<QCheckBox*>(o)) {
    QObject::connect(chk, &QCheckBox::clicked, guard_, [this, chk] {
      const int v = chk->checkState() == Qt::Checked ? 1 : chk->checkState() == Qt::PartiallyChecked ? 2 : 0;
      user([this, v] { from_view([this, v] { ctl_.set_value(v); }); });
    });
  } else if (auto* rb = qobject_cast<QRadioButton*>(o)) {
    QObject::connect(rb, &QRadioButton::clicked, guard_,
                     [this] { user([this] { from_view([this] { ctl_.set_value(1); }); }); });
  } else if (auto* ab = qobject_cast<QAbstractButton*>(o)) {
    QObject::connect(ab, &QAbstractButton::clicked, guard_, [this] { user([this] { ctl_.click(); }); });
  } else if (auto* m = qobject_cast<QMenu*>(o)) {
    // A menu's own Click comes as it drops down.
    QObject::connect(m, &QMenu::aboutToShow, guard_, [this] { user([this] { ctl_.click(); }); });
  } else if (auto* a = qobject_cast<QAction*>(o)) {
    QObject::connect(a, &QAction::triggered, guard_, [this] { user([this] { ctl_.click(); }); });
  }
}

// ---- widget -> model ---------------------------------------------------------------

void ControlBinding::push_text() {
  QString t;
  if (auto* le = qobject_cast<QLineEdit*>(obj_))
    t = le->text();
  else if (auto* pe = qobject_cast<QPlainTextEdit*>(obj_)) {
    t = pe->toPlainText().replace("\n", "\r\n");
    // A multi-line box has no length limit of its own: what goes past the field's limit
    // (a line break counting two characters) is cut off, as a one-line box does.
    if (ctl_.max_length > 0 && t.size() > ctl_.max_length) {
      t.truncate(ctl_.max_length);
      if (t.endsWith('\r')) t.chop(1);
      if (t.size() > 0 && t.back().isHighSurrogate()) t.chop(1);
      ViewHost::Applying busy(view_.host());
      pe->setPlainText(QString(t).replace("\r\n", "\n"));
      pe->moveCursor(QTextCursor::End);
    }
  } else if (auto* cb = qobject_cast<QComboBox*>(obj_))
    t = cb->currentText();
  else
    return;
  const std::string s = t.toStdString();
  if (s == ctl_.text()) return;
  // A paste into a numeric field that its key filter would not let through is refused as a
  // typed key is: the widget goes back to the field's text.
  bool taken = false;
  from_view([&] { taken = ctl_.enter_text(s); });
  if (!taken) {
    if (alive_) apply_text();
    return;
  }
  if (alive_) push_selection();
}

void ControlBinding::push_selection() {
  QLineEdit* le = qobject_cast<QLineEdit*>(obj_);
  if (auto* cb = qobject_cast<QComboBox*>(obj_)) le = cb->lineEdit();
  if (!le) return;
  const QString t = le->text();
  int start = le->hasSelectedText() ? static_cast<int>(le->selectionStart()) : le->cursorPosition();
  int len = le->hasSelectedText() ? static_cast<int>(le->selectedText().size()) : 0;
  const int s = model_offset(t, start);
  const int l = model_offset(t, start + len) - s;
  if (s == ctl_.sel_start() && l == ctl_.sel_length()) return;
  from_view([&] { ctl_.set_selection(s, l); });
}

bool ControlBinding::key_press(QKeyEvent& e) {
  if (!alive_ || view_.host().applying()) return false;
  if (!ctl_.on_key_press) return false;
  push_selection();
  const int ascii = key_ascii(e);
  if (ascii < 0 || !ctl_.on_key_press) return false;
  int k = ascii;
  view_.user_action([&] {
    if (ctl_.on_key_press) ctl_.on_key_press(k);
  });
  if (!alive_) return true;
  apply_text();
  if (k == 0) return true;       // the handler dropped the key
  if (k == ascii) return false;  // the key goes on to the widget unchanged
  // The handler typed another character in its place; a display-only field takes none.
  if (k >= 32 && k < 256) {
    const QString ch(QChar(static_cast<char16_t>(k)));
    QLineEdit* le = qobject_cast<QLineEdit*>(obj_);
    if (auto* cb = qobject_cast<QComboBox*>(obj_)) le = cb->lineEdit();
    auto* pe = qobject_cast<QPlainTextEdit*>(obj_);
    if (le && !le->isReadOnly())
      le->insert(ch);
    else if (pe && !pe->isReadOnly())
      pe->insertPlainText(ch);
    else
      return true;
    user([this] { push_text(); });
  }
  return true;
}

void ControlBinding::focus_in() {
  if (!alive_ || view_.host().applying()) return;
  if (ctl_.form().active_control(host_key) == &ctl_) return;
  user([this] { ctl_.form().set_focus(ctl_); });
}

void ControlBinding::mouse_click() {
  QObject* o = obj_;
  if (qobject_cast<QLabel*>(o) || qobject_cast<QLineEdit*>(o) || qobject_cast<QPlainTextEdit*>(o) ||
      qobject_cast<QGroupBox*>(o) ||
      (qobject_cast<QFrame*>(o) && !qobject_cast<QAbstractItemView*>(o) && !qobject_cast<QTabWidget*>(o)))
    user([this] { ctl_.click(); });
}

void ControlBinding::mouse_double_click() {
  QObject* o = obj_;
  if (qobject_cast<QLabel*>(o) || qobject_cast<QLineEdit*>(o) || qobject_cast<QPlainTextEdit*>(o) ||
      qobject_cast<QGroupBox*>(o) || qobject_cast<QComboBox*>(o))
    user([this] { ctl_.dblclick(); });
}

// ---- model -> widget ---------------------------------------------------------------

void ControlBinding::apply_all() {
  apply_items();
  apply_text();
  apply_enabled();
  apply_visible();
  apply_locked();
  apply_colour();
  apply_value();
  apply_list_index();
  apply_selection();
  apply_panels();
  apply_buttons();
  apply_tabs();
  apply_picture();
  if (grid_model_) {
    cells_pending_ = false;
    apply_cells();
  }
}

void ControlBinding::apply(Prop p) {
  if (!alive_ || !obj_) return;
  switch (p) {
    case Prop::Text:
      apply_text();
      break;
    case Prop::Enabled:
      apply_enabled();
      apply_locked();
      break;
    case Prop::Visible:
      apply_visible();
      break;
    case Prop::Locked:
      apply_locked();
      break;
    case Prop::BackColor:
      apply_colour();
      break;
    case Prop::Value:
      apply_value();
      break;
    case Prop::Items:
      apply_items();
      break;
    case Prop::ListIndex:
      apply_list_index();
      apply_text();
      break;
    case Prop::Selection:
      apply_selection();
      apply_grid_position();
      break;
    case Prop::Cells:
      schedule_cells();
      break;
    case Prop::Panels:
      apply_panels();
      break;
    case Prop::Buttons:
      apply_buttons();
      break;
    case Prop::Tabs:
      apply_tabs();
      break;
    case Prop::Other:
      apply_all();
      break;
  }
}

void ControlBinding::apply_text() {
  ViewHost::Applying busy(view_.host());
  QObject* o = obj_;
  const QString t = qs(ctl_.text());
  if (auto* le = qobject_cast<QLineEdit*>(o)) {
    if (le->text() != t) le->setText(t);
  } else if (auto* pe = qobject_cast<QPlainTextEdit*>(o)) {
    QString shown = t;
    shown.replace("\r\n", "\n");
    if (pe->toPlainText() != shown) pe->setPlainText(shown);
  } else if (auto* cb = qobject_cast<QComboBox*>(o)) {
    if (cb->isEditable()) {
      if (cb->currentText() != t) cb->setEditText(t);
    } else {
      const int i = cb->findText(t, Qt::MatchExactly);
      if (cb->currentIndex() != i) cb->setCurrentIndex(i);
    }
    return;
  }
  // A caption: the layout's own while the window shows its caption as designed (the layout is
  // where captions are written), the window's once a handler changes it (units, modes).
  const bool as_designed = !form_caption_.isEmpty() && ctl_.text() == ctl_.designed_text;
  const QString caption = as_designed ? form_caption_ : t;
  if (auto* gb = qobject_cast<QGroupBox*>(o)) {
    if (gb->title() != caption) gb->setTitle(caption);
  } else if (auto* ab = qobject_cast<QAbstractButton*>(o)) {
    if (ab->text() != caption) ab->setText(caption);
  } else if (auto* lb = qobject_cast<QLabel*>(o)) {
    if (is_picture(ctl_)) return;
    const QString shown = as_designed ? caption : strip_access_keys(t);
    if (lb->text() != shown) lb->setText(shown);
  } else if (auto* m = qobject_cast<QMenu*>(o)) {
    if (m->title() != caption) m->setTitle(caption);
  } else if (auto* a = qobject_cast<QAction*>(o)) {
    if (ctl_.separator || t == "-") {
      // The platform's own line: a separator with a text is drawn as a captioned section.
      if (!a->text().isEmpty()) a->setText(QString());
      a->setSeparator(true);
    } else {
      a->setSeparator(false);
      if (a->text() != caption) a->setText(caption);
    }
  }
}

void ControlBinding::apply_enabled() {
  ViewHost::Applying busy(view_.host());
  const bool v = ctl_.enabled();
  if (auto* m = qobject_cast<QMenu*>(obj_)) {
    m->setEnabled(v);
    m->menuAction()->setEnabled(v);
  } else if (auto* a = qobject_cast<QAction*>(obj_)) {
    a->setEnabled(v);
  } else if (auto* w = qobject_cast<QWidget*>(obj_)) {
    if (w->testAttribute(Qt::WA_ForceDisabled) == v) w->setEnabled(v);
  }
}

void ControlBinding::apply_visible() {
  ViewHost::Applying busy(view_.host());
  const bool v = ctl_.visible();
  if (auto* m = qobject_cast<QMenu*>(obj_)) {
    m->menuAction()->setVisible(v);
  } else if (auto* a = qobject_cast<QAction*>(obj_)) {
    a->setVisible(v);
  } else if (auto* w = qobject_cast<QWidget*>(obj_)) {
    if (w->isHidden() == v) w->setVisible(v);
  }
}

void ControlBinding::apply_locked() {
  ViewHost::Applying busy(view_.host());
  // A display-only field (locked, or disabled by its window) is read-only and stays
  // readable; apply_colour gives it the read-only background.
  const bool v = ctl_.locked() || (ctl_.kind() == Kind::TextBox && !ctl_.enabled());
  if (auto* le = qobject_cast<QLineEdit*>(obj_))
    le->setReadOnly(v);
  else if (auto* pe = qobject_cast<QPlainTextEdit*>(obj_))
    pe->setReadOnly(v);
  else if (auto* cb = qobject_cast<QComboBox*>(obj_); cb && cb->lineEdit())
    cb->lineEdit()->setReadOnly(v);
  apply_colour();
}

void ControlBinding::apply_colour() {
  auto* w = qobject_cast<QWidget*>(obj_.data());
  if (!w) return;
  ViewHost::Applying busy(view_.host());
  auto c = colour_of(ctl_.back_color());
  // A layout may give a field its own colour where the window keeps the system's.
  if (!c && w->property("gwColour").isValid()) c = QColor(w->property("gwColour").toString());
  if (uses_base_colour(w)) {
    // Fields: the window's colour, else white for input and the window background for
    // display-only fields; their text keeps its colour when the field or its frame is
    // disabled, so that values are read as easily as they are typed.
    QPalette p = QApplication::palette(w);
    const bool read_only = ctl_.locked() || !ctl_.enabled();
    const QColor read_only_base = c ? *c : p.color(QPalette::Active, QPalette::Window);
    if (c)
      p.setColor(QPalette::Base, *c);
    else if (read_only)
      p.setColor(QPalette::Base, read_only_base);
    // A field disabled with its frame (a window in VIEW mode) is read-only as well and
    // looks it, with the read-only background.
    p.setColor(QPalette::Disabled, QPalette::Text, p.color(QPalette::Active, QPalette::Text));
    p.setColor(QPalette::Disabled, QPalette::Base, read_only_base);
    // A drop-down list draws its value as a button's text.
    p.setColor(QPalette::Disabled, QPalette::ButtonText, p.color(QPalette::Active, QPalette::ButtonText));
    if (w->palette() != p || !w->testAttribute(Qt::WA_SetPalette)) w->setPalette(p);
    if (auto* cb = qobject_cast<QComboBox*>(w)) apply_list_look(cb, read_only_base);
    return;
  }
  if (c) {
    QPalette p = w->palette();
    if (p.color(QPalette::Window) == *c && w->testAttribute(Qt::WA_SetPalette)) return;
    p.setColor(QPalette::Window, *c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
  } else if (w->testAttribute(Qt::WA_SetPalette)) {
    w->setPalette(QPalette());
    if (!qobject_cast<QAbstractButton*>(w)) w->setAutoFillBackground(false);
  }
}

void ControlBinding::enabled_changed() {
  if (qobject_cast<QComboBox*>(obj_.data())) apply_colour();
}

// A drop-down list keeps its arrow button, which looks usable even when the list is locked or
// disabled with its frame (a window in VIEW mode): such a list is drawn as a read-only field
// instead, flat on the read-only background with the field's frame and no arrow, its value in the
// normal text colour.
void ControlBinding::apply_list_look(QComboBox* cb, const QColor& base) {
  ViewHost::Applying busy(view_.host());
  const bool read_only = ctl_.locked() || !cb->isEnabled();
  QString sheet;
  if (read_only) {
    const QPalette p = QApplication::palette(cb);
    sheet = QString("QComboBox { background-color: %1; color: %2; border: 1px solid %3; border-radius: 2px;"
                    " padding: 1px 4px; }"
                    " QComboBox::drop-down { border: none; width: 0px; }"
                    " QComboBox::down-arrow { image: none; width: 0px; }")
                .arg(base.name(), p.color(QPalette::Active, QPalette::Text).name(),
                     p.color(QPalette::Active, QPalette::Window).darker(140).name());
  }
  if (cb->styleSheet() != sheet) cb->setStyleSheet(sheet);
}

void ControlBinding::apply_value() {
  ViewHost::Applying busy(view_.host());
  const int v = ctl_.value();
  if (auto* chk = qobject_cast<QCheckBox*>(obj_)) {
    const Qt::CheckState s = v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    if (v == 2) chk->setTristate(true);
    if (chk->checkState() != s) chk->setCheckState(s);
  } else if (auto* rb = qobject_cast<QRadioButton*>(obj_)) {
    if (rb->isChecked() != (v != 0)) rb->setChecked(v != 0);
  } else if (qobject_cast<QMenu*>(obj_)) {
    // A drop-down menu carries no check mark.
  } else if (auto* a = qobject_cast<QAction*>(obj_)) {
    if (v != 0) a->setCheckable(true);
    if (a->isCheckable() && a->isChecked() != (v != 0)) a->setChecked(v != 0);
  }
}

void ControlBinding::apply_items() {
  ViewHost::Applying busy(view_.host());
  if (ctl_.kind() != Kind::ComboBox && ctl_.kind() != Kind::DataCombo && ctl_.kind() != Kind::ListBox) return;
  if (auto* cb = qobject_cast<QComboBox*>(obj_)) {
    // The combo shows the window's own list of items, through one model per list.
    auto* shown = dynamic_cast<ItemListModel*>(cb->model());
    if (!shown || shown->items() != ctl_.item_list()) {
      cb->setModel(view_.list_model(ctl_.item_list()));
      view_.release_list_models();
    }
    apply_list_index();
    apply_text();
  } else if (auto* lw = qobject_cast<QListWidget*>(obj_)) {
    const QStringList items = to_list(ctl_.items());
    if (list_items(lw) != items) {
      lw->clear();
      lw->addItems(items);
    }
    apply_list_index();
  }
}

void ControlBinding::apply_list_index() {
  ViewHost::Applying busy(view_.host());
  const int i = ctl_.list_index();
  if (auto* cb = qobject_cast<QComboBox*>(obj_)) {
    if (i < cb->count() && cb->currentIndex() != i) {
      const QString keep = qs(ctl_.text());
      cb->setCurrentIndex(i);
      if (cb->isEditable() && cb->currentText() != keep) cb->setEditText(keep);
    }
  } else if (auto* lw = qobject_cast<QListWidget*>(obj_)) {
    if (i < lw->count() && lw->currentRow() != i) {
      if (i < 0) lw->clearSelection();
      lw->setCurrentRow(i);
    }
  }
}

void ControlBinding::apply_selection() {
  ViewHost::Applying busy(view_.host());
  QLineEdit* le = qobject_cast<QLineEdit*>(obj_);
  if (auto* cb = qobject_cast<QComboBox*>(obj_)) le = cb->lineEdit();
  if (!le) return;
  const std::string& t = ctl_.text();
  if (le->text() != qs(t)) return;  // the text itself is not shown yet
  const int start = widget_offset(t, ctl_.sel_start());
  const int end = widget_offset(t, ctl_.sel_start() + ctl_.sel_length());
  if (end > start) {
    if (le->selectionStart() != start || le->selectionEnd() != end) le->setSelection(start, end - start);
  } else if (le->hasSelectedText() || le->cursorPosition() != start) {
    le->deselect();
    le->setCursorPosition(start);
  }
}

void ControlBinding::schedule_cells() {
  // A window fills its grid cell by cell; the table is rebuilt once the handler is done.
  if (cells_pending_) return;
  cells_pending_ = true;
  QTimer::singleShot(0, guard_, [this] {
    cells_pending_ = false;
    if (alive_) apply_cells();
  });
}

void ControlBinding::apply_cells() {
  auto* tv = qobject_cast<QTableView*>(obj_.data());
  if (!tv || !grid_model_) return;
  ViewHost::Applying busy(view_.host());
  const int rows = ctl_.rows();
  const int cols = ctl_.cols();
  const int fr = std::clamp(ctl_.fixed_rows, 0, rows);
  const int fc = std::clamp(ctl_.fixed_cols, 0, cols);
  // The view reads the new cells in place; the old ones are the window's to free.
  grid_model_->refresh();
  tv->horizontalHeader()->setVisible(fr > 0);
  tv->verticalHeader()->setVisible(fc > 0);
  for (int c = fc; c < cols && c < static_cast<int>(ctl_.col_widths.size()); ++c) {
    const int w = ctl_.col_widths[static_cast<size_t>(c)];
    tv->setColumnHidden(c - fc, w == 0);
    if (w > 0) tv->setColumnWidth(c - fc, std::max(w / kTwipsPerPixel, 8));
  }
  apply_grid_position();
}

namespace {

// Whether the whole of the row shows in the table's viewport.
bool row_shows(QTableView* tv, int r) {
  const int top = tv->rowViewportPosition(r);
  return top >= 0 && top + tv->rowHeight(r) <= tv->viewport()->height();
}

}  // namespace

void ControlBinding::apply_grid_position() {
  auto* tv = qobject_cast<QTableView*>(obj_.data());
  if (!tv || !grid_model_ || cells_pending_) return;
  ViewHost::Applying busy(view_.host());
  const QModelIndex at = grid_model_->index(ctl_.row() - std::max(ctl_.fixed_rows, 0),
                                            ctl_.col() - std::max(ctl_.fixed_cols, 0));
  if (!at.isValid()) return;
  const int r = at.row();
  const bool moved = tv->currentIndex() != at;
  const bool in_sight = tv->isVisible() && row_shows(tv, r);
  if (moved) tv->setCurrentIndex(at);
  // The current row is selected from the current column to the last, so the whole pipe
  // reads as chosen.
  const QModelIndex last = grid_model_->index(r, grid_model_->columnCount() - 1);
  const QItemSelection range(at, last);
  if (tv->selectionModel() && tv->selectionModel()->selection() != range)
    tv->selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
  if (!moved || in_sight) return;
  // A row the program moves to out of sight (a rebuilt table showing the pipe last worked
  // on) becomes the top row. A table not shown yet is laid out, from its top, once its
  // window shows.
  if (tv->isVisible()) {
    tv->scrollTo(at, QAbstractItemView::PositionAtTop);
    return;
  }
  QTimer::singleShot(0, guard_, [this, tv = QPointer<QTableView>(tv), r] {
    if (!alive_ || !tv || !grid_model_ || r >= grid_model_->rowCount()) return;
    tv->scrollToTop();
    if (!row_shows(tv, r)) tv->scrollTo(grid_model_->index(r, 0), QAbstractItemView::PositionAtTop);
  });
}

void ControlBinding::apply_panels() {
  auto* sb = qobject_cast<QStatusBar*>(obj_.data());
  if (!sb) return;
  ViewHost::Applying busy(view_.host());
  for (int i = 1; i <= ctl_.panel_count(); ++i) {
    const QString name = sb->objectName() + "_panel" + QString::number(i);
    auto* label = sb->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
    if (!label) {
      label = new QLabel(sb);
      label->setObjectName(name);
      label->setTextFormat(Qt::PlainText);
      label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      label->setMinimumWidth(i == 1 ? 200 : 140);
      if (i == 1)
        sb->addWidget(label, 1);
      else
        sb->addPermanentWidget(label);
    }
    const QString t = qs(ctl_.panel(i));
    if (label->text() != t) label->setText(t);
  }
}

void ControlBinding::apply_buttons() {
  auto* tb = qobject_cast<QToolBar*>(obj_.data());
  if (!tb) return;
  ViewHost::Applying busy(view_.host());
  const auto& buttons = ctl_.buttons();
  QList<QAction*> acts = tb->actions();
  bool rebuilt = false;
  if (acts.size() != static_cast<qsizetype>(buttons.size())) {
    tb->clear();
    for (size_t i = 0; i < buttons.size(); ++i) {
      QAction* a = buttons[i].separator ? tb->addSeparator() : tb->addAction(QString());
      a->setObjectName(tb->objectName() + "_" + QString::number(i + 1));
      if (buttons[i].separator) continue;
      // Checkable, so that a button shows the pressed state its command keeps; after the
      // click the model's state is shown again, whatever Qt toggled.
      a->setCheckable(true);
      const int index = static_cast<int>(i) + 1;
      QObject::connect(a, &QAction::triggered, guard_, [this, index] {
        user([this, index] { ctl_.click_button(index); });
        if (alive_) apply_buttons();
      });
    }
    acts = tb->actions();
    rebuilt = true;
  }
  bool after_separator = true;  // a run of separators is drawn as one gap
  for (size_t i = 0; i < buttons.size(); ++i) {
    const ui::ToolButton& b = buttons[i];
    QAction* a = acts[static_cast<qsizetype>(i)];
    if (b.separator) {
      a->setVisible(b.visible && !after_separator && i + 1 < buttons.size());
      after_separator = after_separator || a->isVisible();
      continue;
    }
    after_separator = !b.visible ? after_separator : false;
    const QString tip = qs(b.tooltip.empty() ? b.key : b.tooltip);
    const QString picture = qs(b.picture.empty() ? b.key + ".png" : b.picture);
    const QFileInfo icon(qs(view_.program_folder()) + "/" + picture);
    if (rebuilt && !b.key.empty() && icon.exists()) a->setIcon(QIcon(icon.filePath()));
    // A button with a picture only still names itself when its picture is missing.
    const QString text = b.caption.empty() && a->icon().isNull() ? tip : qs(b.caption);
    if (a->text() != text) a->setText(text);
    a->setToolTip(tip);
    a->setEnabled(b.enabled);
    a->setVisible(b.visible);
    if (a->isChecked() != b.pressed) a->setChecked(b.pressed);
    // Framed buttons, each with its caption, or its picture alone when it has no caption.
    if (auto* w = qobject_cast<QToolButton*>(tb->widgetForAction(a))) {
      w->setAutoRaise(false);
      w->setToolButtonStyle(b.caption.empty() && !a->icon().isNull() ? Qt::ToolButtonIconOnly
                                                                     : Qt::ToolButtonTextOnly);
    }
  }
}

void ControlBinding::apply_tabs() {
  auto* tw = qobject_cast<QTabWidget*>(obj_.data());
  if (!tw) return;
  ViewHost::Applying busy(view_.host());
  const auto& tabs = ctl_.tabs();
  for (size_t i = 0; i < tabs.size(); ++i) {
    const int idx = static_cast<int>(i);
    const QString t = qs(tabs[i]);
    if (idx >= tw->count())
      tw->addTab(new QWidget, t);
    else if (tw->tabText(idx) != t)
      tw->setTabText(idx, t);
  }
  if (ctl_.tab() >= 0 && ctl_.tab() < tw->count() && tw->currentIndex() != ctl_.tab())
    tw->setCurrentIndex(ctl_.tab());
}

void ControlBinding::apply_picture() {
  auto* lb = qobject_cast<QLabel*>(obj_.data());
  if (!lb || !is_picture(ctl_)) return;
  const QString file = qs(ctl_.picture);
  if (lb->property("gwPictureShown").toString() == file) return;
  lb->setProperty("gwPictureShown", file);
  if (file.isEmpty()) {
    lb->clear();
    return;
  }
  QPixmap pm(qs(view_.program_folder()) + "/" + file);
  if (pm.isNull()) {
    lb->clear();
    return;
  }
  const QSize room = lb->maximumSize();
  if (!lb->hasScaledContents() && (pm.width() > room.width() || pm.height() > room.height()))
    pm = pm.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  lb->setPixmap(pm);
}

}  // namespace gw::app
