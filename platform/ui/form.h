// Window model: controls, load and unload, showing, focus and tab order.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/control.h"

// The code that drives windows from outside them, each through its own access class.
namespace gw::app {
class HostAccess;
}
namespace gw::runner {
class HostAccess;
}
namespace gw::testing {
class HostAccess;
}
namespace gw::bench {
class HostAccess;
}

namespace gw::ui {

class Forms;
class Host;

// The key to a window's controls from outside the window. Only the front-end, the scenario
// runner, the tests and the benchmarks make one (each through its HostAccess, in a header of
// its own folder that no window may include), so a window's code that reaches into another
// window's controls does not compile: what one window hands another goes through the typed
// face of named methods that the receiving window offers.
class HostKey {
 private:
  constexpr HostKey() = default;
  friend class gw::app::HostAccess;
  friend class gw::runner::HostAccess;
  friend class gw::testing::HostAccess;
  friend class gw::bench::HostAccess;
};

class Form {
 public:
  Form(Forms& forms, std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  Forms& forms() const { return forms_; }
  Host& host() const;

  bool is_loaded() const { return loaded_; }
  bool is_visible() const { return loaded_ && visible_; }

  // Loads the window when it is not loaded: builds its controls as designed and runs
  // its load handler. Touching a control does this implicitly.
  void load();
  // Runs the unload handler (which may cancel) and discards the controls; form-level
  // variables of the derived class keep their values. Returns false when cancelled.
  // Unloading a window that is not loaded does nothing and returns true.
  bool unload();
  // Shows the window modally through the host; returns when it is unloaded or hidden.
  void show_modal();
  void show();
  void hide();

  const std::string& caption() const { return caption_; }
  void set_caption(const std::string& c);

  // The host's way to the window's controls (HostKey): the front-end, the scenario runner,
  // the tests and the benchmarks drive a window through these. A control by name and index
  // (-1: not a control array), loading the window first as the window's own c() does.
  Control& host_control(HostKey, std::string_view name, int index = -1) { return c(name, index); }
  // Without loading; nullptr when absent or not loaded.
  Control* find(HostKey, std::string_view name, int index = -1) const { return find(name, index); }
  std::vector<Control*> controls(HostKey) const { return controls(); }
  Control* active_control(HostKey) const { return active_; }
  std::vector<Control*> tab_order(HostKey) const { return tab_order(); }
  Control* cancel_control(HostKey) const { return cancel_control(); }
  Control* shortcut_control(HostKey, std::string_view keys) const { return shortcut_control(keys); }

  // Focus and tab order.
  // Moves the focus as a user would: LostFocus of the control that had it, then
  // GotFocus of this one. A control that cannot take the focus is refused (false).
  bool set_focus(Control& ctl);
  bool can_focus(const Control& ctl) const;
  // The frame (or other container) holding the control, directly or further out, that is
  // hidden, resp. disabled: the innermost such; nullptr when there is none. A control inside
  // it can be neither seen nor used, whatever its own Visible and Enabled say.
  const Control* hidden_container(const Control& ctl) const;
  const Control* disabled_container(const Control& ctl) const;
  // The tab strip whose page holds the control (or a frame holding it) when another page of
  // it is shown: the control is out of sight. nullptr when it lies on no page or on the
  // shown one. `page`, when given, receives the page that holds it.
  const Control* strip_showing_another_page(const Control& ctl, int* page = nullptr) const;
  // Moves the focus to the next control in tab order (a Tab key).
  void tab_next();

  // Whether the user can operate the control: it, the frames that hold it and, for a menu
  // item, the menus above it are enabled and visible, and its tab page is the one shown.
  bool operable(const Control& ctl) const;

  int mouse_pointer() const { return mouse_pointer_; }
  void set_mouse_pointer(int p);

  // Observers of the window itself (loaded, unloaded, shown, hidden, caption).
  enum class Event { Loaded, Unloaded, Shown, Hidden, Caption, MousePointer };
  using Observer = std::function<void(Form&, Event)>;
  int observe(Observer o);
  void unobserve(int id);

 protected:
  // The window's own controls by name and index (-1: not a control array). Loads the window
  // first.
  Control& c(std::string_view name, int index = -1);
  // The window's own controls: by name without loading (nullptr when absent or not loaded),
  // all of them, the one with the focus, those the Tab key visits in its order.
  Control* find(std::string_view name, int index = -1) const;
  std::vector<Control*> controls() const;
  Control* active_control() const { return active_; }
  std::vector<Control*> tab_order() const;
  // The window's keys, wherever its focus is: Esc presses the control marked `cancel`, a
  // shortcut ("Ctrl+A", compared without regard to case) clicks the menu item that carries
  // it. nullptr when the window has no such control.
  Control* cancel_control() const;
  Control* shortcut_control(std::string_view keys) const;

  // Creates the controls as the window is designed (captions, lists, enablement).
  virtual void build() = 0;
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Unload(int& cancel) { (void)cancel; }

  Control& add(Kind kind, std::string name, int index = -1);
  // A menu item of the menu `parent` (empty: a menu of the menu bar), with its caption and its
  // shortcut ("Ctrl+S", "F1"; empty for none). The caption "-" makes a separator.
  Control& add_menu(std::string name, const std::string& caption, std::string parent,
                    std::string shortcut = {});

 private:
  friend class Host;
  friend class Control;  // an option button clears the others of its frame
  void notify(Event e);

  Forms& forms_;
  std::string name_;
  std::string caption_;
  bool loaded_ = false;
  bool visible_ = false;
  bool modal_ = false;
  bool loading_ = false;
  bool leaving_ = false;         // a LostFocus handler is running
  Control* redirect_ = nullptr;  // focus requested by that handler
  int mouse_pointer_ = 0;
  Control* active_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<std::string, Control*, std::less<>> by_key_;
  // Controls of earlier loads, kept alive a while so that a handler that unloads its
  // own window can still return through its control.
  std::deque<std::vector<std::unique_ptr<Control>>> retired_;
  std::vector<std::pair<int, Observer>> observers_;
  int next_observer_ = 1;

 public:
  // For the host: marks the window shown or hidden.
  void host_set_visible(bool v, bool modal);
};

// The program-wide window instances: one per window class, created on first use.
class Forms {
 public:
  explicit Forms(Host& host) : host_(host) {}
  Host& host() const { return host_; }

  using Factory = std::function<std::unique_ptr<Form>(Forms&)>;
  void register_form(const std::string& name, Factory f);
  bool knows(std::string_view name) const;
  // The instance, created on first use (not loaded).
  Form& get(std::string_view name);
  Form* existing(std::string_view name) const;
  // Releases the instance: its form-level variables are discarded too.
  void release(std::string_view name);

  template <class F>
  F& get() {
    return static_cast<F&>(get(F::kName));
  }
  std::vector<std::string> names() const;

 private:
  Host& host_;
  std::map<std::string, Factory, std::less<>> factories_;
  std::map<std::string, std::unique_ptr<Form>, std::less<>> instances_;
  std::vector<std::unique_ptr<Form>> released_;
};

}  // namespace gw::ui
