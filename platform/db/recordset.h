// A client-side snapshot of a query's records, with navigation, field access and edits.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/value.h"

namespace gw::db {

// Why a record is about to change (the will_change_record event).
enum class ChangeReason {
  add_new,        // add_new() starts a new record
  first_change,   // the first field change of a record since it was read or written
  update,         // update() / update_batch() is about to write the record
  delete_record,  // delete_current() is about to delete it
  undo_update,    // cancel_update() drops the edits of a stored record
  undo_add_new,   // cancel_update() drops a new record that was never written
};

// The edit state of the current record.
enum class EditMode {
  none,         // no pending change
  in_progress,  // a stored record with field changes not yet written
  add,          // a new record not yet written
};

// All the records of one query, read at once; the record count is exact.
//
// Position: before the first record (bof()), on a record (1-based absolute_position()), or
// after the last (eof()); an empty recordset is at bof() and eof() together. open() and
// requery() land on the first record. Moving forward past eof() or back past bof() fails.
// delete_current() makes the record that followed the deleted one current (eof() when it was
// the last), so a loop that deletes does not move_next() after a delete.
//
// Fields: by name (without regard to case) or by index from 0. A NULL reads as the empty
// text through field(); value() gives the stored kind. A missing field fails with
// "Field '<name>' is not in the records.".
//
// Edits: a query over one table ("SELECT * FROM PIPE ORDER BY PIPE_NUMBER", "SELECT * FROM
// PROJECT", also with WHERE and column lists) is updatable; joins, groups, DISTINCT, unions and
// computed columns are read-only, and editing them fails. The table's row id is kept hidden
// with each record, so writes find their row whatever the query's columns are. Edits stay in
// the snapshot, pending, until update() writes the current record or update_batch() writes
// every pending one; moving between records keeps them pending; close(), requery() and the
// destructor drop them. A write sends only the changed fields, as bound values, and fails
// (record and pending edit kept) when the stored record was changed or deleted meanwhile.
// After a write the record is read back, so column defaults and stored forms show.
//
// Events: will_change_record is raised before a record changes (see ChangeReason); the
// handler may set cancel, and the operation then fails with "The change was cancelled.".
// Setting a field to the value it holds (the empty text on a NULL included) changes nothing
// and raises nothing. move_complete is raised after every completed move: open, requery,
// move_*, set_absolute_position, find, add_new, delete_current, and cancel_update of a new
// record.
//
// Typical use by a window:
//   adopipeRS.will_change_record = [this](ChangeReason r, bool&) {
//       if (r == ChangeReason::add_new || r == ChangeReason::first_change) pipe_solved = false;
//   };
//   adopipeRS.open(project_connection, "SELECT * FROM PIPE WHERE PIPE_NUMBER = ?", {number});
//   if (!adopipeRS.eof()) shape = adopipeRS.field("PIPE_SHAPE");
//   adopipeRS.set_field("PIPE_SHAPE", "Box");
//   adopipeRS.update();
class Recordset {
 public:
  Recordset();
  ~Recordset();
  Recordset(Recordset&&) noexcept;
  Recordset& operator=(Recordset&&) noexcept;
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // ---- events (set them before open) ----
  std::function<void(ChangeReason reason, bool& cancel)> will_change_record;
  std::function<void()> move_complete;

  // Observers of what the current record shows, for control binding: called after every
  // move, add_new, cancel_update, update/update_batch (values read back), delete_current,
  // requery, open and close (not after set_field: the writer knows its value). There is a
  // record to show unless bof() or eof(). Returns an id for unsubscribe.
  int subscribe(std::function<void()> on_record_shown);
  void unsubscribe(int id);

  // ---- opening ----
  // Runs the query with its bound values and keeps every row; closes what was open.
  void open(Connection& connection, const std::string& sql, const std::vector<Value>& params = {});
  void close();  // drops pending edits
  bool is_open() const;
  bool updatable() const;  // whether the query is over one table and may be edited
  // Runs the same query again: pending edits are dropped and the first record is current.
  void requery();

  // ---- position ----
  bool bof() const;
  bool eof() const;
  long record_count() const;
  long absolute_position() const;  // 1..record_count(), 0 when there is no current record
  void set_absolute_position(long position);
  void move_first();  // on an empty recordset nothing moves
  void move_last();
  void move_next();
  void move_previous();
  void move(long offset);  // relative to the current record; stops at bof()/eof()
  // From the current record forward (the first one when at bof()), to the first record whose
  // field equals the text, compared without regard to case (a NULL reads as the empty text).
  // Returns whether one was found; when none is, the position is eof().
  bool find(std::string_view field_name, std::string_view text);

  // ---- fields of the current record ----
  int field_count() const;
  const std::string& field_name(int index) const;
  int field_index(std::string_view name) const;  // -1 when missing
  bool has_field(std::string_view name) const;
  std::string field(std::string_view name) const;
  std::string field(int index) const;
  Value value(std::string_view name) const;
  Value value(int index) const;
  bool is_null(std::string_view name) const;
  void set_field(std::string_view name, const Value& value);
  void set_field(int index, const Value& value);

  // ---- edits ----
  void add_new();              // a new empty record at the end becomes current, pending
  void update();               // writes the current record's pending change now (nothing pending: no-op)
  void cancel_update();        // drops the current record's pending change
  void update_batch();         // writes every pending record, all or none
  void delete_current();       // deletes the current record from the table at once; the next one
                               // becomes current
  EditMode edit_mode() const;  // of the current record
  bool has_pending_changes() const;

 private:
  struct Impl;
  Impl& self() const;  // the state; fails as "not open" for a moved-from recordset
  void raise(ChangeReason reason);
  void notify_and_moved(bool moved);
  std::unique_ptr<Impl> impl_;
};

}  // namespace gw::db
