// The pipe design window: one pipe of table PIPE viewed, added or edited, its record access and SOLVE.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "design/hydraulics/hydraulics_state.h"
#include "platform/binding/binding.h"
#include "platform/db/recordset.h"
#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::design {

class frmpipemain : public shell::Window {
 public:
  static constexpr const char* kName = window::frmpipemain;
  explicit frmpipemain(shell::Program& p);
  ~frmpipemain() override;

  // ---- what other windows use ----
  // Whether a pipe stands in the relation `listname` names with `boundtxt`:
  // "PRENODE1".."PRENODE4" a pipe names it as an upstream pipe (found_pipe_number: that
  // pipe), "PIPE_NUMBER" the number exists, "NODEIN_NO" a pipe starts at that structure
  // (found_pipe_number: that pipe). Touches no control, so it does not load the window.
  // A search that cannot run shows its error, answers false and leaves search_failed()
  // true, so that a guard can refuse its action instead of taking "not found".
  // For "PRENODE1".."PRENODE4", a pipe numbered `exclude_pipe` (the pipe's own stored
  // record while it is edited) does not count.
  bool search_pipes(const std::string& boundtxt, const std::string& listname,
                    const std::string& exclude_pipe = {});
  bool search_failed() const { return search_failed_; }

  // ---- the window's state, read from outside ----
  // What the window does with its pipe: shows a stored pipe, enters a new one, or edits the one
  // shown. The field "screenmode" shows it as "VIEW", "ADD" or "EDIT".
  enum class Mode { view, add, edit };
  Mode mode() const { return mode_; }
  // Whether the pipe's hydraulics count as solved (Save requires it).
  bool solved() const { return pipe_solved; }

 protected:
  void build() override;
  void Form_Load() override;
  void Form_Unload(int& cancel) override;

 private:
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

  // ---- form-level values (kept while the window is unloaded) ----
  // True while the record's hydraulics count as solved; Save requires it.
  bool pipe_solved = false;
  // Sets the mode and shows it in the field "screenmode".
  void set_mode(Mode mode);
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
  // Recomputes pipe_slope from pipe_length, pipe_elein and pipe_eleout; reports a wrong
  // order of the elevations and an unreadable input itself.
  void compute_slope();
  // Set while the slope's inputs were refused ("Data Input Error for Slope Computation!"):
  // the slope shown belongs to other inputs, so SOLVE and Save refuse until it is computed
  // again. Cleared by every other outcome of compute_slope and when a record is read.
  bool slope_refused = false;
  // Checks the pipe number (blank; in add mode, already stored) when the length is entered.
  void pipe_length_GotFocus();
  void pipe_length_LostFocus();
  void pipe_elein_LostFocus();
  void pipe_eleout_LostFocus();
  // Manning's n from the material (or the arch shape).
  void pipe_mat_Click();
  // Sizes, material and enabled fields of the chosen shape.
  void pipe_shape_Click();
  // A blank span or rise of a non-circular pipe takes the default size.
  void span_LostFocus();
  void rise_LostFocus();
  void lateral_discharge_LostFocus();
  // Opens the standard-size picker of the shape, or the deflection-angle picture.
  void pipeshape_help_Click();
  void pipeskew_help_Click();
  // Set while a left lateral discharge waits to move the focus one field beyond the field
  // that receives it; the hook doing so is installed once per load.
  bool pass_focus_pending = false;
  bool pass_focus_hooked = false;

  // ---- nodes and network links ----
  // (handlers of that area: declared here, defined in frmpipemain_nodes.cpp)
  // Texts of the node lists when they last got the focus (kept while the window lives).
  std::string nodein_no_old;
  std::string nodein_type_old;
  std::string nodeout_type_old;
  // The rows the node-number lists show; replaced at every refill.
  std::shared_ptr<db::Recordset> nodein_list_rs;
  std::shared_ptr<db::Recordset> nodeout_list_rs;
  // Refill the node-number lists: inlet numbers for "Inlet", else the structures of that
  // type at which a stored pipe ends (node in) or starts (node out).
  void fill_nodein_list();
  void fill_nodeout_list();
  // Empty a node; clearing the node in also resets the structure's flow data.
  void clear_nodein();
  void clear_nodeout();
  void nodein_type_GotFocus();
  void nodein_type_LostFocus();
  void nodein_no_GotFocus();
  void nodein_no_LostFocus();
  void nodeout_type_GotFocus();
  void nodeout_type_LostFocus();
  void nodeout_no_GotFocus();
  void nodeout_no_LostFocus();

  // ---- rainfall intensity, discharge, accumulation, discharge mode ----
  // (handlers of that area: declared here, defined in frmpipemain_flow.cpp)
  // Makes the accumulation inputs numeric and sets accumulated_Tc and accumulated_ca. Needs
  // no rainfall. Does not recompute the discharge: callers follow it with
  // compute_pipe_discharge().
  void compute_accumulated();
  // Writes the design discharge into pipe_discharge. In the entered mode ("INP") it is the
  // entered discharge (plus a lateral discharge, when there is one) and nothing else. In
  // the computed mode it is the rational method over the structure's drainage, the lateral
  // discharge and the four upstream-pipe rows, with the intensities of this pipe's storm at
  // its structure's Tc and at each row's arrival, computed afresh (and left in the work
  // values). A failure is reported in words naming the field; pipe_discharge then keeps
  // its text.
  void compute_pipe_discharge();
  // The intensity at `tc` (minutes; "5.0" when empty, written back) with the coefficients
  // as loaded, written into pipe_I. False when it cannot be computed (reported).
  bool show_pipe_intensity(std::string& tc);
  // upstream_q1..4: the stored design discharge of each upstream pipe ("0.0" when none, or
  // when the number names no saved pipe). Throws when the list of saved pipes is not open
  // or Cf is no number.
  void get_upstream_discharges();
  // Empties the intensity and discharge work values, so that nothing computed for another
  // pipe is taken for this one.
  void clear_work_values();
  // "Compute Intensity": the structure's and the upstream pipes' intensities, pipe_I and
  // the discharge.
  void cmd_accIntensity_Click();
  // A storm frequency chosen: Cf, then as "Compute Intensity".
  void pipe_storm_freq_Click();
  // Cf follows every change of the storm; a typed storm is taken when its field is left,
  // when it is one of the list's items, and refused otherwise.
  void pipe_storm_freq_Change();
  void pipe_storm_freq_GotFocus();
  void pipe_storm_freq_LostFocus();
  // The storm frequency whose intensities were last asked for (or the text at focus).
  std::string storm_freq_applied;
  // Upstream-pipe row `slot` (1..4) left: checks the number, then loads or empties the row.
  void prenode_LostFocus(int slot);
  // Loads row `slot` from the pipe list, its intensity, the accumulation and the discharge.
  void load_previous_pipe(int slot);
  // Empties row `slot` and recomputes the accumulation and the discharge.
  void clear_prenode(int slot);
  void structure_compute1_Click();
  void structure_input1_Click();
  void structure_discharge_Change();
  void structure_discharge_LostFocus();
  void structure_Tc_GotFocus();
  void structure_Tc_Change();
  void structure_Tc_LostFocus();
  void pipe_I_GotFocus();
  void pipe_I_LostFocus();
  void cmdstr_area_Click();
  void cmdstr_Tc_Click();
  // structure_Tc edited since it got the focus, and its text then; pipe_I's text at focus.
  bool tc_changed = false;
  std::string tc_old_text;
  std::string intensity_old_text;

  // Control names bound to table PIPE, in binding order: every project, then the five of
  // current projects only (DISCHARGEVAL and upstream slot 4), then the rest.
  static const std::vector<std::string>& bound_controls(bool legacy);
  // The thirteen result fields that SOLVE fills and clear_pipe_results empties.
  static const std::array<const char*, 13> kResultFields;

  void clear_pipe_results();
  void adopipeRS_MoveComplete();
  void adopipeRS_WillChangeRecord(db::ChangeReason reason, bool& cancel);
  void build_controls();
  void wire_handlers();
  // Each area wires its own field handlers (called at the end of build()).
  void wire_geometry();
  void wire_nodes();
  void wire_flow();
  // Rainfall intensity helpers (frmpipemain_discharge.cpp): the storm frequency as whole
  // years (false, reported, when the text is none); the coefficients of the window's storm
  // (false, reported, when they cannot be looked up); whether the structure's and the
  // accumulated Tc are positive numbers (reported when not); the entered discharge into
  // pipe_discharge; pipe_I at the accumulated Tc and then the discharge (false when it
  // stopped, reported).
  bool storm_frequency(int& years);
  bool load_storm_coefficients();
  bool discharge_times_ok();
  void set_entered_discharge();
  bool recompute_pipe_intensity();
  // Refreshes the pipe table window's grid and list after a save.
  void refresh_pipe_table();
  // Clears pipe_solved when a bound input really changes outside a refill or SOLVE's writes.
  void watch_inputs();

  ui::Binding binding_;
  bool bound_ = false;
  bool search_failed_ = false;
  bool writing_results_ = false;
  // The hydraulics' work values: a form-level value, so they live on across pipes and unloads
  // for the program's life, as every solve expects.
  hyd::HydraulicsState hydraulics_state_;
  Mode mode_ = Mode::view;
  int last_tab_ = 0;
};

}  // namespace gw::design
