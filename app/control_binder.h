// Binding of one model control to its widget or action, in both directions.
#pragma once

#include <optional>

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/ui/control.h"

class QComboBox;
class QEvent;
class QKeyEvent;
class QWidget;

namespace gw::app {

class BoundView;
class GridModel;

// Object name of a control's widget: the control's name, or "name_index" for a member of
// a control array (`txtdE(0)` is found as "txtdE_0").
QString object_name(const ui::Control& c);

// The widget or action of a control under a window's top-level widget: a menu control
// is a QMenu (its menu action) or a QAction of that name; every other control a widget.
QObject* find_control_object(QWidget* top, const ui::Control& c);

// The colour of a &HBBGGRR value; none for the system colours (window, button face...),
// which the widgets show with their palette's own colours.
std::optional<QColor> colour_of(std::uint32_t bgr);

// Caption text of a label without its access-key marks ("&Name" -> "Name", "&&" -> "&").
QString strip_access_keys(const QString& caption);

class ControlBinding {
 public:
  ControlBinding(BoundView& view, ui::Control& ctl, QObject* obj);
  ~ControlBinding();
  ControlBinding(const ControlBinding&) = delete;
  ControlBinding& operator=(const ControlBinding&) = delete;

  ui::Control& control() const { return ctl_; }
  QObject* object() const { return obj_; }
  // The widget that takes the keyboard focus for this control, nullptr for none.
  QWidget* focus_widget() const;
  bool alive() const { return alive_; }

  // Model -> widget.
  void apply(ui::Prop p);
  void apply_all();

  // Stops following the model; the binding stays allocated until its view goes, so
  // that a user action still running through it returns safely.
  void detach();

  // Widget -> model, for the events the view's filter sees. Returns true when the
  // event is consumed.
  bool key_press(QKeyEvent& e);
  void focus_in();
  void mouse_click();
  void mouse_double_click();
  // The widget was enabled or disabled, by itself or with its frame: a drop-down list
  // takes the look of a field that takes no input, or gives it back.
  void enabled_changed();

 private:
  // Runs a user action on the control; afterwards the widget shows the model again.
  template <class F>
  void user(F&& f);
  // Writes a value from the widget into the model without echo.
  template <class F>
  void from_view(F&& f);

  void connect_signals();
  void apply_text();
  void apply_enabled();
  void apply_visible();
  void apply_locked();
  void apply_colour();
  void apply_list_look(QComboBox* cb, const QColor& read_only_base);
  void apply_value();
  void apply_items();
  void apply_list_index();
  void apply_selection();
  void apply_cells();
  void apply_grid_position();
  void apply_panels();
  void apply_buttons();
  void apply_tabs();
  void apply_picture();
  void schedule_cells();
  void push_selection();
  void push_text();

  BoundView& view_;
  ui::Control& ctl_;
  QPointer<QObject> obj_;
  int observer_ = 0;
  bool alive_ = true;
  bool cells_pending_ = false;
  QObject* guard_ = nullptr;        // context object of this binding's connections
  QString form_caption_;            // the caption the layout gives the widget, empty for none
  QPointer<GridModel> grid_model_;  // a grid's cells as the table view reads them
};

}  // namespace gw::app
