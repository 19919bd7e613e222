// The pipe design window: one pipe of table PIPE viewed, added or edited, its record access and SOLVE.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/ui/binding.h"
#include "shell/program.h"

namespace gw::design {

class frmpipemain : public shell::Window {
 public:
  static constexpr const char* kName = "frmpipemain";
  explicit frmpipemain(shell::Program& p);
  ~frmpipemain() override;

  // ---- record access ----
  // The window's record set of PIPE records: opened by get_pipe_records, written and
  // closed by pipeUpdate.
  std::shared_ptr<db::Recordset> adopipeRS;
  // The upstream-pipe list: PIPE_NUMBER, ACCUMULATED_CA, ACCUMULATED_TC, FLOW_TIME and
  // PIPE_DISCHARGE of every pipe, sorted by PIPE_NUMBER. Item source of prenode1..prenode4.
  std::shared_ptr<db::Recordset> prepipeRS;

  // Opens adopipeRS on every pipe (empty wherestr) or on the pipe of that number.
  void get_pipe_records(const std::string& wherestr);
  // "requery" runs the list's query again; any other text opens it afresh.
  void get_pipe_list(const std::string& qureymode);
  void attach_pipe_datasource();
  void clear_pipe_datasource();
  // Starts a new record with the project's id and the values of a new pipe.
  void pipeAdd();
  // Drops a record being added; the edit of a stored record is left unwritten.
  void pipeCancel();
  // Writes the current record and closes adopipeRS. Returns false, with the record still
  // pending and adopipeRS open, when the write failed; the caller reports that.
  bool pipeUpdate();
  // Sets the window's fields to the values of a new pipe.
  void init_pipe_data();
  // Whether a pipe stands in the relation `listname` names with `boundtxt`:
  // "PRENODE1".."PRENODE4" a pipe names it as an upstream pipe (found_pipe_number: that
  // pipe), "PIPE_NUMBER" the number exists, "NODEIN_NO" a pipe starts at that structure
  // (found_pipe_number: that pipe). Touches no control, so it does not load the window.
  // A search that cannot run shows its error, answers false and leaves search_failed()
  // true, so that a guard can refuse its action instead of taking "not found".
  bool search_pipes(const std::string& boundtxt, const std::string& listname);
  bool search_failed() const { return search_failed_; }

  // ---- form-level values (kept while the window is unloaded) ----
  // True while the record's hydraulics count as solved; Save requires it.
  bool pipe_solved = false;
  bool editing_pipe = false;
  bool adding_new_pipe = false;
  // Upstream pipe numbers the record held on entering edit mode: a row still naming its
  // remembered number is not searched for in other pipes.
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
  // Toolbar click by 1-based button index: 1 Add, 3 Edit, 5 Save, 8 Solve, 11 Exit, 14 help.
  void Toolbar1_ButtonClick(int index);
  // The SOLVE command: the hydraulics of the pipe's shape on the window's fields.
  void cmdpipesolve_Click();
  // Runs the routine of the shape in pipe_shape; returns whether it succeeded.
  bool solve_pipe_hydraulics();

  // Enables the size fields and the material for the current shape, changing no value.
  void set_shape_controls();
  // Brings the frames in line with the mode after a change of tab.
  void pipetab_Click(int previous_tab);

  // ---- pipe geometry and material inputs, size pickers, deflection picture ----
  // (handlers of that area: declared here, defined in frmpipemain_geometry.cpp)

  // ---- nodes and network links ----
  // (handlers of that area: declared here, defined in frmpipemain_nodes.cpp)

  // ---- rainfall intensity, discharge, accumulation, discharge mode ----
  // (handlers of that area: declared here, defined in frmpipemain_flow.cpp)

  // Whether a toolbar button shows pressed (the command in progress).
  bool button_pressed(int index) const;

  // Control names bound to table PIPE, in binding order: every project, then the five of
  // current projects only (DISCHARGEVAL and upstream slot 4), then the rest.
  static const std::vector<std::string>& bound_controls(bool legacy);
  // The thirteen result fields that SOLVE fills and clear_pipe_results empties.
  static const std::array<const char*, 13> kResultFields;

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
  void clear_pipe_results();
  void adopipeRS_MoveComplete();
  void adopipeRS_WillChangeRecord(db::ChangeReason reason, bool& cancel);
  void build_controls();
  void wire_handlers();
  // Each area wires its own field handlers (called at the end of build()).
  void wire_geometry();
  void wire_nodes();
  void wire_flow();
  void set_pressed(int index, bool pressed);
  // Refreshes the pipe table window's grid and list after a save.
  void refresh_pipe_table();
  // Clears pipe_solved when a bound input really changes outside a refill or SOLVE's writes.
  void watch_inputs();

  ui::Binding binding_;
  bool bound_ = false;
  bool search_failed_ = false;
  bool writing_results_ = false;
  int last_tab_ = 0;
  std::array<bool, 15> pressed_{};
};

}  // namespace gw::design
