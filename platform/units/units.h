// The unit system of a project and every constant that depends on it, as one value.
#pragma once

#include <string_view>

namespace gw {

// A project works in English units (ft, in, acres, cfs) or metric units (m, mm, hectares,
// cms). A stored UNITS text that names neither is `unknown`: the program shows it and asks
// for the units before any design runs, so the designs only ever see the two systems.
enum class UnitSystem { english, metric, unknown };

// The stored UNITS texts of the two systems, as the project record and the windows show them.
inline constexpr std::string_view kEnglishName = "ENGLISH";
inline constexpr std::string_view kMetricName = "METRIC";

// The system a normalised UNITS text names: exactly "ENGLISH" or "METRIC", else unknown.
constexpr UnitSystem unit_system_named(std::string_view units) {
  if (units == kEnglishName) return UnitSystem::english;
  if (units == kMetricName) return UnitSystem::metric;
  return UnitSystem::unknown;
}

// Millimetres per inch: rainfall intensities in in/hr to mm/hr, pipe sizes in mm to inches.
inline constexpr double kMillimetresPerInch = 25.4;

// The constants of one unit system. Several computations use their own rounding of the same
// physical constant; each has its own name here, so one reader can never change another's.
struct Units {
  UnitSystem system = UnitSystem::unknown;

  // Manning's unit constant: V = k/n R^(2/3) S^(1/2).
  double manning_k = 0;
  // The same constant held in single precision, as the outlet velocity has always used it.
  float manning_k_single = 0;
  // Pipe-size units (in, mm) per length unit (ft, m).
  double size_divisor = 0;
  // C A i over it gives a discharge: 1 (acres, in/hr to cfs) or 360 (hectares, mm/hr to cms).
  double rational_divisor = 0;
  // Millimetres per inch where sizes are in millimetres: 1 in English units, 25.4 in metric.
  float inch_mm_factor = 0;
  // A length in the project's unit times `to_feet` gives feet; feet times `from_feet` give it.
  // The metric pair is the one the conversion tables print: 0.3048 m per foot is exact (the
  // international foot), 3.2808 ft per metre is 1 / 0.3048 = 3.280839... cut to five
  // significant digits. Their product is 0.99998784, not 1: a length taken to feet and back
  // comes back within 1.3e-5 of itself, the precision the five digits of 3.2808 carry.
  double to_feet = 0;
  double from_feet = 0;
  // Gravity of the outlet designs and the energy dissipators (ft/s², m/s²); the program's
  // `gravity` variable.
  double gravity = 0;
  // Gravity of SOLVE for circular and box pipes, and of the grade line's velocity heads.
  double gravity_circular_box = 0;
  // Gravity of SOLVE for elliptical pipes and pipe arches.
  double gravity_elliptical_arch = 0;
  // The pattern of computed values the pipe design windows show, and the one SOLVE leaves.
  std::string_view number_format;
  std::string_view solve_number_format;
  // The name of the length unit in captions.
  std::string_view length_name;

  constexpr bool english() const { return system == UnitSystem::english; }
  constexpr bool metric() const { return system == UnitSystem::metric; }
};

// The constants of a system. An unknown system takes the metric constants (as every
// computation that found no English project always did) but answers neither english() nor
// metric().
constexpr Units units_of(UnitSystem system) {
  if (system == UnitSystem::english)
    return {.system = system,
            .manning_k = 1.486,
            .manning_k_single = 1.486f,
            .size_divisor = 12,
            .rational_divisor = 1,
            .inch_mm_factor = 1.0f,
            .to_feet = 1,
            .from_feet = 1,
            .gravity = 32.2,
            .gravity_circular_box = 32.2,
            .gravity_elliptical_arch = 32.16,
            .number_format = "0.000",
            .solve_number_format = "#0.000",
            .length_name = "ft"};
  return {.system = system,
          .manning_k = 1.0,
          .manning_k_single = 1.0f,
          .size_divisor = 1000,
          .rational_divisor = 360,
          .inch_mm_factor = 25.4f,
          .to_feet = 3.2808,
          .from_feet = 0.3048,
          .gravity = 9.8146,
          .gravity_circular_box = 9.8,
          .gravity_elliptical_arch = 9.81,
          .number_format = "0.0000",
          .solve_number_format = "#0.0000",
          .length_name = "m"};
}

// The constants of the system a normalised UNITS text names.
constexpr Units units_of(std::string_view units) { return units_of(unit_system_named(units)); }

}  // namespace gw
