// Views built from a window's model controls, for windows without a Designer layout.
#pragma once

#include <vector>

#include "platform/ui/form.h"

class QWidget;

namespace gw::app {

// Builds the top-level widget of a window from its controls: menus from the menu items
// and their parent menus, toolbars, a status bar, and a form layout of the other
// controls (a label beside the field it names, buttons in rows, frames as group boxes,
// tab strips with a page per tab holding the controls of that page). Every control gets
// a widget whose object name is the control's key.
QWidget* build_auto_window(const ui::Form& form);

// Adds widgets for the controls a Designer layout lacks, below its own widgets.
void place_missing_controls(QWidget* top, const ui::Form& form, const std::vector<ui::Control*>& missing);

}  // namespace gw::app
