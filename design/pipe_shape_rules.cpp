// The values that follow from a pipe's shape and material: Manning's n, the fixed material of the
// pipe arches and the default sizes a shape change writes.
#include "design/pipe_shape_rules.h"

namespace gw::design {

namespace {

struct NRule {
  std::string_view material;
  std::string_view shape;  // empty: no shape fixes this n
  std::string_view n;
};

// In the order the tests are made: the first that holds gives n.
constexpr NRule kNRules[] = {
    {"Concrete", "Arch-Conc", "0.013"},
    {"CMP (Small Corr.)", "Arch-S-Cor", "0.024"},
    {"CMP (Medium Corr.)", "Arch-M-Cor", "0.027"},
    {"CMP (Large Corr.)", "Arch-L-Cor", "0.033"},
    {"Plastic", "", "0.012"},
    {"Vitrified Clay", "", "0.014"},
    {"Cast Iron", "", "0.013"},
    {"Brick", "", "0.017"},
    {"Other", "", "0.017"},
};

}  // namespace

std::optional<std::string_view> manning_n_for(std::string_view material, std::string_view shape) {
  for (const NRule& r : kNRules) {
    if (material == r.material || (!r.shape.empty() && shape == r.shape)) return r.n;
  }
  return std::nullopt;
}

std::optional<ArchMaterial> arch_material(std::string_view shape) {
  // The first four rules are the arch shapes with their material.
  for (int i = 0; i < 4; ++i) {
    if (shape == kNRules[i].shape) return ArchMaterial{kNRules[i].material, kNRules[i].n};
  }
  return std::nullopt;
}

SpanRise default_span_rise(bool english) { return english ? SpanRise{"23", "14"} : SpanRise{"585", "355"}; }

std::string_view circular_diameter(bool english) { return english ? "18" : "300"; }

}  // namespace gw::design
