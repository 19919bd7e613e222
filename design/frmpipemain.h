// The pipe design window: one pipe of table PIPE viewed, added or edited, its record access and SOLVE.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "design/pipe_derivation.h"
#include "design/upstream_links.h"
#include "hydraulics/hydraulics_state.h"
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
  // The outcome of search_pipes.
  struct PipeSearch {
    bool found = false;   // a pipe stands in the relation
    std::string pipe;     // that pipe, for the relations that name one (else empty)
    bool failed = false;  // the search could not run; it has shown why
  };
  // Whether a pipe stands in the relation `listname` names with `boundtxt`:
  // "PRENODE1".."PRENODE4" a pipe names it as an upstream pipe (pipe: that pipe),
  // "PIPE_NUMBER" the number exists, "NODEIN_NO" a pipe starts at that structure (pipe: that
  // pipe). The shared variable found_pipe_number shows the pipe too. Touches no control, so it
  // does not load the window. A search that cannot run shows its error and answers not found
  // and failed, so that a guard can refuse its action instead of taking "not found".
  // For "PRENODE1".."PRENODE4", a pipe numbered `exclude_pipe` (the pipe's own stored
  // record while it is edited) does not count.
  PipeSearch search_pipes(const std::string& boundtxt, const std::string& listname,
                          const std::string& exclude_pipe = {});

  // The pipe the window shows when it loads next and what it does with it: "view" or "edit"
  // the stored pipe numbered `id`, "add" a new one (`id` empty). The shared variables
  // pipe_form_mode and pipe_form_id show them too.
  void open_on(const std::string& mode, const std::string& id);

  // The Tc calculator's inputs of the pipe's structure, as three stored lists (the fields
  // PTcStr, pTcStr2 and PTcoptionstr).
  struct TcCalculatorLists {
    std::string first;     // PTcStr
    std::string second;    // pTcStr2
    std::string switches;  // PTcoptionstr
  };
  TcCalculatorLists tc_calculator_lists();
  // The Tc calculator saved a computed Tc of at least 5 minutes: it becomes the structure's
  // Tc, marked computed, with the inputs it came from.
  void take_computed_tc(const std::string& tc, const TcCalculatorLists& lists);
  // The Tc calculator's total was below 5 minutes and the engineer took the minimum: the
  // structure's Tc is 5.0, typed, and the calculator's inputs are dropped.
  void take_minimum_tc();

  // The drainage-area calculator's rows of the pipe's structure, as two stored lists (the
  // fields pareabufstr and pcbufstr).
  struct AreaCalculatorLists {
    std::string areas;  // pareabufstr
    std::string cs;     // pcbufstr
  };
  AreaCalculatorLists area_calculator_lists();
  // The drainage-area calculator saved: its rows, and its totals C*A and A (texts as it shows
  // them) as the structure's.
  void take_drainage_area(const AreaCalculatorLists& lists, const std::string& total_ca,
                          const std::string& total_area);

  // A standard size picked in a size picker: span and rise (with the full-flow area and
  // hydraulic radius of the sizes that have them), and for the sizes of one material that
  // material and its Manning's n. The picked size and material are not typed over; the next
  // shape change opens them again.
  struct StandardSize {
    std::string span, rise;
    std::optional<std::string> area, hydraulic_radius;
    std::optional<std::string> material, manning_n;
  };
  void take_standard_size(const StandardSize& size);

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
  // The upstream-pipe list: get_pipe_list fills prenode1..prenode4 with the number of every
  // saved pipe, sorted by PIPE_NUMBER, read from the table's index alone. A row's pipe is then
  // looked up by its number: saved_pipe() reads its PIPE_NUMBER, ACCUMULATED_CA,
  // ACCUMULATED_TC, FLOW_TIME and PIPE_DISCHARGE into prepipeRS (at its end when no saved
  // pipe has that number, the numbers compared as the table compares them).
  std::shared_ptr<db::Recordset> prepipeRS;
  bool pipe_list_read_ = false;  // get_pipe_list succeeded
  // Which saved pipe names which as upstream pipe: read when a pipe is added or edited (a
  // pipe viewed checks no rows), dropped by get_pipe_list (the list read again after a save).
  UpstreamLinks upstream_links_;
  bool links_read_ = false;
  bool read_upstream_links();
  // The pipe other than `exclude_pipe` that names `number` as an upstream pipe, from the
  // links read with the list (search_pipes when the list could not be read).
  PipeSearch upstream_user(const std::string& number, const std::string& slot_column,
                           const std::string& exclude_pipe);
  db::Recordset& saved_pipe(const std::string& number);

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
  // pending and adopipeRS open, when the write failed; the caller reports that with
  // update_failure_text().
  bool pipeUpdate();
  // Why the last pipeUpdate failed, as the save shows it: the pipe, the project file and the
  // cause when the file refused the write (disk full, read-only, in use), else
  // "Data Update Error!".
  const std::string& update_failure_text() const { return update_failure_; }
  // Sets the window's fields to the values of a new pipe.
  void init_pipe_data();

  // ---- form-level values (kept while the window is unloaded) ----
  // True while the record's hydraulics count as solved; Save requires it.
  bool pipe_solved = false;
  std::string update_failure_;  // see update_failure_text
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
  // Reports how the derived slope came out when an elevation or the length is left: a wrong
  // order of the elevations, or an unreadable input.
  void compute_slope();
  // Set while the slope's inputs cannot give a slope ("Data Input Error for Slope
  // Computation!"): the slope is empty, so SOLVE and Save refuse until it is derived again.
  // Cleared by every other outcome of the derivation and when a record is read.
  bool slope_refused = false;
  // How the slope last derived came out (the leave handlers report it).
  SlopeStatus slope_status_ = SlopeStatus::computed;
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
  // Copies the first row's four location columns, as texts, into the node's four fields.
  void copy_location(const db::Recordset& rs, const char* const (&fields)[4]);

  // ---- the derived values, rainfall intensity, discharge mode ----
  // (the derivation's wiring in frmpipemain_discharge.cpp, the handlers in frmpipemain_flow.cpp)
  // Every value the window derives from its inputs (slope; accumulated Tc and C*A; Cf; the
  // program's intensity; the work values; the design discharge; Check_ComputeTc) comes from
  // derive_pipe_values, run from here after any input changes, by whatever route: a change
  // of an input field (typed, pasted, dropped, set by a calculator or another window, a node
  // or row handler), or of who owns the intensity. Handlers only set inputs. A group of
  // values is written once one of its inputs changed since the record was read, so a stored
  // pipe shows what it was saved with until the engineer changes it. Silent: what cannot be
  // derived is emptied, and SOLVE and Save name it.
  void derive();
  // The inputs as the fields hold them, the rows' stored discharges and the storm's
  // coefficients (looked up once per storm, without a word).
  PipeInputs gather_inputs();
  // Runs derive() again when a group was touched, and shows what cannot be derived (SOLVE
  // prefixes its own words). True when everything derived.
  bool derive_for_command(const std::string& prefix);
  // An input of a group changed: marks the group and derives, unless the change is the
  // binding refilling the record or the window's own loading.
  void input_changed(bool slope_group);
  // Holds derivation while several inputs are set together; derives once at the end.
  class Batch {
   public:
    explicit Batch(frmpipemain& w) : w_(w) { ++w_.batch_depth_; }
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    frmpipemain& w_;
  };
  // The record was read (loaded, added, edited): nothing is touched, nothing pending, the
  // rainfall looked up afresh, and the intensity's owner decided.
  void record_read();
  // Watches the inputs of both groups, pipe_I and the discharge mode (called by build()).
  void wire_derivation();
  // "Compute Intensity" and a storm chosen: the program's intensity replaces the
  // engineer's, the storm's coefficients looked up afresh; what cannot be derived is named.
  void program_intensity_again();
  // The inputs' texts as last seen: a text rewritten with the same number ("10" shown as
  // "10.000") is no change of the input.
  std::map<std::string, std::string> seen_inputs_;
  bool same_number(const Control& ctl);
  int batch_depth_ = 0;
  bool derive_pending_ = false;
  bool deriving_ = false;
  bool loading_ = false;
  // A group is touched once one of its inputs changed since the record was read (SOLVE and
  // Save derive it again), pending while a change is not yet written.
  bool slope_touched_ = false;
  bool flow_touched_ = false;
  bool slope_pending_ = false;
  bool flow_pending_ = false;
  void touch_group(bool slope_group);
  // The input texts as their leave rules make them, from the last derivation of the flow.
  RuledInputs ruled_;
  // SOLVE: the flow fields take those texts, so that what is solved and saved is what the
  // rules give, whatever route the text came by.
  void write_ruled_inputs();
  std::string derive_failure_;
  // Whether pipe_I holds the engineer's intensity (kept) or the program's (follows).
  bool intensity_typed_ = false;
  // The rainfall coefficients of each storm looked up for this record, or why none.
  struct StormLookup {
    std::optional<rational::IdfCoefficients> coefficients;
    std::string error;
  };
  std::map<int, StormLookup> storm_lookups_;
  StormLookup invalid_storm_;
  // The lookup of `storm` (a text); `report`: looked up afresh, a failure shown.
  const StormLookup& storm_lookup(const std::string& storm, bool report);
  // The discharge mode last brought into force (its enabling and resets).
  std::string applied_mode_;
  // dischargeval changed: a new mode by any route gets the resets of its option.
  void dischargeval_Change();
  void apply_computed_mode();
  void apply_entered_mode();
  // Empties the intensity and discharge work values, so that nothing computed for another
  // pipe is taken for this one.
  void clear_work_values();
  // "Compute Intensity": the program's intensity again, the coefficients looked up afresh.
  void cmd_accIntensity_Click();
  // A storm frequency chosen: its coefficients looked up afresh; the program's intensity.
  void pipe_storm_freq_Click();
  // A typed storm is taken when its field is left, when it is one of the list's items, and
  // refused otherwise.
  void pipe_storm_freq_GotFocus();
  void pipe_storm_freq_LostFocus();
  // The storm frequency whose intensities were last asked for (or the text at focus).
  std::string storm_freq_applied;
  // Upstream-pipe row `slot` (1..4) left: checks the number, then loads or empties the row.
  void prenode_LostFocus(int slot);
  // Loads row `slot` from the pipe list (a stored value that is no number is named).
  void load_previous_pipe(int slot);
  // Empties row `slot`.
  void clear_prenode(int slot);
  // The pipe number each row's values were copied for (set when a row is loaded or emptied
  // and when a record is read): a row naming another number has not been entered.
  std::array<std::string, 4> row_loaded_for_;
  void structure_compute1_Click();
  void structure_input1_Click();
  void structure_discharge_LostFocus();
  void structure_Tc_GotFocus();
  void structure_Tc_Change();
  void structure_Tc_LostFocus();
  void pipe_I_GotFocus();
  void pipe_I_Change();
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
  // Whether the engineer's stored intensity differs from the program's at the stored
  // accumulated Tc, compared in the field's pattern (then it is theirs and kept).
  bool stored_intensity_typed();
  // The program's intensity at the stored accumulated Tc, in the field's pattern; nullopt
  // when the coefficients or the Tc do not give one.
  std::optional<std::string> program_stored_intensity();
  // A stored pipe opened: names what it holds out of date. Editing, a stored intensity not
  // the program's is named and kept, a lateral discharge the entered mode hides is reset,
  // and the previous-pipe rows whose copies differ from their pipes' saved records are
  // named in one message and entered again; viewed, those rows are named and left as stored.
  void review_stored_record(bool editing);
  // Refreshes the pipe table window's grid and list after a save.
  void refresh_pipe_table();
  // Clears pipe_solved when a bound input really changes outside a refill or SOLVE's writes.
  void watch_inputs();

  ui::Binding binding_;
  bool bound_ = false;
  bool writing_results_ = false;
  // The hydraulics' work values: a form-level value, so they live on across pipes and unloads
  // for the program's life, as every solve expects.
  hyd::HydraulicsState hydraulics_state_;
  Mode mode_ = Mode::view;
  int last_tab_ = 0;
  // What open_on asked for.
  std::string open_mode_;
  std::string open_id_;
};

}  // namespace gw::design
