// Window load/unload, showing, focus, tab order and keys; the program-wide window instances.
#include "platform/ui/form.h"

#include <algorithm>

#include "platform/error/error.h"
#include "platform/text/ascii_case.h"
#include "platform/ui/host.h"

namespace gw::ui {

Form::Form(Forms& forms, std::string name) : forms_(forms), name_(std::move(name)) {}

Form::~Form() = default;

Host& Form::host() const { return forms_.host(); }

void Form::notify(Event e) {
  auto obs = observers_;
  for (auto& [id, o] : obs) o(*this, e);
}

int Form::observe(Observer o) {
  int id = next_observer_++;
  observers_.emplace_back(id, std::move(o));
  return id;
}

void Form::unobserve(int id) {
  observers_.erase(
      std::remove_if(observers_.begin(), observers_.end(), [id](auto& e) { return e.first == id; }),
      observers_.end());
}

Control& Form::add(Kind kind, std::string name, int index) {
  auto ctl = std::make_unique<Control>(*this, kind, name, index);
  ctl->tab_index = static_cast<int>(controls_.size());
  Control& ref = *ctl;
  by_key_[ref.key()] = &ref;
  controls_.push_back(std::move(ctl));
  return ref;
}

Control& Form::add_menu(std::string name, const std::string& caption, std::string parent,
                        std::string shortcut) {
  Control& m = add(Kind::MenuItem, std::move(name));
  m.set_caption(caption);
  m.parent_menu = std::move(parent);
  m.shortcut = std::move(shortcut);
  m.separator = caption == "-";
  return m;
}

void Form::load() {
  if (loaded_ || loading_) return;
  loading_ = true;
  controls_.clear();
  by_key_.clear();
  active_ = nullptr;
  build();
  for (Control* c : controls()) c->designed_text = c->text();
  loaded_ = true;
  loading_ = false;
  notify(Event::Loaded);
  Form_Load();
}

bool Form::unload() {
  if (!loaded_) return true;
  int cancel = 0;
  Form_Unload(cancel);
  if (cancel != 0) return false;
  if (!loaded_) return true;  // the handler unloaded the window itself
  bool was_visible = visible_;
  loaded_ = false;
  visible_ = false;
  active_ = nullptr;
  notify(Event::Unloaded);
  by_key_.clear();
  // The retired controls keep what a returning handler may touch, not a grid's cells or a
  // list's items: those go now, before a new load reads its own.
  for (auto& c : controls_) c->release_contents();
  retired_.push_back(std::move(controls_));
  controls_.clear();
  while (retired_.size() > 4) retired_.pop_front();
  if (was_visible || modal_) {
    modal_ = false;
    host().form_closed(*this);
  }
  return true;
}

void Form::show_modal() {
  load();
  if (!loaded_) return;
  host().show_modal(*this);
}

void Form::show() {
  load();
  if (!loaded_) return;
  host().show_modeless(*this);
}

void Form::hide() {
  if (!loaded_ || !visible_) return;
  visible_ = false;
  notify(Event::Hidden);
  bool was_modal = modal_;
  modal_ = false;
  if (was_modal) host().form_closed(*this);
}

void Form::host_set_visible(bool v, bool modal) {
  visible_ = v;
  modal_ = v && modal;
  notify(v ? Event::Shown : Event::Hidden);
  if (v) Form_Activate();
}

void Form::set_caption(const std::string& c) {
  caption_ = c;
  notify(Event::Caption);
}

void Form::set_mouse_pointer(int p) {
  mouse_pointer_ = p;
  notify(Event::MousePointer);
  host().set_mouse_pointer(p);
}

Control& Form::c(std::string_view name, int index) {
  load();
  Control* ctl = find(name, index);
  if (!ctl) {
    std::string key(name);
    if (index >= 0) key += "(" + std::to_string(index) + ")";
    throw gw::Error("Window " + name_ + " has no control " + key);
  }
  return *ctl;
}

Control* Form::find(std::string_view name, int index) const {
  std::string key(name);
  if (index >= 0) key += "(" + std::to_string(index) + ")";
  auto it = by_key_.find(key);
  return it == by_key_.end() ? nullptr : it->second;
}

std::vector<Control*> Form::controls() const {
  std::vector<Control*> v;
  v.reserve(controls_.size());
  for (auto& c : controls_) v.push_back(c.get());
  return v;
}

bool Form::can_focus(const Control& ctl) const {
  switch (ctl.kind()) {
    case Kind::Label:
    case Kind::Frame:
    case Kind::Image:
    case Kind::MenuItem:
    case Kind::StatusBar:
    case Kind::Toolbar:
    case Kind::DataControl:
      return false;
    default:
      break;
  }
  if (!ctl.enabled() || !ctl.visible()) return false;
  // A control inside a disabled or hidden frame, or on a page of a tab strip that shows
  // another page, cannot take the focus either: the toolkit skips it.
  return !hidden_container(ctl) && !disabled_container(ctl) && !strip_showing_another_page(ctl);
}

namespace {

// The containers holding a control, innermost first, up to the window itself. Containers
// nested in a cycle (a frame in itself) end the walk at the first repetition.
template <typename Find, typename Stop>
const Control* find_container(Find lookup, const Control& ctl, Stop stop) {
  std::string cont = ctl.container;
  const Control* seen[32] = {};
  int n = 0;
  while (!cont.empty() && n < 32) {
    const Control* f = lookup(cont);
    if (!f || f == &ctl) return nullptr;
    for (int i = 0; i < n; ++i)
      if (seen[i] == f) return nullptr;
    seen[n++] = f;
    if (stop(*f)) return f;
    cont = f->container;
  }
  return nullptr;
}

}  // namespace

const Control* Form::hidden_container(const Control& ctl) const {
  return find_container([this](const std::string& name) { return find(name); }, ctl,
                        [](const Control& f) { return !f.visible(); });
}

const Control* Form::disabled_container(const Control& ctl) const {
  return find_container([this](const std::string& name) { return find(name); }, ctl,
                        [](const Control& f) { return !f.enabled(); });
}

const Control* Form::strip_showing_another_page(const Control& ctl, int* page) const {
  // A page's strip is the control's container when that is a tab strip, else the window's
  // first tab strip, as the layouts place the pages.
  auto strip_of = [this](const Control& c) -> const Control* {
    if (c.tab_page < 0) return nullptr;
    const Control* strip = nullptr;
    if (const Control* cont = find(c.container); cont && cont->kind() == Kind::TabStrip) strip = cont;
    for (size_t i = 0; !strip && i < controls_.size(); ++i)
      if (controls_[i]->kind() == Kind::TabStrip) strip = controls_[i].get();
    return strip && strip != &c && strip->tab() != c.tab_page ? strip : nullptr;
  };
  const Control* holder = &ctl;
  const Control* strip = strip_of(ctl);
  if (!strip)
    find_container([this](const std::string& name) { return find(name); }, ctl,
                   [&](const Control& f) {
                     holder = &f;
                     strip = strip_of(f);
                     return strip != nullptr;
                   });
  if (strip && page) *page = holder->tab_page;
  return strip;
}

bool Form::set_focus(Control& ctl) {
  if (&ctl.form() != this || !can_focus(ctl)) return false;
  if (leaving_) {
    // A LostFocus handler sends the focus somewhere (usually back to the field it
    // refused): that request wins over the move that is under way.
    redirect_ = &ctl;
    return true;
  }
  if (active_ == &ctl) return true;
  Control* target = &ctl;
  Control* previous = active_;
  if (previous && previous->on_lost_focus) {
    leaving_ = true;
    redirect_ = nullptr;
    previous->on_lost_focus();
    leaving_ = false;
    // The lost-focus handler may have unloaded the window.
    if (!loaded_) return false;
    if (redirect_) {
      target = redirect_;
      redirect_ = nullptr;
    }
    // The handler may also have disabled or hidden the control the focus was going to.
    if (!can_focus(*target)) return false;
  }
  active_ = target;
  if (target->on_got_focus) target->on_got_focus();
  return target == &ctl;
}

Control* Form::cancel_control() const {
  for (auto& c : controls_)
    if (c->cancel) return c.get();
  return nullptr;
}

Control* Form::shortcut_control(std::string_view keys) const {
  if (keys.empty()) return nullptr;
  for (auto& c : controls_)
    if (c->kind() == Kind::MenuItem && text::iequals(c->shortcut, keys)) return c.get();
  return nullptr;
}

bool Form::operable(const Control& ctl) const {
  if (&ctl.form() != this || !ctl.enabled() || !ctl.visible()) return false;
  if (hidden_container(ctl) || disabled_container(ctl) || strip_showing_another_page(ctl)) return false;
  std::string menu = ctl.parent_menu;
  for (int guard = 0; !menu.empty() && guard < 16; ++guard) {
    const Control* m = find(menu);
    if (!m) break;
    if (!m->enabled() || !m->visible()) return false;
    menu = m->parent_menu;
  }
  return true;
}

std::vector<Control*> Form::tab_order() const {
  std::vector<Control*> v;
  for (auto& c : controls_)
    if (c->tab_stop && can_focus(*c)) v.push_back(c.get());
  std::stable_sort(v.begin(), v.end(), [](Control* a, Control* b) { return a->tab_index < b->tab_index; });
  return v;
}

void Form::tab_next() {
  auto order = tab_order();
  if (order.empty()) return;
  auto it = std::find(order.begin(), order.end(), active_);
  Control* next = (it == order.end() || std::next(it) == order.end()) ? order.front() : *std::next(it);
  set_focus(*next);
}

// ---- Forms -------------------------------------------------------------------------

void Forms::register_form(const std::string& name, Factory f) { factories_[name] = std::move(f); }

bool Forms::knows(std::string_view name) const { return factories_.find(name) != factories_.end(); }

Form& Forms::get(std::string_view name) {
  auto it = instances_.find(name);
  if (it != instances_.end()) return *it->second;
  auto f = factories_.find(name);
  if (f == factories_.end()) throw gw::Error("Unknown window " + std::string(name));
  auto form = f->second(*this);
  Form& ref = *form;
  instances_.emplace(std::string(name), std::move(form));
  return ref;
}

Form* Forms::existing(std::string_view name) const {
  auto it = instances_.find(name);
  return it == instances_.end() ? nullptr : it->second.get();
}

void Forms::release(std::string_view name) {
  auto it = instances_.find(name);
  if (it == instances_.end()) return;
  it->second->unload();
  // Kept until the program ends: a handler of the released window may still be running.
  released_.push_back(std::move(it->second));
  instances_.erase(it);
}

std::vector<std::string> Forms::names() const {
  std::vector<std::string> v;
  for (auto& [n, f] : factories_) v.push_back(n);
  return v;
}

}  // namespace gw::ui
