// Binding of a text box to a column whose stored value is shown with a display pattern.
#pragma once

#include <string>

#include "platform/db/recordset.h"
#include "platform/ui/control.h"
#include "platform/ui/form.h"

namespace gw::outlet {

// Like ui::Binding for one control, except that the record's value as first shown on attach is
// written with at least the decimals of a display pattern and never fewer than it has ("0.0": a
// stored "3" shows "3.0", "1.25" shows "1.25"), without that display changing the stored value. From then on
// the box writes its text to the field on every change, and the record's later refills (a new record, a write
// read back, a cancelled edit) show the field as it is.
class PatternBinding {
 public:
  PatternBinding() = default;
  ~PatternBinding();
  PatternBinding(const PatternBinding&) = delete;
  PatternBinding& operator=(const PatternBinding&) = delete;

  // Attaches `ctl` to `column` of `rs` (both must outlive the binding or be detached first).
  void attach(db::Recordset& rs, ui::Control& ctl, const std::string& column, const std::string& pattern);
  void detach();
  // Puts the stored text back into the field and shows it with the display pattern, as the
  // attach shows it.
  void restore(const std::string& stored);
  // Shows the field's current value with the display pattern again, writing nothing.
  void redisplay();

 private:
  void show(const std::string& text);
  void write_back();

  db::Recordset* rs_ = nullptr;
  ui::Control* ctl_ = nullptr;
  ui::Form* form_ = nullptr;
  std::string column_;
  std::string pattern_;
  int subscription_ = 0;
  int observer_ = 0;
  int form_observer_ = 0;
  bool showing_ = false;
};

}  // namespace gw::outlet
