// The hydraulic values that live on from one solve to the next.
#pragma once

namespace gw::hyd {

// The result values of the last solves, per barrel, in ft or m. Every solve leaves here the
// values it computed and keeps the others as an earlier solve left them; no solve resets the
// set. The caller keeps one state for the program's life and hands it to every solve, because
// a solve can read a value it did not compute: a circular pipe whose flow area comes out as 0
// computes no velocity and goes on with the velocity of an earlier solve.
struct HydraulicsState {
  double full_capacity = 0;     // full-flow capacity of one barrel
  double flow_depth = 0;        // depth of flow
  double flow_area = 0;         // area of flow
  double wetted_perimeter = 0;  // wetted perimeter of the flow
  double hydraulic_radius = 0;  // hydraulic radius of the flow
  double flow_velocity = 0;     // velocity
  double froude_number = 0;
  double specific_energy = 0;
  double travel_time = 0;  // flow time through the pipe, seconds
  double friction_slope_val = 0;
};

}  // namespace gw::hyd
