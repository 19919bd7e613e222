// The pipe design window: one pipe of table PIPE viewed, added or edited, its record access and SOLVE.
#pragma once

#include <memory>
#include <string>

#include "platform/db/recordset.h"
#include "platform/ui/binding.h"
#include "shell/program.h"

namespace gw::design {

class frmpipemain : public shell::Window {
 public:
  static constexpr const char* kName = "frmpipemain";
  explicit frmpipemain(shell::Program& p);
  ~frmpipemain() override;

  // ---- record access (public procedures of the window) ----
  // The window's record set of PIPE records: opened by get_pipe_records, written and
  // closed by pipeUpdate.
  std::shared_ptr<db::Recordset> adopipeRS;
  // The upstream-pipe list: PIPE_NUMBER, ACCUMULATED_CA, ACCUMULATED_TC, FLOW_TIME and
  // PIPE_DISCHARGE of every pipe, sorted by PIPE_NUMBER.
  std::shared_ptr<db::Recordset> prepipeRS;

  void get_pipe_records(const std::string& wherestr);
  void get_pipe_list(const std::string& qureymode);
  void attach_pipe_datasource();
  void clear_pipe_datasource();
  void pipeAdd();
  void pipeCancel();
  // Writes the current record; returns whether the write succeeded (a failure has been
  // reported to the user already).
  bool pipeUpdate();
  void init_pipe_data();
  // Whether a pipe stands in the relation `listname` names with `boundtxt`
  // ("PRENODE1".."PRENODE4": a pipe names it upstream; "PIPE_NUMBER": the number exists;
  // "NODEIN_NO": a pipe starts at the structure). Sets found_pipe_number. Touches no
  // control, so it does not load the window. A search that cannot run is reported and
  // answers false; search_failed() then tells the caller so.
  bool search_pipes(const std::string& boundtxt, const std::string& listname);
  bool search_failed() const { return search_failed_; }

  // ---- form-level values (they keep their values while the window is unloaded) ----
  bool pipe_solved = false;
  bool editing_pipe = false;
  bool adding_new_pipe = false;
  std::string remembered_prenode1, remembered_prenode2, remembered_prenode3, remembered_prenode4;

  // ---- commands ----
  void mnuAddpipe_Click();
  void begin_add_mode();
  void mnuEditpipe_Click();
  void enter_edit_mode();
  void mnuSavepipe_Click();
  void mnuExitPipe_Click();
  void mnuhelponpipe_Click();
  void mnuabout_Click();
  void lock_pipe_frames();
  void unlock_pipe_frames();
  void update_status_bar();
  void Toolbar1_ButtonClick(int index);
  void cmdpipesolve_Click();
  void solve_pipe_hydraulics();

  // Shape-dependent enablement of the size fields.
  void set_shape_controls();
  // Runs on a change of tab (previous tab given).
  void pipetab_Click(int previous_tab);

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void clear_pipe_results();
  void adopipeRS_MoveComplete();
  void adopipeRS_WillChangeRecord(db::ChangeReason reason, bool& cancel);

  ui::Binding binding_;
  bool search_failed_ = false;
  bool writing_results_ = false;
};

}  // namespace gw::design
