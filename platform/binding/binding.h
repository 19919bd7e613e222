// Binding of window controls to the columns of a recordset's current record.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/ui/control.h"

namespace gw::ui {

class Form;

// Each bound control shows its column of the current record and writes its text back to
// that field on every change (a change to the same text writes nothing). When the
// recordset moves or reloads, the controls are refilled; the refill itself writes nothing.
// Only text boxes, combos, labels and check boxes are bound (a check box as "0"/"1").
class Binding {
 public:
  Binding() = default;
  ~Binding();
  Binding(const Binding&) = delete;
  Binding& operator=(const Binding&) = delete;

  // Attaches to `rs` (which must outlive the binding or be detached first).
  void attach(db::Recordset& rs);
  void detach();
  db::Recordset* recordset() const { return rs_; }

  // Binds a control to a column; the control's data_field becomes the column.
  void bind(Control& ctl, const std::string& column);
  // Copies the current record into every bound control.
  void refill();
  // True while the binding writes into the controls (so a Change handler can tell a
  // refill from an edit).
  bool refilling() const { return refilling_; }

 private:
  struct Bound {
    Control* ctl;
    std::string column;
    int observer;
  };
  void write_back(Bound& b);
  // Shows the current record's value of the bound column in its control.
  void fill(Bound& b);
  bool has_record() const;

  Form* form_ = nullptr;
  int form_observer_ = 0;
  db::Recordset* rs_ = nullptr;
  int subscription_ = 0;
  bool refilling_ = false;
  std::vector<Bound> bound_;
};

}  // namespace gw::ui
