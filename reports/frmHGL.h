// The hydraulic grade line window: outfall node and tailwater elevation, and the computation
// that writes form LD347.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/db/recordset.h"
#include "reports/grade_line_sheet.h"
#include "reports/network_walk.h"
#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::reports {

class frmHGL : public shell::Window {
 public:
  static constexpr const char* kName = window::frmHGL;
  explicit frmHGL(shell::Program& p) : Window(p, kName) {}

  // "Compute HGL": walks the network upstream from the outfall node, asks for the workbook
  // name, copies "LD347.xlr" there and writes the header and one grade line row per node,
  // branch by branch, saves it, then "Finished! Please check and Save your results", with a
  // warning that lists the values that could not be computed (left blank), pipe and column.
  // Pipes that cannot be read, a missing template, a workbook that cannot be opened or saved
  // end it with the failure's description. Nothing is written to the database.
  void cmdHGL_Click();
  void cmdHGLclose_Click();
  void TWE_GotFocus();
  void TWE_KeyPress(int& key_ascii);
  void TWE_LostFocus();

  // The walk: fills `branch` from the pipes of table PIPE, upstream from the outfall node
  // (the text of hglanodeout). A failure to read the pipes leaves `branch` empty and raises
  // gw::Error naming it.
  void TREEBUILD();
  // The branches of the last walk, in writing order.

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  // Fills the outfall list with the distinct node-out numbers of table PIPE, ascending.
  void load_outlet_nodes();

  std::unique_ptr<db::Recordset> outlet_nodes_rs_;
  // The pipes as the walk read them; the rows take their pipes from the same reading. Both
  // are released once the rows are written.
  std::unique_ptr<PipeLookup> pipes_;
  std::vector<Branch> branch_;
};

}  // namespace gw::reports
