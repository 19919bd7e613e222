// Look-ups into the outcome of a pipe solve.
#include "design/hydraulics/solve_types.h"

namespace gw::hyd {

const FieldWrite* SolveOutcome::find(std::string_view name) const {
    for (const FieldWrite& w : writes) {
        if (w.field == name) return &w;
    }
    return nullptr;
}

std::string SolveOutcome::text(std::string_view name) const {
    const FieldWrite* w = find(name);
    return w ? w->text : std::string();
}

}  // namespace gw::hyd
