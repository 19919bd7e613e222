// Numbers behind the outfall windows' field texts: a value kept whole behind the text it is shown
// with, and a typed or stored number written with a pattern without losing its own decimals.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/control.h"

namespace gw::outlet {

// Writes the number that `text` reads as with `pattern`, keeping every decimal the text itself
// writes: "1.5" with "0.000" gives "1.500", "0.0153" with "0.00" gives "0.0153", "2.250" with
// "0.0" stays "2.250". A text that is no number (the empty text included) comes back unchanged.
std::string format_keeping_decimals(std::string_view text, std::string_view pattern);

// A number that a field shows rounded to a display pattern. The field's text is for the eye;
// computations take the number kept here for as long as the field still shows the text written
// for it. Once the text is another (typed, stored, emptied), the text's own number counts.
class ShownNumber {
 public:
  // Writes `v` into `field` with `pattern` and keeps `v` behind that text.
  void show(ui::Control& field, double v, std::string_view pattern);
  // Keeps nothing: the field's own text counts.
  void forget();
  // The number `field` stands for: the kept one while the field shows the text written for it,
  // else the number its text reads as; none for a text that is no number.
  std::optional<double> value(const ui::Control& field) const;

 private:
  std::optional<double> value_;
  std::string text_;
};

}  // namespace gw::outlet
