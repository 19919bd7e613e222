// The time-of-concentration calculator window: its controls, segment computations, field
// rules, SAVE and CANCEL, and the stored lists it shares with the pipe design window.
#include "design/frmVATc.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "design/frmpipemain.h"
#include "design/tc_inputs.h"
#include "design/tc_methods.h"
#include "platform/math/checked.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "shell/input_procedures.h"

namespace gw::design {

using ui::Answer;
using ui::Buttons;
using ui::Icon;
using ui::Kind;

namespace {

struct Coefficient {
  const char* item;
  const char* value;
};

// Land covers of shallow concentrated flow and their intercept coefficients.
constexpr Coefficient kLandCovers[] = {
    {"Forest Overland flow (0.076)", "0.076"}, {"Fallow,Contour cropped,woodland (0.152)", "0.152"},
    {"Short grass pasture (0.213)", "0.213"},  {"Cultivated straight row (0.274)", "0.274"},
    {"Nearly bare untilled (0.305)", "0.305"}, {"Grassed waterway-shallow (0.457)", "0.457"},
    {"Unpaved - shallow (0.491)", "0.491"},    {"Paved - shallow (0.619)", "0.619"},
};

// Soil types of overland flow and their rational C values.
constexpr Coefficient kSoilTypes[] = {
    {"Paved", "0.90"},
    {"Bare Soil", "0.47"},
    {"Poor Grass Surface", "0.35"},
    {"Average Grass Surface", "0.27"},
    {"Dense Grass", "0.21"},
};

constexpr const char* kSurfaceType = "Natural basin with well defined channel";

constexpr const char* kZeroDistance = "Compute Error!  Flow Distance is zero";
constexpr const char* kNotFalling = "Compute Error!  Upper Elevation is lower than Lower Elevation";
constexpr const char* kZeroData = "Compute Error!  Data Value is zero";
constexpr const char* kDataError = "Data Error! May be Divide By Zero Error";
constexpr const char* kSlopeError = "Divide by Zero Error! Check Flow Data again";
constexpr const char* kShortTc = "Computed Tc < 5 min, Default 5 Min will be used";

// Controls of the stored lists, in field order.
constexpr std::array<const char*, tc_inputs::kFirstListFields> kFirstList = {
    "flow_distance1",   "upper_elevation1", "lower_elevation1",
    "slope1",           "landuse_type",     "intercept_coeff",
    "txtTc1",           "flow_distance2",   "upper_elevation2",
    "lower_elevation2", "slope2",           "gn",
    "tgd_flow",         "channel_velocity", "txtTc2"};
constexpr std::array<const char*, tc_inputs::kSecondListFields> kSecondList = {"flow_distance3",
                                                                               "upper_elevation3",
                                                                               "lower_elevation3",
                                                                               "slope3",
                                                                               "soil_type",
                                                                               "rational_C_value",
                                                                               "txtTc3",
                                                                               "txtoutlet_height",
                                                                               "txttravel_length",
                                                                               "surface_type",
                                                                               "txtsurface_factor",
                                                                               "txtTc5",
                                                                               "flow_distance4",
                                                                               "upper_elevation4",
                                                                               "lower_elevation4",
                                                                               "slope4",
                                                                               "gn4",
                                                                               "pipe_dia",
                                                                               "pipe_velocity",
                                                                               "txtTc4",
                                                                               "computedPTc"};

// An input a segment reads: its box and the label the window shows it under.
struct SegmentInput {
  const char* box;
  const char* label;
};

// The inputs of each segment (1 to 5) in the order the window shows them, and the control
// whose caption names the segment (its frame, or its column of the shared frame).
struct SegmentInputs {
  const char* caption;
  std::vector<SegmentInput> inputs;
};

const SegmentInputs& inputs_of(int segment) {
  static const SegmentInputs kSegments[] = {
      {"Frame_shallow",
       {{"flow_distance1", "lbl_flow_distance1"},
        {"upper_elevation1", "lbl_upper_elevation1"},
        {"lower_elevation1", "lbl_lower_elevation1"},
        {"intercept_coeff", "lbl_intercept_coeff"}}},
      {"lbl_channel_column",
       {{"flow_distance2", "lbl_flow_distance"},
        {"upper_elevation2", "lbl_upper_elevation"},
        {"lower_elevation2", "lbl_lower_elevation"},
        {"gn", "lbl_gn"},
        {"tgd_flow", "lbl_tgd_flow"},
        {"channel_velocity", "lbl_velocity"}}},
      {"Frame_seelye",
       {{"flow_distance3", "lbl_flow_distance3"},
        {"upper_elevation3", "lbl_upper_elevation3"},
        {"lower_elevation3", "lbl_lower_elevation3"},
        {"rational_C_value", "lbl_rational_C_value"}}},
      {"lbl_pipe_column",
       {{"flow_distance4", "lbl_flow_distance"},
        {"upper_elevation4", "lbl_upper_elevation"},
        {"lower_elevation4", "lbl_lower_elevation"},
        {"gn4", "lbl_gn"},
        {"pipe_dia", "lbl_pipe_dia"},
        {"pipe_velocity", "lbl_velocity"}}},
      {"Frame_kirpich",
       {{"txtoutlet_height", "lbl_txtoutlet_height"}, {"txttravel_length", "lbl_txttravel_length"}}},
  };
  return kSegments[segment - 1];
}

// The caption without the blanks it ends with ("CHANNEL FLOW ").
std::string trimmed(const std::string& caption) {
  const std::size_t last = caption.find_last_not_of(' ');
  return last == std::string::npos ? std::string() : caption.substr(0, last + 1);
}

template <std::size_t N>
std::vector<std::string> items_of(const Coefficient (&list)[N]) {
  std::vector<std::string> items;
  for (const Coefficient& c : list) items.emplace_back(c.item);
  return items;
}

std::string seg(const char* name, int segment) { return name + std::to_string(segment); }

}  // namespace

// ---- controls ----

void frmVATc::build() {
  set_caption("TIME OF CONCENTRATION");
  auto frame = [&](const char* name, const char* caption, const std::string& container) -> Control& {
    Control& f = add(Kind::Frame, name);
    f.set_caption(caption);
    f.container = container;
    return f;
  };
  auto label = [&](const std::string& name, const std::string& caption,
                   const std::string& container) -> Control& {
    Control& l = add(Kind::Label, name);
    l.set_caption(caption);
    l.container = container;
    return l;
  };
  auto box = [&](const std::string& name, const std::string& text, const std::string& container) -> Control& {
    Control& b = add(Kind::TextBox, name);
    b.set_text(text);
    b.container = container;
    return b;
  };
  // A row: label, box, unit label ("" none).
  auto row = [&](const std::string& caption, const std::string& name, const std::string& text,
                 const char* unit, const std::string& container) -> Control& {
    label("lbl_" + name, caption, container);
    Control& b = box(name, text, container);
    if (*unit) label("unit_" + name, unit, container);
    return b;
  };
  auto computed = [](Control& b) -> Control& {
    b.set_enabled(false);
    return b;
  };
  auto combo = [&](const char* name, std::vector<std::string> items, const char* text, int style,
                   const std::string& container) -> Control& {
    Control& cb = add(Kind::ComboBox, name);
    cb.set_items(std::move(items));
    cb.style = style;
    cb.set_text(text);
    cb.container = container;
    return cb;
  };
  // The segment's last row: switch, result box and "min".
  auto result = [&](int segment, const char* caption, const std::string& container) {
    label(seg("lbl_txtTc", segment), caption, container);
    Control& sw = add(Kind::CheckBox, seg("CheckTc", segment));
    sw.container = container;
    computed(box(seg("txtTc", segment), "0.0", container));
    label(seg("unit_txtTc", segment), "min", container);
  };

  const std::string main = "Frame_compute";
  frame("Frame_compute", "COMPUTING TIME OF CONCENTRATION", "");

  // Segment 3: overland flow (upper left). The tab order follows the creation order.
  const std::string f3 = "Frame_seelye";
  frame("Frame_seelye", "Overland Flow (Seelye - VDOT Modified)", main);
  row("FLOW DISTANCE", "flow_distance3", "0.0", "ft - (Max  200')", f3);
  row("UPPER ELEVATION", "upper_elevation3", "0.0", "ft", f3);
  row("LOWER ELEVATION", "lower_elevation3", "0.0", "ft", f3);
  computed(row("SLOPE", "slope3", "", "ft/ft", f3));
  label("lbl_soil_type", "SOIL TYPE", f3);
  combo("soil_type", items_of(kSoilTypes), "Paved", 0, f3);
  row("RATIONAL C VALUE", "rational_C_value", "0.9", "", f3);
  result(3, "TIME OF CONCENTRATION", f3);

  // Segment 5: Kirpich channel flow (upper right).
  const std::string f5 = "Frame_kirpich";
  frame("Frame_kirpich", "Channel Flow (Kirpich - VDOT Modified)", main);
  row("HEIGHT OF MOST REMOTE POINT ABOVE OUTLET", "txtoutlet_height", "0.0", "ft", f5);
  row("MAX. LENGHT OF TRAVEL", "txttravel_length", "0.0", "ft", f5);
  label("lbl_kirpich_note",
        "Kirpich Method is limited to \"Defined swales, ditches and other natural channels only\"", f5);
  result(5, "TIME OF CONCENTRATION", f5);
  // Kept with the inputs but never shown: the factor is always 1.0.
  label("lbl_surface_type", "SURFACE TYPE", f5).set_visible(false);
  combo("surface_type", {kSurfaceType}, kSurfaceType, 2, f5).set_visible(false);
  label("lbl_txtsurface_factor", "SURFACE FACTOR", f5).set_visible(false);
  Control& factor = computed(box("txtsurface_factor", "1.0", f5));
  factor.set_visible(false);

  // Segment 1: shallow concentrated flow (lower left).
  const std::string f1 = "Frame_shallow";
  frame("Frame_shallow", "Shallow Concentrated Flow", main);
  row("FLOW DISTANCE", "flow_distance1", "0.0", "ft", f1);
  row("UPPER ELEVATION", "upper_elevation1", "0.0", "ft", f1);
  row("LOWER ELEVATION", "lower_elevation1", "0.0", "ft", f1);
  computed(row("SLOPE", "slope1", "", "%", f1));
  label("lbl_landuse_type", "LAND COVER", f1);
  combo("landuse_type", items_of(kLandCovers), "Forest Overland flow (0.076)", 0, f1);
  computed(row("INTERCEPT COEFF.", "intercept_coeff", "0.076", "", f1));
  result(1, "TIME OF CONCENTRATION", f1);

  // Segments 2 and 4: channel and pipe flow by Manning (lower right), sharing row labels.
  const std::string f24 = "Frame_channel";
  frame("Frame_channel", "Channel/Pipe Flow", main);
  label("lbl_channel_column", "CHANNEL FLOW ", f24);
  label("lbl_pipe_column", "PIPE FLOW", f24);
  label("lbl_flow_distance", "FLOW DISTANCE", f24);
  label("lbl_upper_elevation", "UPPER ELEVATION", f24);
  label("lbl_lower_elevation", "LOWER ELEVATION", f24);
  label("lbl_slope", "SLOPE", f24);
  label("lbl_gn", "MANNINGS - n", f24);
  label("lbl_tgd_flow", "DEPTH OF FLOW", f24);
  label("lbl_pipe_dia", "PIPE DIA", f24);
  label("lbl_velocity", "VELOCITY", f24);
  label("lbl_txtTc2", "TIME OF CONCENTRATION", f24);
  label("lbl_txtTc4", "Tc", f24);
  for (int s : {2, 4}) {
    const bool channel = s == 2;
    auto column = [&](const std::string& name, const std::string& text, const char* unit) -> Control& {
      Control& b = box(name, text, f24);
      if (*unit) label("unit_" + name, unit, f24);
      return b;
    };
    column(seg("flow_distance", s), "0.0", "ft");
    column(seg("upper_elevation", s), "0.0", "ft");
    column(seg("lower_elevation", s), "0.0", "ft");
    computed(column(seg("slope", s), "", "ft/ft"));
    column(channel ? "gn" : "gn4", "0.016", "");
    column(channel ? "tgd_flow" : "pipe_dia", "0.0", "ft");
    column(channel ? "channel_velocity" : "pipe_velocity", "0.0", "ft/sec");
    Control& sw = add(Kind::CheckBox, seg("CheckTc", s));
    sw.container = f24;
    computed(box(seg("txtTc", s), "0.0", f24));
    label(seg("unit_txtTc", s), "min", f24);
  }

  Control& save = add(Kind::CommandButton, "cmdsavePTc");
  save.set_caption("SAVE");
  Control& cancel = add(Kind::CommandButton, "cmdcancelPTc");
  cancel.set_caption("CANCEL");
  cancel.cancel = true;

  // The total is computed only: its frame is disabled.
  frame("Frame_total", "Total Tc", "").set_enabled(false);
  box("computedPTc", "0.0", "Frame_total");
  label("unit_computedPTc", "min", "Frame_total");

  wire_handlers();
}

void frmVATc::wire_handlers() {
  // Every input box selects its text on entry and takes only numeric keys.
  for (const char* name : {"flow_distance3",
                           "upper_elevation3",
                           "lower_elevation3",
                           "rational_C_value",
                           "txtoutlet_height",
                           "txttravel_length",
                           "flow_distance1",
                           "upper_elevation1",
                           "lower_elevation1",
                           "flow_distance2",
                           "upper_elevation2",
                           "lower_elevation2",
                           "gn",
                           "tgd_flow",
                           "channel_velocity",
                           "flow_distance4",
                           "upper_elevation4",
                           "lower_elevation4",
                           "gn4",
                           "pipe_dia",
                           "pipe_velocity"}) {
    Control& b = c(name);
    b.on_got_focus = [&b] { shell::select_all_text(b); };
    shell::numeric_field(b);
  }
  // Boxes that are only reformatted when left.
  for (const char* name : {"flow_distance2", "flow_distance4", "upper_elevation1", "upper_elevation2",
                           "upper_elevation3", "upper_elevation4", "txtoutlet_height", "txttravel_length"}) {
    Control& b = c(name);
    b.on_lost_focus = [this, &b] { b.set_text(text::format_text(b.text(), vars().number_format())); };
  }
  for (const char* name : {"gn", "gn4"}) {
    Control& b = c(name);
    b.on_lost_focus = [&b] { b.set_text(text::format_text(b.text(), "0.000")); };
  }
  c("flow_distance1").on_lost_focus = [this] { flow_distance1_LostFocus(); };
  c("flow_distance3").on_lost_focus = [this] { flow_distance3_LostFocus(); };
  for (int s = 1; s <= 4; ++s)
    c(seg("lower_elevation", s)).on_lost_focus = [this, s] { lower_elevation_LostFocus(s); };
  c("tgd_flow").on_lost_focus = [this] { exclusive_LostFocus("tgd_flow", "channel_velocity"); };
  c("channel_velocity").on_lost_focus = [this] { exclusive_LostFocus("channel_velocity", "tgd_flow"); };
  c("pipe_dia").on_lost_focus = [this] { exclusive_LostFocus("pipe_dia", "pipe_velocity"); };
  c("pipe_velocity").on_lost_focus = [this] { exclusive_LostFocus("pipe_velocity", "pipe_dia"); };

  c("landuse_type").on_click = [this] { landuse_type_Click(); };
  c("soil_type").on_click = [this] { soil_type_Click(); };
  for (int s = 1; s <= 5; ++s) c(seg("CheckTc", s)).on_click = [this, s] { CheckTc_Click(s); };
  c("cmdsavePTc").on_click = [this] { cmdsavePTc_Click(); };
  c("cmdcancelPTc").on_click = [this] { cmdcancelPTc_Click(); };
}

// ---- loading ----

void frmVATc::Form_Load() {
  shell::SharedState& v = vars();
  v.set_number_format(v.units().number_format);
  if (v.units().metric()) set_metric_units();
  const frmpipemain::TcCalculatorLists lists = prog.form<frmpipemain>().tc_calculator_lists();
  if (!lists.first.empty()) decode_PTcstr(lists.first);
  if (!lists.second.empty()) decode_PTcstr2(lists.second);
  if (!lists.switches.empty()) decode_PTcoptionstr(lists.switches);
  if (is_loaded()) set_focus(c("flow_distance3"));
}

void frmVATc::set_metric_units() {
  for (Control* ctl : controls()) {
    if (ctl->kind() != Kind::Label) continue;
    const std::string& unit = ctl->caption();
    if (unit == "ft" || unit == "ft - (Max  200')")
      ctl->set_caption("m");
    else if (unit == "ft/ft")
      ctl->set_caption("m/m");
    else if (unit == "ft/sec")
      ctl->set_caption("m/sec");
  }
}

double frmVATc::number(const char* box) { return text::to_number(c(box).text()); }

bool frmVATc::english_formulas() const { return prog.vars.units().english(); }

// ---- switches and segments ----

void frmVATc::CheckTc_Click(int segment) {
  if (c(seg("CheckTc", segment)).checked())
    compute_segment(segment);
  else
    c(seg("txtTc", segment)).set_text("0.0");
  if (is_loaded()) sum_total_tc();
}

void frmVATc::compute_segment(int segment) {
  if (!inputs_finite(segment)) return;
  switch (segment) {
    case 1:
      compute_shallow_tc();
      break;
    case 2:
      compute_channel_tc();
      break;
    case 3:
      compute_seelye_tc();
      break;
    case 4:
      compute_pipe_tc();
      break;
    case 5:
      compute_kirpich_tc();
      break;
    default:
      break;
  }
}

bool frmVATc::inputs_finite(int segment) {
  // A number beyond the double range (pasted, or brought back by a stored list) is named
  // with its segment instead of failing inside the formulas or being stored; the other
  // failures (a zero, an empty box, a lone decimal point) are the computation's own.
  const SegmentInputs& segment_inputs = inputs_of(segment);
  for (const SegmentInput& input : segment_inputs.inputs) {
    const std::string& box = input.box;
    // A switched-on segment reads its velocity only when no depth (or pipe diameter) above
    // 0 gives it anew.
    if ((box == "channel_velocity" || box == "pipe_velocity") && c(seg("CheckTc", segment)).checked()) {
      const auto given_by = text::try_number(c(box == "channel_velocity" ? "tgd_flow" : "pipe_dia").text());
      if (given_by && *given_by > 0) continue;
    }
    if (!text::beyond_double_range(c(box).text())) continue;
    msg("The " + c(input.label).caption() + " of \"" + trimmed(c(segment_inputs.caption).caption()) +
            "\" is not a number.",
        Buttons::OK, Icon::Exclamation);
    switch_off(segment);
    return false;
  }
  return true;
}

void frmVATc::switch_off(int segment) { c(seg("CheckTc", segment)).set_value(0); }

bool frmVATc::reach_ok(int segment, double distance, double upper, double lower) {
  const tc::Reach reach = tc::check_reach(distance, upper, lower);
  if (reach == tc::Reach::Ok) return true;
  msg(reach == tc::Reach::ZeroDistance ? kZeroDistance : kNotFalling, Buttons::OK, Icon::Exclamation,
      "Error");
  switch_off(segment);
  return false;
}

void frmVATc::data_error(int segment) {
  msg(kDataError, Buttons::OK, Icon::Exclamation);
  switch_off(segment);
}

void frmVATc::compute_shallow_tc() {
  try {
    const std::string& nf = vars().number_format();
    const double distance = number("flow_distance1");
    const double upper = number("upper_elevation1");
    const double lower = number("lower_elevation1");
    if (!reach_ok(1, distance, upper, lower)) return;
    const double slope_percent = math::checked(100.0 * tc::reach_slope(distance, upper, lower));
    c("slope1").set_text(text::format(slope_percent, nf));
    const double time =
        tc::shallow_flow_tc(distance, slope_percent, number("intercept_coeff"), english_formulas());
    c("txtTc1").set_text(text::format(time, nf));
  } catch (const std::exception&) {
    data_error(1);
  }
}

void frmVATc::compute_channel_tc() {
  try {
    const std::string& nf = vars().number_format();
    const double distance = number("flow_distance2");
    const double upper = number("upper_elevation2");
    const double lower = number("lower_elevation2");
    if (!reach_ok(2, distance, upper, lower)) return;
    const double slope = tc::reach_slope(distance, upper, lower);
    c("slope2").set_text(text::format(slope, "0.0000"));
    const double n = number("gn");
    const double depth = number("tgd_flow");
    double velocity;
    if (depth > 0) {
      velocity = tc::manning_velocity(vars().units().manning_k, n, depth, slope);
      c("channel_velocity").set_text(text::format(velocity, nf));
    } else {
      velocity = number("channel_velocity");
    }
    c("txtTc2").set_text(text::format(tc::travel_time(distance, velocity), nf));
  } catch (const std::exception&) {
    data_error(2);
  }
}

void frmVATc::compute_seelye_tc() {
  try {
    const std::string& nf = vars().number_format();
    const double distance = number("flow_distance3");
    const double upper = number("upper_elevation3");
    const double lower = number("lower_elevation3");
    if (!reach_ok(3, distance, upper, lower)) return;
    const double slope = tc::reach_slope(distance, upper, lower);
    c("slope3").set_text(text::format(slope, "0.0000"));
    const double time = tc::seelye_tc(distance, slope, number("rational_C_value"), english_formulas());
    c("txtTc3").set_text(text::format(time, nf));
  } catch (const std::exception&) {
    data_error(3);
  }
}

void frmVATc::compute_pipe_tc() {
  try {
    const std::string& nf = vars().number_format();
    const double distance = number("flow_distance4");
    const double upper = number("upper_elevation4");
    const double lower = number("lower_elevation4");
    if (!reach_ok(4, distance, upper, lower)) return;
    const double slope = tc::reach_slope(distance, upper, lower);
    c("slope4").set_text(text::format(slope, "0.0000"));
    const double n = number("gn4");
    const double diameter = number("pipe_dia");
    double velocity;
    if (diameter > 0) {
      // Full flow: the hydraulic radius is a quarter of the diameter.
      velocity = tc::manning_velocity(vars().units().manning_k, n, diameter / 4.0, slope);
      c("pipe_velocity").set_text(text::format(velocity, nf));
    } else {
      velocity = number("pipe_velocity");
    }
    c("txtTc4").set_text(text::format(tc::travel_time(distance, velocity), nf));
  } catch (const std::exception&) {
    data_error(4);
  }
}

void frmVATc::compute_kirpich_tc() {
  try {
    c("txtsurface_factor").set_text("1.0");
    const double height = number("txtoutlet_height");
    const double length = number("txttravel_length");
    const double factor = number("txtsurface_factor");
    if (height == 0 || length == 0) {
      msg(kZeroData, Buttons::OK, Icon::Exclamation, "Error");
      switch_off(5);
      return;
    }
    const double time = tc::kirpich_tc(height, length, factor, english_formulas());
    c("txtTc5").set_text(text::format(time, vars().number_format()));
  } catch (const std::exception&) {
    data_error(5);
  }
}

void frmVATc::sum_total_tc() {
  // The result boxes hold formatted numbers; a stored list could bring back anything, so
  // a total that cannot be formed is reported like a segment's failure.
  try {
    double total = 0;
    for (int s = 1; s <= 5; ++s) total = math::checked(total + number(seg("txtTc", s).c_str()));
    c("computedPTc").set_text(text::format(total, vars().number_format()));
  } catch (const std::exception&) {
    msg(kDataError, Buttons::OK, Icon::Exclamation);
  }
}

// ---- field rules ----

void frmVATc::flow_distance1_LostFocus() {
  Control& b = c("flow_distance1");
  const Units& units = vars().units();
  // A text that is not a number (a lone decimal point) counts as empty.
  if (!text::is_numeric(b.text())) b.set_text("0.0");
  const double distance = text::to_number(b.text());
  if (distance > 300 && units.english()) {
    msg("Length Cannot Exceed 300 ft. for this method!!", Buttons::OK, Icon::Exclamation);
    b.set_text("300");
  } else if (distance > 90 && units.metric()) {
    msg("Length Cannot Exceed 90 Meters for this method!!", Buttons::OK, Icon::Exclamation);
    b.set_text("90");
  }
  b.set_text(text::format_text(b.text(), vars().number_format()));
}

void frmVATc::flow_distance3_LostFocus() {
  Control& b = c("flow_distance3");
  if (!text::is_numeric(b.text())) b.set_text("0.0");
  // Overland flow is limited to 200 ft, which is 60 m in a metric project.
  const bool metric = vars().units().metric();
  if (text::to_number(b.text()) > (metric ? 60 : 200)) {
    msg(metric ? "Maximum Flow Distance must be less than  60 m!"
               : "Maximum Flow Distance must be less than  200 ft!",
        Buttons::OK, Icon::Exclamation);
    b.set_text(metric ? "60.0" : "200.0");
  }
  b.set_text(text::format_text(b.text(), vars().number_format()));
}

void frmVATc::lower_elevation_LostFocus(int segment) {
  Control& lower = c(seg("lower_elevation", segment));
  lower.set_text(text::format_text(lower.text(), vars().number_format()));
  try {
    double slope =
        tc::reach_slope(number(seg("flow_distance", segment).c_str()),
                        number(seg("upper_elevation", segment).c_str()), text::to_number(lower.text()));
    if (segment == 1) slope = math::checked(slope * 100.0);
    c(seg("slope", segment)).set_text(text::format(slope, "0.0000"));
  } catch (const std::exception&) {
    msg(kSlopeError, Buttons::OK, Icon::Exclamation);
  }
}

void frmVATc::exclusive_LostFocus(const char* box, const char* other) {
  Control& b = c(box);
  if (b.text().empty()) return;
  b.set_text(text::format_text(b.text(), vars().number_format()));
  // A text that is not a number is left as typed; the segment's computation reports it.
  const auto value = text::try_number(b.text());
  if (value && *value > 0) c(other).set_text("0.0");
}

void frmVATc::landuse_type_Click() {
  const std::string& item = c("landuse_type").text();
  for (const Coefficient& lc : kLandCovers)
    if (item == lc.item) c("intercept_coeff").set_text(lc.value);
}

void frmVATc::soil_type_Click() {
  const std::string& item = c("soil_type").text();
  for (const Coefficient& st : kSoilTypes)
    if (item == st.item) c("rational_C_value").set_text(st.value);
}

// ---- SAVE and CANCEL ----

void frmVATc::cmdsavePTc_Click() {
  // Every switched-on segment is computed again from the inputs as they stand now, so that
  // the Tc saved always agrees with the inputs saved; one that fails has said why and is
  // switched off, and the window stays open for the engineer to look. The inputs of a
  // segment switched off are stored too: one beyond the double range is named and stops
  // the save as well.
  bool failed = false;
  for (int s = 1; s <= 5 && is_loaded(); ++s) {
    Control& sw = c(seg("CheckTc", s));
    if (!sw.checked()) {
      if (!inputs_finite(s)) failed = true;
      continue;
    }
    compute_segment(s);
    if (!sw.checked()) failed = true;
  }
  if (!is_loaded()) return;
  sum_total_tc();
  if (failed) return;
  frmpipemain& pipe = prog.form<frmpipemain>();
  const auto total = text::try_number(c("computedPTc").text());
  if (total && *total >= 5.0) {
    pipe.take_computed_tc(c("computedPTc").text(), encode_lists());
    unload();
    return;
  }
  if (msg(kShortTc, Buttons::OKCancel, Icon::Exclamation) != Answer::OK) return;
  c("computedPTc").set_text("5.0");
  pipe.take_minimum_tc();
  unload();
}

void frmVATc::cmdcancelPTc_Click() { unload(); }

// ---- stored lists ----

frmpipemain::TcCalculatorLists frmVATc::encode_lists() {
  frmpipemain::TcCalculatorLists lists;
  std::vector<std::string> fields;
  for (const char* name : kFirstList) fields.push_back(c(name).text());
  lists.first = tc_inputs::join_fields(fields);
  std::array<int, tc_inputs::kSwitchFields> switches{};
  for (int s = 1; s <= 5; ++s) switches[static_cast<std::size_t>(s - 1)] = c(seg("CheckTc", s)).value();
  lists.switches = tc_inputs::encode_switches(switches);
  fields.clear();
  for (const char* name : kSecondList) fields.push_back(c(name).text());
  lists.second = tc_inputs::join_fields(fields);
  return lists;
}

void frmVATc::decode_PTcstr(const std::string& list) {
  // The land cover is restored as text only: its coefficient comes from its own field.
  const auto fields = tc_inputs::split_fields(list, tc_inputs::kFirstListFields, tc_inputs::kLandCoverField);
  for (std::size_t i = 0; i < fields.size() && i < kFirstList.size(); ++i)
    c(kFirstList[i]).set_text(fields[i]);
}

void frmVATc::decode_PTcstr2(const std::string& list) {
  const auto fields = tc_inputs::split_second_list(list, kSurfaceType);
  for (std::size_t i = 0; i < fields.size() && i < kSecondList.size(); ++i)
    c(kSecondList[i]).set_text(fields[i]);
}

void frmVATc::decode_PTcoptionstr(const std::string& list) {
  // Each switch turned on recomputes its segment from the inputs restored before.
  const auto values = tc_inputs::decode_switches(list);
  // A segment that is off counts nothing in the total, whatever time its list brought back.
  for (std::size_t i = 0; i < values.size(); ++i)
    if (values[i] == 0) c(seg("txtTc", static_cast<int>(i) + 1)).set_text("0.0");
  for (std::size_t i = 0; i < values.size() && is_loaded(); ++i)
    c(seg("CheckTc", static_cast<int>(i) + 1)).set_value(values[i]);
}

}  // namespace gw::design
