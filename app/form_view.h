// The view of one model window: its top-level widget and the bindings of its controls.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "app/bound_view.h"
#include "platform/ui/form.h"

class QAbstractItemModel;
class QKeyEvent;

namespace gw::app {

class ViewHost;
class ControlBinding;
class ItemListModel;

// The section of the user's guide that describes a window ("tc" for the Tc calculator);
// every window of the program has one.
std::string help_section(const std::string& window);

// A window's view follows its model window: the binder connects every control to the
// widget or action whose object name is the control's key, the close box asks the
// model to unload, and the view is discarded when the model window unloads.
class FormView : public QObject, public BoundView {
 public:
  // Takes ownership of `top`, the window's top-level widget.
  FormView(ViewHost& host, ui::Form& form, QWidget* top);
  ~FormView() override;
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  ViewHost& host() const override { return host_; }
  ui::Form& form() const { return form_; }
  QWidget* widget() const { return top_; }

  // The widget or action bound to a control, nullptr when it has none.
  QObject* object_of(const ui::Control& c) const;
  // Keys of the model controls that found no widget (after automatic placement: none).
  std::vector<std::string> unbound_keys() const;

  // Runs a model call on behalf of a user action: a failure escaping the handler is
  // shown in a message box; afterwards the views follow the model's focus.
  void user_action(const std::function<void()>& call) override;

  // Moves the keyboard focus to the widget of the model's active control.
  void follow_focus();

  // Registers a bound widget (or a part of it, such as a combo's editor) for the key,
  // focus and mouse events the binder translates.
  void watch(QObject* obj, ControlBinding* b) override;

  // Drops every binding and stops following the model (the window was unloaded, or the
  // program is ending). The widgets stay until the view is deleted.
  void detach();

  // Folder the pictures of image controls are read from.
  const std::string& program_folder() const override;

  // The model of a list of items: one for the window however many of its lists show it.
  QAbstractItemModel* list_model(const ui::Control::ItemList& items) override;
  // Drops the list models that no list of the window shows any more.
  void release_list_models() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void bind_all();
  void on_form_event(ui::Form::Event e);
  void apply_tab_order();
  // Clicks the button a window property names ("gwDefaultButton").
  bool press_button(const char* role);
  // Esc: presses the control the window model marks as its cancel (button or menu command).
  bool press_cancel();
  // Whether the key is the shortcut of one of the window's enabled menu commands.
  bool takes_shortcut(const QKeyEvent& e) const;
  bool window_key(QKeyEvent& e);

  ViewHost& host_;
  ui::Form& form_;
  QPointer<QWidget> top_;
  bool attached_ = false;
  int form_observer_ = 0;
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  QHash<QObject*, ControlBinding*> watched_;
  const ui::Control* focus_followed_ = nullptr;
  std::vector<QPointer<ItemListModel>> list_models_;
};

}  // namespace gw::app
