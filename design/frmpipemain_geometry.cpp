// Pipe design window: pipe geometry and material inputs, standard-size pickers, deflection picture.
#include <string>
#include <utility>

#include "design/frmpipemain.h"
#include "design/frmskew.h"
#include "design/pipe_shape_rules.h"
#include "design/pipe_size_tables.h"
#include "design/pipe_slope.h"
#include "platform/text/format.h"
#include "shell/input_procedures.h"

namespace gw::design {

using ui::Buttons;
using ui::Icon;

namespace {

constexpr const char* kSlopeOrderMessage = "Pipe El. OUT must be less than Pipe El.IN!";
constexpr const char* kSlopeInputMessage = "Data Input Error for Slope Computation!";

// Rewrites a field with the shared display pattern: a number takes the pattern, any other
// text stays as typed.
void format_with_pattern(ui::Control& box, const std::string& pattern) {
  box.set_text(text::format_text(box.text(), pattern));
}

}  // namespace

void frmpipemain::wire_geometry() {
  pass_focus_pending = false;
  pass_focus_hooked = false;

  // The length's own entry handler replaces the plain select-all it had: it checks the pipe
  // number first and ends with the select-all itself.
  c("pipe_length").on_got_focus = [this] { pipe_length_GotFocus(); };

  // The handlers below are the first on their events; compose in case a control already has one.
  auto on_leave = [this](const char* name, void (frmpipemain::*handler)()) {
    auto prev = c(name).on_lost_focus;
    c(name).on_lost_focus = [this, prev, handler] {
      if (prev) prev();
      (this->*handler)();
    };
  };
  auto on_click = [this](const char* name, void (frmpipemain::*handler)()) {
    auto prev = c(name).on_click;
    c(name).on_click = [this, prev, handler] {
      if (prev) prev();
      (this->*handler)();
    };
  };
  on_leave("pipe_length", &frmpipemain::pipe_length_LostFocus);
  on_leave("pipe_elein", &frmpipemain::pipe_elein_LostFocus);
  on_leave("pipe_eleout", &frmpipemain::pipe_eleout_LostFocus);
  on_leave("span", &frmpipemain::span_LostFocus);
  on_leave("rise", &frmpipemain::rise_LostFocus);
  on_leave("lateral_discharge", &frmpipemain::lateral_discharge_LostFocus);
  on_click("pipe_mat", &frmpipemain::pipe_mat_Click);
  on_click("pipe_shape", &frmpipemain::pipe_shape_Click);
  on_click("pipeshape_help", &frmpipemain::pipeshape_help_Click);
  on_click("pipeskew_help", &frmpipemain::pipeskew_help_Click);
}

// ---- length, elevations and slope ----

void frmpipemain::compute_slope() {
  // The slope follows its inputs by every route; leaving one of them derives it once more
  // and says what is wrong with the inputs.
  touch_group(true);
  derive();
  if (slope_status_ == SlopeStatus::wrong_order)
    msg(kSlopeOrderMessage, Buttons::OK, Icon::Exclamation);
  else if (slope_status_ == SlopeStatus::input_error)
    msg(kSlopeInputMessage, Buttons::OK, Icon::Exclamation);
}

void frmpipemain::pipe_length_GotFocus() {
  // Each step runs whatever the one before it did.
  try {
    const std::string number = c("pipe_number").text();
    if (number.empty()) {
      msg("pipe number can't be blank. Please enter a valid unique Pipe Number!", Buttons::OK,
          Icon::Information);
      c("pipetab").set_tab(0);
      set_focus(c("pipe_number"));
    } else if (mode_ == Mode::add && search_pipes(number, "PIPE_NUMBER").found) {
      msg(number + " already exists in the database! Please enter a valid unique Pipe Number", Buttons::OK,
          Icon::Exclamation);
      c("pipetab").set_tab(0);
      c("pipe_number").set_text("");
      set_focus(c("pipe_number"));
    }
  } catch (const std::exception&) {
    // The number check is advice; the length is selected all the same.
  }
  if (is_loaded()) shell::select_all_text(c("pipe_length"));
}

void frmpipemain::pipe_length_LostFocus() {
  if (mode_ == Mode::view) return;
  try {
    format_with_pattern(c("pipe_length"), vars().number_format());
  } catch (const std::exception& e) {
    msg(e.what());
    return;
  }
  compute_slope();
}

void frmpipemain::pipe_elein_LostFocus() {
  try {
    format_with_pattern(c("pipe_elein"), vars().number_format());
  } catch (const std::exception& e) {
    msg(e.what());
    return;
  }
  compute_slope();
}

void frmpipemain::pipe_eleout_LostFocus() {
  try {
    format_with_pattern(c("pipe_eleout"), vars().number_format());
  } catch (const std::exception& e) {
    msg(e.what());
    return;
  }
  compute_slope();
}

// ---- material and shape ----

void frmpipemain::pipe_mat_Click() {
  if (auto n = manning_n_for(c("pipe_mat").text(), c("pipe_shape").text()))
    c("pipe_mann").set_text(std::string(*n));
  update_status_bar();
}

void frmpipemain::pipe_shape_Click() {
  const bool english = vars().units().english();
  const std::string shape = c("pipe_shape").text();
  auto applies = [this](const char* name, bool on) {
    c(name).set_enabled(on);
    c(name).set_back_color(on ? ui::kWindowColor : ui::kLockedColor);
  };
  applies("pipe_mat", true);
  if (shape == "Circular") {
    applies("pipe_dia", true);
    c("pipe_dia").set_text(std::string(circular_diameter(english)));
    for (const char* size : {"span", "rise"}) {
      c(size).set_text("");
      applies(size, false);
    }
  } else {
    c("pipe_dia").set_text("");
    applies("pipe_dia", false);
    applies("span", true);
    applies("rise", true);
    const SpanRise size = default_span_rise(english);
    c("rise").set_text(std::string(size.rise));
    c("span").set_text(std::string(size.span));
  }
  if (auto arch = arch_material(shape)) {
    c("pipe_mat").set_text(std::string(arch->material));
    c("pipe_mat").set_enabled(false);
    c("pipe_mann").set_text(std::string(arch->manning_n));
  }
  update_status_bar();
}

void frmpipemain::span_LostFocus() {
  if (c("pipe_shape").text() == "Circular" || !c("span").text().empty()) return;
  const Units& units = vars().units();
  if (units.english())
    c("span").set_text(std::string(default_span_rise(true).span));
  else if (units.metric())
    c("span").set_text(std::string(default_span_rise(false).span));
}

void frmpipemain::rise_LostFocus() {
  if (c("pipe_shape").text() == "Circular" || !c("rise").text().empty()) return;
  const Units& units = vars().units();
  if (units.english())
    c("rise").set_text(std::string(default_span_rise(true).rise));
  else if (units.metric())
    c("rise").set_text(std::string(default_span_rise(false).rise));
}

// ---- lateral discharge ----

void frmpipemain::lateral_discharge_LostFocus() {
  // One Tab keystroke, processed by the field that receives the focus: the focus goes one
  // field further. The field receiving it is known only when its GotFocus runs, so every
  // control's GotFocus passes the focus on once when asked to (hooked once per load, after
  // every area has set its own handlers).
  if (!pass_focus_hooked) {
    for (Control* ctl : controls()) {
      auto prev = ctl->on_got_focus;
      ctl->on_got_focus = [this, prev, ctl] {
        const bool pass = std::exchange(pass_focus_pending, false);
        if (prev) prev();
        if (pass && is_loaded() && active_control() == ctl) tab_next();
      };
    }
    pass_focus_hooked = true;
  }
  pass_focus_pending = true;

  try {
    Control& box = c("lateral_discharge");
    if (box.text().empty()) box.set_text("0.0");
    format_with_pattern(box, vars().number_format());
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

// ---- pickers and picture ----

void frmpipemain::pipeshape_help_Click() {
  const SizePickerLayout* picker = size_picker_for(c("pipe_shape").text(), vars().units().system);
  if (!picker) return;
  prog.forms.get(picker->window).show_modal();
}

void frmpipemain::pipeskew_help_Click() { prog.forms.get(frmskew::kName).show_modal(); }

}  // namespace gw::design
