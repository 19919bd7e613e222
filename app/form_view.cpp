// A model window's view: binding of its controls, close box, focus and key routing.
#include "app/form_view.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSet>
#include <QStyledItemDelegate>

#include "app/auto_view.h"
#include "app/control_binder.h"
#include "app/host_access.h"
#include "app/item_list_model.h"
#include "app/view_host.h"
#include "shell/help.h"
#include "shell/window_names.h"

namespace gw::app {

namespace {

// Draws a list row whose columns are separated by tabs in as many equal columns as its
// list's headings, so that each value stands under its heading and every column shows.
class ColumnDelegate : public QStyledItemDelegate {
 public:
  ColumnDelegate(int columns, QObject* parent) : QStyledItemDelegate(parent), columns_(columns) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem o(option);
    initStyleOption(&o, index);
    const QStringList parts = o.text.split('\t');
    o.text.clear();
    QStyle* style = o.widget ? o.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
    const int width = o.rect.width() / columns_;
    p->save();
    p->setPen(o.palette.color(
        QPalette::Normal, (o.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    for (int i = 0; i < columns_ && i < parts.size(); ++i)
      p->drawText(QRect(o.rect.left() + i * width, o.rect.top(), width, o.rect.height()), Qt::AlignCenter,
                  parts[i].trimmed());
    p->restore();
  }

 private:
  int columns_;
};

}  // namespace

std::string help_section(const std::string& window) {
  static const std::map<std::string, std::string> sections = {
      {window::frmsoftwaremain, "main"},
      {window::frmHydroSplash, "main"},
      {window::frmAbout, "about"},
      {window::frmProject, "project"},
      {window::frmProjectNOAA, "project"},
      {window::frmProjectUpdate, "upgrade"},
      {window::frmpipeflex, "pipetable"},
      {window::frmpipemodify, "renumber"},
      {window::frmpipemain, "pipedesign"},
      {window::frmskew, "deflection"},
      {window::frmVATc, "tc"},
      {window::frmarea, "area"},
      {window::frmareaV2, "area"},
      {window::frmEPipeSize, "sizes"},
      {window::frmPipeSizeM, "sizes"},
      {window::frmPA_C_E, "sizes"},
      {window::frmPA_C_M, "sizes"},
      {window::frmPA_CMP_SC_E, "sizes"},
      {window::frmPA_CMP_SC_M, "sizes"},
      {window::frmPA_CMP_MC_E, "sizes"},
      {window::frmPA_CMP_MC_M, "sizes"},
      {window::frmPA_CMP_LC_E, "sizes"},
      {window::frmPA_CMP_LC_M, "sizes"},
      {window::frmHGL, "hgl"},
      {window::PipeEnergyForm, "outfall"},
      {window::frmEnergyDissipation, "energy"},
  };
  auto it = sections.find(window);
  return it == sections.end() ? std::string() : it->second;
}

FormView::FormView(ViewHost& host, ui::Form& form, QWidget* top) : host_(host), form_(form), top_(top) {
  top_->installEventFilter(this);
  top_->setWindowTitle(QString::fromStdString(form_.caption()));
  // Decorative pictures of a layout name their file in the program folder.
  for (QLabel* l : top_->findChildren<QLabel*>()) {
    const QString file = l->property("gwPicture").toString();
    if (!file.isEmpty()) {
      QPixmap pm(QString::fromStdString(host_.program_folder()) + "/" + file);
      if (!pm.isNull()) l->setPixmap(pm);
    }
  }
  // A row of a list is chosen by double-clicking it, as the window's default button would.
  for (QListWidget* l : top_->findChildren<QListWidget*>()) {
    if (const int columns = l->property("gwColumns").toInt(); columns > 1)
      l->setItemDelegate(new ColumnDelegate(columns, l));
    QObject::connect(l, &QListWidget::itemDoubleClicked, this, [this] { press_button("gwDefaultButton"); });
  }
  form_observer_ = form_.observe([this](ui::Form&, ui::Form::Event e) { on_form_event(e); });
  attached_ = true;
  bind_all();
}

FormView::~FormView() {
  // Bindings first: their connections end before the widgets go.
  watched_.clear();
  bindings_.clear();
  delete top_.data();
}

const std::string& FormView::program_folder() const { return host_.program_folder(); }

void FormView::bind_all() {
  ViewHost::Applying busy(host_);
  std::vector<ui::Control*> missing;
  for (ui::Control* c : form_.controls(host_key)) {
    if (!find_control_object(top_, *c)) missing.push_back(c);
  }
  if (!missing.empty()) {
    // A layout that lacks some controls still gets a widget for each of them.
    place_missing_controls(top_, form_, missing);
    for (ui::Control* c : missing) {
      if (!find_control_object(top_, *c))
        std::fprintf(stderr, "gullyworks: window %s: no widget for control %s\n", form_.name().c_str(),
                     c->key().c_str());
    }
  }
  for (ui::Control* c : form_.controls(host_key)) {
    if (QObject* o = find_control_object(top_, *c))
      bindings_.push_back(std::make_unique<ControlBinding>(*this, *c, o));
  }
  apply_tab_order();
}

void FormView::apply_tab_order() {
  std::vector<std::pair<int, QWidget*>> order;
  for (auto& b : bindings_) {
    if (!b->control().tab_stop) continue;
    if (QWidget* w = b->focus_widget()) order.emplace_back(b->control().tab_index, w);
  }
  std::stable_sort(order.begin(), order.end(), [](auto& a, auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

QObject* FormView::object_of(const ui::Control& c) const {
  for (auto& b : bindings_)
    if (&b->control() == &c && b->alive()) return b->object();
  return nullptr;
}

std::vector<std::string> FormView::unbound_keys() const {
  std::vector<std::string> keys;
  for (ui::Control* c : form_.controls(host_key))
    if (!object_of(*c)) keys.push_back(c->key());
  return keys;
}

void FormView::watch(QObject* obj, ControlBinding* b) {
  watched_.insert(obj, b);
  obj->installEventFilter(this);
}

void FormView::user_action(const std::function<void()>& call) { host_.user_action(call); }

void FormView::follow_focus() {
  if (!attached_) return;
  const ui::Control* active = form_.active_control(host_key);
  if (active == focus_followed_) return;
  focus_followed_ = active;
  if (!active) return;
  for (auto& b : bindings_) {
    if (&b->control() != active || !b->alive()) continue;
    QWidget* w = b->focus_widget();
    if (w && !w->hasFocus()) {
      ViewHost::Applying busy(host_);
      w->setFocus(Qt::OtherFocusReason);
    }
    break;
  }
}

QAbstractItemModel* FormView::list_model(const ui::Control::ItemList& items) {
  for (const QPointer<ItemListModel>& m : list_models_)
    if (m && m->items() == items) return m;
  auto* m = new ItemListModel(items, this);
  list_models_.emplace_back(m);
  return m;
}

void FormView::release_list_models() {
  QSet<const QAbstractItemModel*> shown;
  if (top_)
    for (const QComboBox* cb : top_->findChildren<QComboBox*>()) shown.insert(cb->model());
  for (QPointer<ItemListModel>& m : list_models_) {
    if (m && !shown.contains(m.data())) delete m.data();
  }
  list_models_.erase(
      std::remove_if(list_models_.begin(), list_models_.end(), [](const auto& m) { return m.isNull(); }),
      list_models_.end());
}

void FormView::detach() {
  if (!attached_) return;
  attached_ = false;
  form_.unobserve(form_observer_);
  for (auto& b : bindings_) b->detach();
}

void FormView::on_form_event(ui::Form::Event e) {
  switch (e) {
    case ui::Form::Event::Unloaded: {
      detach();
      {
        ViewHost::Applying busy(host_);
        if (top_) top_->hide();
      }
      host_.forget(*this);
      break;
    }
    case ui::Form::Event::Hidden: {
      ViewHost::Applying busy(host_);
      if (top_) top_->hide();
      host_.window_gone();
      break;
    }
    case ui::Form::Event::Caption:
      if (top_) top_->setWindowTitle(QString::fromStdString(form_.caption()));
      break;
    default:
      break;
  }
}

bool FormView::press_button(const char* role) {
  if (!attached_ || host_.applying() || !top_) return false;
  const QString name = top_->property(role).toString();
  if (name.isEmpty()) return false;
  if (auto* b = top_->findChild<QPushButton*>(name)) {
    if (!b->isVisible() || !b->isEnabled()) return false;
    b->click();
    return true;
  }
  // A window whose only way out is a menu command (File > Exit) names that command.
  if (auto* a = top_->findChild<QAction*>(name); a && a->isEnabled()) {
    a->trigger();
    return true;
  }
  return false;
}

bool FormView::press_cancel() {
  if (!attached_ || host_.applying() || !top_) return false;
  const ui::Control* c = form_.cancel_control(host_key);
  QObject* o = c ? object_of(*c) : nullptr;
  if (auto* b = qobject_cast<QPushButton*>(o)) {
    if (!b->isVisible() || !b->isEnabled()) return false;
    b->click();
    return true;
  }
  if (auto* a = qobject_cast<QAction*>(o); a && a->isEnabled()) {
    a->trigger();
    return true;
  }
  return false;
}

bool FormView::takes_shortcut(const QKeyEvent& e) const {
  if (!top_) return false;
  const QKeySequence pressed(e.keyCombination());
  for (const QAction* a : top_->findChildren<QAction*>())
    if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed) return true;
  return false;
}

bool FormView::window_key(QKeyEvent& e) {
  // Keys no control of the window took: Enter presses the focused button or else the
  // window's default button, Escape its cancelling button.
  if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) {
    if (auto* b = qobject_cast<QPushButton*>(QApplication::focusWidget()); b && top_->isAncestorOf(b)) {
      b->click();
      return true;
    }
    return press_button("gwDefaultButton");
  }
  if (e.key() == Qt::Key_Escape) return press_cancel();
  if (e.key() == Qt::Key_F1 && attached_) {
    // Windows without a Help menu open the guide at their own section too.
    const std::string guide =
        host_.program_folder() + "/" + shell::kHelpFile + "#" + help_section(form_.name());
    if (!host_.open_document(guide)) {
      ui::Message m;
      m.text = "The help document \"" + host_.program_folder() + "/" + shell::kHelpFile +
               "\" could not be opened on this desktop. Please open it yourself.";
      m.icon = ui::Icon::Exclamation;
      host_.message(m);
    }
    return true;
  }
  return false;
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == top_ && event->type() == QEvent::KeyPress)
    return window_key(*static_cast<QKeyEvent*>(event));
  if (watched == top_ && event->type() == QEvent::Close) {
    // The close box asks the model to unload the window; the view follows the model.
    event->ignore();
    if (attached_ && !host_.applying()) host_.user_action([this] { form_.unload(); });
    return true;
  }
  auto it = watched_.find(watched);
  if (it == watched_.end() || !attached_) return false;
  ControlBinding* b = it.value();
  if (!b->alive()) return false;
  // A text box would keep a key that is one of the window's shortcuts for its own editing
  // (Ctrl+A selecting its text): the window's command wins, wherever the focus is.
  if (event->type() == QEvent::ShortcutOverride && takes_shortcut(*static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  switch (event->type()) {
    case QEvent::KeyPress:
      return b->key_press(*static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
      if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) b->focus_in();
      break;
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) b->mouse_click();
      break;
    case QEvent::MouseButtonDblClick:
      b->mouse_double_click();
      break;
    case QEvent::EnabledChange:
      b->enabled_changed();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace gw::app
