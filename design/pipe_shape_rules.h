// The values that follow from a pipe's shape and material: Manning's n, the fixed material of the
// pipe arches and the default sizes a shape change writes.
#pragma once

#include <optional>
#include <string_view>

namespace gw::design {

// Manning's n for the material text, or for the shape text where the shape fixes it, tested in
// this order on the exact texts: "Concrete" or "Arch-Conc" 0.013, "CMP (Small Corr.)" or
// "Arch-S-Cor" 0.024, "CMP (Medium Corr.)" or "Arch-M-Cor" 0.027, "CMP (Large Corr.)" or
// "Arch-L-Cor" 0.033, "Plastic" 0.012, "Vitrified Clay" 0.014, "Cast Iron" 0.013, "Brick" 0.017,
// "Other" 0.017. No value when neither text is one of these (the field keeps its n).
std::optional<std::string_view> manning_n_for(std::string_view material, std::string_view shape);

// The material and n a pipe-arch shape fixes.
struct ArchMaterial {
  std::string_view material;
  std::string_view manning_n;
};

// The fixed material of "Arch-Conc", "Arch-S-Cor", "Arch-M-Cor" and "Arch-L-Cor"; no value for
// any other shape text (the material stays the user's).
std::optional<ArchMaterial> arch_material(std::string_view shape);

// Span and rise texts a non-circular shape starts with: 23 by 14 in (English), 585 by 355 mm
// (any other unit system).
struct SpanRise {
  std::string_view span;
  std::string_view rise;
};
SpanRise default_span_rise(bool english);

// Diameter text a change to "Circular" sets: "18" in, or "300" mm.
std::string_view circular_diameter(bool english);

}  // namespace gw::design
