// What a window's view asks of the host that shows it, so that the views need not know the host.
#pragma once

#include <functional>
#include <string>

#include "platform/ui/host.h"

namespace gw::app {

class FormView;

// The model's Host as the views see it: the Qt host implements it, and makes and owns the
// views; a view reaches its host only through these calls.
class ViewHost : public ui::Host {
 public:
  // Folder of the program: the pictures of the layouts, the user's guide.
  virtual const std::string& program_folder() const = 0;

  // Runs a model call on behalf of a user action. A failure (std::exception) escaping
  // the model is shown in a message box with its description; then every view follows
  // its window's focus.
  virtual void user_action(const std::function<void()>& call) = 0;

  // Called by a view whose window was unloaded: the view is discarded.
  virtual void forget(FormView& v) = 0;
  // Called when a window left the screen: the program ends with its last window.
  virtual void window_gone() = 0;

  // Set while the model's changes are written to widgets: the widget signals and focus
  // events this causes are not user actions.
  bool applying() const { return applying_ > 0; }
  struct Applying {
    explicit Applying(ViewHost& host) : h(host) { ++h.applying_; }
    ~Applying() { --h.applying_; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;
    ViewHost& h;
  };

 private:
  int applying_ = 0;
};

}  // namespace gw::app
