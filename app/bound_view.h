// What a control's binding asks of the window view it belongs to, so that a binding need not know the view.
#pragma once

#include <functional>
#include <string>

#include "platform/ui/control.h"

class QAbstractItemModel;
class QObject;

namespace gw::app {

class ControlBinding;
class ViewHost;

// The window view as its bindings see it: the view makes and owns them.
class BoundView {
 public:
  // The host that shows the view: whether a model change is being applied to the widgets.
  virtual ViewHost& host() const = 0;
  // Folder the pictures of image controls are read from.
  virtual const std::string& program_folder() const = 0;
  // Runs a model call on behalf of a user action (see ViewHost::user_action).
  virtual void user_action(const std::function<void()>& call) = 0;
  // Registers a bound widget (or a part of it, such as a combo's editor) for the key,
  // focus and mouse events the binding translates.
  virtual void watch(QObject* obj, ControlBinding* b) = 0;
  // The model of a list of items: one for the window however many of its lists show it.
  virtual QAbstractItemModel* list_model(const ui::Control::ItemList& items) = 0;
  // Drops the list models that no list of the window shows any more.
  virtual void release_list_models() = 0;

 protected:
  ~BoundView() = default;
};

}  // namespace gw::app
