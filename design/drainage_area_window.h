// The drainage-area calculator window common to both land-use tables: rows of area, bounded
// C and C * A, their totals, and the stored lists shared with the pipe design window.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "design/area_calculator.h"
#include "design/frmpipemain.h"
#include "shell/program.h"

namespace gw::design {

class DrainageAreaWindow : public shell::Window {
 public:
  DrainageAreaWindow(shell::Program& p, std::string name, const std::vector<area::LandUseRow>& rows)
      : Window(p, std::move(name)), rows_(rows) {}

  // The window's land-use rows, in row order.

  // Totals of the rows into TAREA and TCA (trimming the area texts). A field the totals
  // cannot read empties both and is named in the result; empty when the totals stand.
  std::string compute_area_totals();
  // The rows' area and C texts as the lists the pipe design window keeps for this window.
  frmpipemain::AreaCalculatorLists encode_area_buffers();
  // The rows' area and C texts from those lists.
  void decode_area_buffers(const frmpipemain::AreaCalculatorLists& lists);

  void Area_LostFocus(int row);
  void Cval_LostFocus(int row);
  void cmdcomputearea_Click();
  void cmdsavearea_Click();
  void cmdcancelarea_Click();

 protected:
  void build() override;
  void Form_Load() override;

 private:
  int row_count() const { return static_cast<int>(rows_.size()); }
  // Shows the description of a failure that the number layer raised (an overflow).
  template <class F>
  void guarded(F&& f);
  void show_row_product(int row);

  const std::vector<area::LandUseRow>& rows_;
};

}  // namespace gw::design
