// The outfall window's outlet pipe: its row of table PIPE, full-flow area, 2-year discharge,
// standard diameter and 2-year outlet velocity.
#include "outlet/PipeEnergyForm.h"

#include <optional>
#include <string>

#include "outlet/outlet_section.h"
#include "outlet/outlet_velocity.h"
#include "outlet/two_year_discharge.h"
#include "platform/error/error.h"
#include "platform/math/checked.h"
#include "platform/text/format.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"
#include "platform/text/round.h"
#include "platform/units/units.h"
#include "shell/rainfall_coefficients.h"

namespace gw::outlet {

using ui::Buttons;
using ui::Icon;

namespace {

// The pipes into an outfall in the order they were stored, with their design discharges.
constexpr const char* kDischargesQuery =
    "SELECT rowid, PIPE_DISCHARGE FROM PIPE WHERE NODEOUT_NO = ? ORDER BY rowid";
constexpr const char* kOutletPipeQuery =
    "SELECT PIPE_SHAPE, PIPE_DIA, SPAN, RISE, NUMOFPIPES, PIPE_MAT, DISCHARGEVAL, PIPE_DISCHARGE, "
    "PIPE_STORM_FREQ,"
    "LATERAL_DISCHARGE, ACCUMULATED_CA, ACCUMULATED_TC, PIPE_SLOPE, PIPE_MANN, PIPE_CF, PIPE_FLOWDEPTH, "
    "PIPE_WP, "
    "PIPE_AREAFLOW, HYD_RADIUS, PIPE_VELOCITY, FROUDE_NO FROM PIPE WHERE rowid = ?";

// A stored discharge as a number: a real or integer column as it is, a text when it reads as
// a number; no value otherwise.
std::optional<double> discharge_of(const db::Value& v) {
  switch (v.kind()) {
    case db::Value::Kind::integer:
    case db::Value::Kind::real:
      return v.real();
    case db::Value::Kind::text:
      return text::try_number(v.text());
    default:
      return std::nullopt;
  }
}

// A field text as a 16-bit integer, rounded half to even.
int to_integer16(const std::string& s) {
  const double v = text::round_half_even(text::to_number(s));
  if (v < -32768 || v > 32767) throw Error(runtime_message::overflow);
  return static_cast<int>(v);
}

db::Connection& project_connection(shell::SharedState& v) {
  if (!v.connections.project_connection || !v.connections.project_connection->is_open())
    throw Error("The project database is not open.");
  return *v.connections.project_connection;
}

}  // namespace

bool PipeEnergyForm::load_outlet_pipe(const std::string& node) {
  shell::SharedState& v = vars();
  try {
    outlet_pipe_rs_ = std::make_shared<db::Recordset>();
    outlet_tc = 0;
    outlet_ca = 0;
    db::Connection& conn = project_connection(v);
    // The largest discharge into the node, compared as a number; of equal ones the pipe stored
    // first. The node goes in as a bound value: any text, apostrophes included, is a node number.
    std::optional<long long> outlet_row;
    {
      db::Recordset pipes;
      pipes.open(conn, kDischargesQuery, {node});
      double largest = 0;
      if (pipes.record_count() > 0)
        for (pipes.move_first(); !pipes.eof(); pipes.move_next()) {
          const std::optional<double> q = discharge_of(pipes.value(1));
          if (!q || (outlet_row && !(*q > largest))) continue;
          largest = *q;
          outlet_row = pipes.value(0).integer();
        }
    }
    if (!outlet_row) {
      forget_outlet_pipe();
      tell("No pipe with a design discharge ends at the outfall node \"" + node + "\".", Icon::Exclamation);
      return false;
    }
    db::Recordset& rs = *outlet_pipe_rs_;
    rs.open(conn, kOutletPipeQuery, {*outlet_row});
    rs.move_first();

    const double divisor = v.units().size_divisor;
    outlet_shape = rs.field("PIPE_SHAPE");
    outlet_span.clear();
    if (outlet_shape == "Circular") {
      c("eDiaRise").set_text(rs.field("PIPE_DIA"));
      c("W_culvert")
          .set_text(text::general(math::checked_div(text::to_number(rs.field("PIPE_DIA")), divisor)));
    } else {
      c("eDiaRise").set_text(rs.field("RISE"));
      outlet_span = rs.field("SPAN");
      c("W_culvert").set_text(text::general(math::checked_div(text::to_number(outlet_span), divisor)));
    }
    // The pipe's own width, whatever the user's basin width makes of the field later.
    pipe_width_ = c("W_culvert").text();
    const double pipe_width = text::to_number(pipe_width_);
    num_pipes = to_integer16(rs.field("NUMOFPIPES"));
    outlet_slope = rs.field("PIPE_SLOPE");
    outlet_manning_n = text::to_number(rs.field("PIPE_MANN"));
    discharge_src = rs.field("DISCHARGEVAL");
    // Shown rounded; the designs take the stored discharge whole.
    design_discharge_.show(c("E_Discharge"), text::to_number(rs.field("PIPE_DISCHARGE")),
                           discharge_pattern());
    c("vhstorm_freq").set_text(rs.field("PIPE_STORM_FREQ"));
    c("dn_C").set_text(rs.field("PIPE_FLOWDEPTH"));
    c("E_Peri").set_text(rs.field("PIPE_WP"));
    c("E_Area").set_text(rs.field("PIPE_AREAFLOW"));
    c("E_HydRad").set_text(rs.field("HYD_RADIUS"));
    c("V_C").set_text(rs.field("PIPE_VELOCITY"));
    c("FR_C").set_text(rs.field("FROUDE_NO"));

    full_flow_area_ = 0;
    v.handover.full_flow_area = 0;
    full_flow_area_ = full_flow_area(outlet_shape_of(outlet_shape), text::to_number(c("eDiaRise").text()),
                                     pipe_width, divisor, num_pipes);
    v.handover.full_flow_area = full_flow_area_;
    return true;
  } catch (const std::exception& e) {
    // A pipe that cannot be read is no outlet to design for.
    forget_outlet_pipe();
    tell("The outlet pipe of the outfall node \"" + node + "\" cannot be read: " + e.what(),
         Icon::Exclamation);
    return false;
  }
}

void PipeEnergyForm::forget_outlet_pipe() {
  for (const char* name : {"eDiaRise", "vhstorm_freq", "E_Discharge", "dn_C", "E_Peri", "E_Area", "E_HydRad",
                           "V_C", "FR_C", "velocity2"})
    c(name).set_text("");
  outlet_pipe_rs_.reset();
  design_discharge_.forget();
  pipe_width_.clear();
  outlet_shape.clear();
  outlet_span.clear();
  num_pipes = 0;
  full_flow_area_ = 0;
  standard_diameter_.clear();
  vars().handover.full_flow_area = 0;
  vars().handover.standard_diameter.clear();
  c("cmdanalyzeED").set_enabled(false);
}

void PipeEnergyForm::load_rational_inputs() {
  try {
    c("C_Discharge").set_enabled(false);
    if (!outlet_pipe_rs_) throw Error("The outlet pipe has not been read.");
    db::Recordset& rs = *outlet_pipe_rs_;
    outlet_tc = text::to_number(rs.field("ACCUMULATED_TC"));
    outlet_ca = text::to_number(rs.field("ACCUMULATED_CA"));
    outlet_cf = text::to_number(rs.field("PIPE_CF"));
    // An empty lateral discharge, stored or NULL, is none.
    const std::string lateral = rs.field("LATERAL_DISCHARGE");
    outlet_lateral_q = lateral.empty() ? 0 : text::to_number(lateral);
    compute_2yr_discharge();
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void PipeEnergyForm::compute_2yr_discharge() {
  shell::SharedState& v = vars();
  try {
    const int freq = to_integer16(c("usdastorm_freq").text());
    // The discharge is shared among the barrels: without one there is nothing to share it by.
    if (num_pipes <= 0)
      throw Error("The NO. Of PIPES of the outlet pipe is " + std::to_string(num_pipes) +
                  ": the 2-Yr Discharge per barrel needs at least one barrel.");
    // A failed lookup has been reported; the discharge keeps its text rather than being
    // computed with coefficients of some other storm or station.
    if (!shell::get_rainfall_coefficients(prog, freq)) return;
    RationalInputs in;
    in.idf_b = text::to_number(v.rainfall.idf_b);
    in.idf_d = text::to_number(v.rainfall.idf_d);
    in.idf_e = v.rainfall.idf_e;
    in.tc = outlet_tc;
    in.ca = outlet_ca;
    in.cf = outlet_cf;
    in.lateral_q = outlet_lateral_q;
    in.barrels = num_pipes;
    in.metric = v.units().metric();
    in.rational_divisor = v.units().rational_divisor;
    // Cubic metres per second keep at least four decimals; the velocity and the USDA apron take
    // the discharge whole.
    const std::string pattern = v.units().metric() ? std::string(v.units().number_format) : v.number_format();
    two_year_discharge_.show(c("C_Discharge"), outlet::two_year_discharge(in), pattern);
  } catch (const std::exception& e) {
    tell(e.what(), Icon::Exclamation, true);
  }
}

void PipeEnergyForm::set_standard_diameter() {
  shell::SharedState& v = vars();
  Control& size = c("eDiaRise");
  if (size.text().empty()) size.set_text("0.0");
  double s = text::to_number(size.text());
  if (v.units().metric()) s = s / kMillimetresPerInch;
  standard_diameter_ = text::general(standard_diameter(s));
  v.handover.standard_diameter = standard_diameter_;
}

std::string PipeEnergyForm::discharge_pattern() {
  const Units& u = vars().units();
  return u.metric() ? std::string(u.number_format) : std::string("0.00");
}

double PipeEnergyForm::design_discharge() {
  if (const std::optional<double> q = design_discharge_.value(c("E_Discharge"))) return *q;
  return number_in("E_Discharge", "Discharge");
}

double PipeEnergyForm::two_year_discharge() {
  if (const std::optional<double> q = two_year_discharge_.value(c("C_Discharge"))) return *q;
  return number_in("C_Discharge", "2-Yr Discharge");
}

OutfallValues PipeEnergyForm::energy_dissipation_values() {
  OutfallValues o;
  o.node = c("enodeout").text();
  o.dia_rise = c("eDiaRise").text();
  o.design_discharge_text = c("E_Discharge").text();
  o.depth = c("dn_C").text();
  o.velocity = c("V_C").text();
  o.froude = c("FR_C").text();
  o.velocity2 = c("velocity2").text();
  o.tailwater = c("dn_TW").text();
  o.bed_material = c("Bed_Matl").text();
  o.d50_bed = c("D50bed").text();
  o.permissible_velocity = c("Velocity_NS").text();
  o.protection = c("outlet_protection").text();
  o.d16 = c("D16").text();
  o.d84 = c("D84").text();
  o.plasticity_index = c("plindex").text();
  o.scour_depth = c("txt_D").text();
  o.scour_width = c("txt_W").text();
  o.scour_length = c("txt_L").text();
  o.scour_location = c("txtLocation").text();
  o.basin_width = c("W_culvert").text();
  o.check_discharge_text = c("C_Discharge").text();
  o.storm = c("usdastorm_freq").text();
  o.l2_by_h2 = c("L2byh2").text();
  o.h3 = c("txth3").text();
  o.vdot_riprap = c("VDOT_Riprap").text();
  try {
    o.design_discharge = design_discharge();
  } catch (const std::exception& e) {
    o.design_discharge_failure = e.what();
  }
  try {
    o.two_year_discharge = two_year_discharge();
  } catch (const std::exception&) {
    // No number: the design that needs it names the field.
  }
  o.h3_computed =
      !o.h3.empty() && o.h3 == computed_sill_ && computed_sill_project_ == vars().project.project_db_path;
  o.outlet_shape = outlet_shape;
  o.full_flow_area = full_flow_area_;
  o.standard_diameter = standard_diameter_;
  return o;
}

void PipeEnergyForm::take_basin_inputs(const std::string& l2_by_h2, const std::string& h3,
                                       const std::string& vdot_riprap, bool h3_computed) {
  computed_sill_ = h3_computed ? h3 : std::string();
  computed_sill_project_ = vars().project.project_db_path;
  c("L2byh2").set_text(l2_by_h2);
  c("txth3").set_text(h3);
  c("VDOT_Riprap").set_text(vdot_riprap);
}

}  // namespace gw::outlet
