// The recordset: reading a query's rows, moving among them, and writing edits back by row id.
#include "platform/db/recordset.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

#include "platform/db/session.h"
#include "platform/db/single_table_query.h"
#include "platform/db/statement.h"
#include "platform/error/error.h"
#include "platform/text/ascii_case.h"

namespace gw::db {

namespace {

// One record of the snapshot. As read from the table it is packed into one block, so that a
// snapshot of many records costs one allocation per record: for each field its kind (1 byte)
// and the end of its bytes (4 bytes), then the bytes, texts as stored and numbers in binary.
// A record with edits, or a new one, also holds every field as it shows.
struct Row {
  std::string packed;         // as last read from the table; empty for a new record
  std::vector<Value> edited;  // every field as it shows, while the record is new or dirty
  long long rowid = 0;
  bool is_new = false;        // added, never written
  bool dirty = false;         // a stored record with edits not yet written
  long return_position = -1;  // for a new record: where cancel_update goes back to

  bool shows_edits() const { return is_new || dirty; }
};

constexpr std::size_t kFieldHead = 5;  // kind, end

std::uint32_t read32(const char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Field i of a packed record of n fields: its kind and its bytes.
std::pair<Value::Kind, std::string_view> packed_field(const std::string& packed, std::size_t n,
                                                      std::size_t i) {
  const char* head = packed.data() + i * kFieldHead;
  const auto kind = static_cast<Value::Kind>(static_cast<unsigned char>(head[0]));
  const std::uint32_t end = read32(head + 1);
  const std::uint32_t start = i == 0 ? 0 : read32(head + 1 - kFieldHead);
  return {kind, std::string_view(packed.data() + n * kFieldHead + start, end - start)};
}

Value packed_value(const std::string& packed, std::size_t n, std::size_t i) {
  const auto [kind, bytes] = packed_field(packed, n, i);
  switch (kind) {
    case Value::Kind::null:
      return Value();
    case Value::Kind::integer: {
      long long v;
      std::memcpy(&v, bytes.data(), sizeof v);
      return Value(v);
    }
    case Value::Kind::real: {
      double v;
      std::memcpy(&v, bytes.data(), sizeof v);
      return Value(v);
    }
    case Value::Kind::text:
      return Value(bytes);
  }
  return Value();
}

std::string packed_text(const std::string& packed, std::size_t n, std::size_t i) {
  const auto [kind, bytes] = packed_field(packed, n, i);
  if (kind == Value::Kind::text) return std::string(bytes);
  if (kind == Value::Kind::null) return {};
  return packed_value(packed, n, i).text();
}

// Packs the n columns of the statement's current row from column `first` on into `buf`.
void pack_columns(sqlite3_stmt* stmt, int first, int n, std::string& buf) {
  buf.assign(static_cast<std::size_t>(n) * kFieldHead, '\0');
  for (int i = 0; i < n; ++i) {
    const int col = first + i;
    Value::Kind kind = Value::Kind::text;
    switch (sqlite3_column_type(stmt, col)) {
      case SQLITE_INTEGER: {
        kind = Value::Kind::integer;
        const long long v = sqlite3_column_int64(stmt, col);
        buf.append(reinterpret_cast<const char*>(&v), sizeof v);
        break;
      }
      case SQLITE_FLOAT: {
        kind = Value::Kind::real;
        const double v = sqlite3_column_double(stmt, col);
        buf.append(reinterpret_cast<const char*>(&v), sizeof v);
        break;
      }
      case SQLITE_NULL:
        kind = Value::Kind::null;
        break;
      case SQLITE_TEXT: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
        const int bytes = sqlite3_column_bytes(stmt, col);
        if (p != nullptr) buf.append(p, static_cast<std::size_t>(bytes));
        break;
      }
      default: {
        // A blob reads as its bytes.
        const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, col));
        const int bytes = sqlite3_column_bytes(stmt, col);
        if (p != nullptr) buf.append(p, static_cast<std::size_t>(bytes));
        break;
      }
    }
    const std::size_t payload = buf.size() - static_cast<std::size_t>(n) * kFieldHead;
    if (payload > std::numeric_limits<std::uint32_t>::max())
      throw gw::Error("A record is too large to be read.");
    const auto end = static_cast<std::uint32_t>(payload);
    char* head = buf.data() + static_cast<std::size_t>(i) * kFieldHead;
    head[0] = static_cast<char>(kind);
    std::memcpy(head + 1, &end, sizeof end);
  }
}

std::string quote_name(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// Whether writing the new value over the current one changes nothing: the same text, where a
// NULL counts as the empty text unless NULL itself is being written.
bool unchanged(const Value& current, const Value& next) {
  if (next.is_null()) return current.is_null();
  return current.text() == next.text();
}

const char* const conflict_message =
    "The record could not be written: it was changed or deleted since it was read.";

}  // namespace

struct Recordset::Impl {
  std::shared_ptr<detail::Session> session;
  std::string sql;
  std::vector<Value> params;
  bool open = false;

  std::vector<std::string> names;    // field names as the query gives them
  std::string table;                 // the table edits go to; empty when read-only
  std::vector<std::string> columns;  // the table column behind each field

  std::vector<Row> rows;
  long position = -1;  // -1 before the first record, rows.size() after the last

  std::vector<std::pair<int, std::function<void()>>> listeners;
  int next_listener = 1;

  long size() const { return static_cast<long>(rows.size()); }
  bool has_current() const { return open && position >= 0 && position < size(); }

  void require_open() const {
    if (!open) throw gw::Error("The recordset is not open.");
  }
  void require_current() const {
    require_open();
    if (!has_current()) throw gw::Error("There is no current record.");
  }
  void require_updatable() const {
    require_open();
    if (table.empty()) throw gw::Error("The records of this query cannot be changed.");
  }
  Row& current() { return rows[static_cast<std::size_t>(position)]; }
  const Row& current() const { return rows[static_cast<std::size_t>(position)]; }

  std::size_t field_total() const { return names.size(); }
  // Field i of a record as it shows, and as last read from the table.
  Value value_at(const Row& row, std::size_t i) const {
    return row.shows_edits() ? row.edited[i] : packed_value(row.packed, field_total(), i);
  }
  std::string text_at(const Row& row, std::size_t i) const {
    return row.shows_edits() ? row.edited[i].text() : packed_text(row.packed, field_total(), i);
  }
  Value original_at(const Row& row, std::size_t i) const {
    return packed_value(row.packed, field_total(), i);
  }
  // Unpacks a stored record before its first edit.
  void expand(Row& row) const {
    row.edited.clear();
    row.edited.reserve(field_total());
    for (std::size_t i = 0; i < field_total(); ++i)
      row.edited.push_back(packed_value(row.packed, field_total(), i));
  }

  int index_of(std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i)
      if (text::iequals(names[i], name)) return static_cast<int>(i);
    return -1;
  }
  int require_index(std::string_view name) const {
    require_open();
    const int i = index_of(name);
    if (i < 0) throw gw::Error("The field '" + std::string(name) + "' is not in the recordset.");
    return i;
  }
  void require_index(int i) const {
    require_open();
    if (i < 0 || i >= static_cast<int>(names.size()))
      throw gw::Error("There is no field number " + std::to_string(i) + " in the recordset.");
  }

  // Runs the query and replaces the snapshot; the old one stays when this fails.
  void read();
  // Writes one pending row and returns its row id; the row itself is not touched.
  long long write(const Row& row) const;
  // Reads a written row back from the table.
  void read_back(Row& row) const;
};

// ---- reading ---------------------------------------------------------------------------

void Recordset::Impl::read() {
  sqlite3* db = session->handle();
  detail::Statement query(db, sql);
  query.bind(params);
  const int n = query.column_count();

  std::vector<std::string> new_names;
  for (int i = 0; i < n; ++i) new_names.push_back(query.column_name(i));

  // Editable when every column comes straight from one table of the main database and the
  // text is a plain one-table query; the row id then rides along as a hidden first column.
  std::string new_table;
  std::vector<std::string> new_columns;
  const std::optional<std::size_t> insert_at = detail::single_table_query(sql);
  if (insert_at && n > 0) {
    new_table = sqlite3_column_table_name(query.get(), 0) ? sqlite3_column_table_name(query.get(), 0) : "";
    for (int i = 0; i < n && !new_table.empty(); ++i) {
      const char* db_name = sqlite3_column_database_name(query.get(), i);
      const char* table_name = sqlite3_column_table_name(query.get(), i);
      const char* origin = sqlite3_column_origin_name(query.get(), i);
      if (db_name == nullptr || table_name == nullptr || origin == nullptr ||
          std::string_view(db_name) != "main" || !text::iequals(table_name, new_table))
        new_table.clear();
      else
        new_columns.push_back(origin);
    }
  }

  std::vector<Row> new_rows;
  std::optional<detail::Statement> with_rowid;
  if (!new_table.empty()) {
    const std::string rowid_sql = sql.substr(0, *insert_at) + " _rowid_," + sql.substr(*insert_at);
    try {
      with_rowid.emplace(db, rowid_sql);
      if (with_rowid->column_count() != n + 1) with_rowid.reset();
    } catch (const gw::Error&) {
      with_rowid.reset();  // a table without row ids: the records stay read-only
    }
    if (!with_rowid) new_table.clear();
  }
  std::string buf;
  if (with_rowid) {
    with_rowid->bind(params);
    while (with_rowid->step()) {
      Row row;
      row.rowid = sqlite3_column_int64(with_rowid->get(), 0);
      pack_columns(with_rowid->get(), 1, n, buf);
      row.packed = buf;
      new_rows.push_back(std::move(row));
    }
  } else {
    new_columns.clear();
    while (query.step()) {
      Row row;
      pack_columns(query.get(), 0, n, buf);
      row.packed = buf;
      new_rows.push_back(std::move(row));
    }
  }

  names = std::move(new_names);
  table = std::move(new_table);
  columns = std::move(new_columns);
  rows = std::move(new_rows);
  position = rows.empty() ? -1 : 0;
  open = true;
}

// ---- writing ---------------------------------------------------------------------------

long long Recordset::Impl::write(const Row& row) const {
  sqlite3* db = session->handle();
  std::vector<std::string> set_columns;
  std::vector<Value> set_values;
  const auto already = [&](const std::string& column) {
    return std::any_of(set_columns.begin(), set_columns.end(),
                       [&](const std::string& c) { return text::iequals(c, column); });
  };

  if (row.is_new) {
    for (std::size_t i = 0; i < columns.size(); ++i)
      if (!row.edited[i].is_null() && !already(columns[i])) {
        set_columns.push_back(columns[i]);
        set_values.push_back(row.edited[i]);
      }
    std::string statement = "INSERT INTO " + quote_name(table);
    if (set_columns.empty()) {
      statement += " DEFAULT VALUES";
    } else {
      std::string names_part, marks;
      for (std::size_t i = 0; i < set_columns.size(); ++i) {
        names_part += (i ? ", " : "") + quote_name(set_columns[i]);
        marks += i ? ", ?" : "?";
      }
      statement += " (" + names_part + ") VALUES (" + marks + ")";
    }
    detail::Statement insert(db, statement);
    insert.bind(set_values);
    insert.step();
    return sqlite3_last_insert_rowid(db);
  }

  // Only the changed fields are written, and only while they still hold what was read.
  std::vector<Value> old_values;
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (!(row.edited[i] == original_at(row, i)) && !already(columns[i])) {
      set_columns.push_back(columns[i]);
      set_values.push_back(row.edited[i]);
      old_values.push_back(original_at(row, i));
    }
  if (set_columns.empty()) return row.rowid;
  std::string statement = "UPDATE " + quote_name(table) + " SET ";
  for (std::size_t i = 0; i < set_columns.size(); ++i)
    statement += (i ? ", " : "") + quote_name(set_columns[i]) + " = ?";
  statement += " WHERE _rowid_ = ?";
  for (const std::string& column : set_columns) statement += " AND " + quote_name(column) + " IS ?";
  std::vector<Value> params_all = set_values;
  params_all.push_back(Value(row.rowid));
  params_all.insert(params_all.end(), old_values.begin(), old_values.end());
  detail::Statement update(db, statement);
  update.bind(params_all);
  update.step();
  if (sqlite3_changes64(db) == 0) throw gw::Error(conflict_message);
  return row.rowid;
}

void Recordset::Impl::read_back(Row& row) const {
  std::string list;
  for (std::size_t i = 0; i < columns.size(); ++i) list += (i ? ", " : "") + quote_name(columns[i]);
  detail::Statement select(session->handle(),
                           "SELECT " + list + " FROM " + quote_name(table) + " WHERE _rowid_ = ?");
  select.bind({Value(row.rowid)});
  if (select.step()) {
    std::string buf;
    pack_columns(select.get(), 0, static_cast<int>(columns.size()), buf);
    row.packed = std::move(buf);
  } else {
    // A record no longer in the table keeps what it showed.
    std::string buf(field_total() * kFieldHead, '\0');
    for (std::size_t i = 0; i < field_total(); ++i) {
      const Value& v = row.edited[i];
      std::string bytes;
      if (v.kind() == Value::Kind::integer) {
        const long long x = v.integer();
        bytes.assign(reinterpret_cast<const char*>(&x), sizeof x);
      } else if (v.kind() == Value::Kind::real) {
        const double x = v.real();
        bytes.assign(reinterpret_cast<const char*>(&x), sizeof x);
      } else {
        bytes = v.text();
      }
      buf += bytes;
      const auto end = static_cast<std::uint32_t>(buf.size() - field_total() * kFieldHead);
      buf[i * kFieldHead] = static_cast<char>(v.kind());
      std::memcpy(buf.data() + i * kFieldHead + 1, &end, sizeof end);
    }
    row.packed = std::move(buf);
  }
  row.edited.clear();
  row.edited.shrink_to_fit();
  row.is_new = false;
  row.dirty = false;
}

// ---- Recordset -------------------------------------------------------------------------

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

Recordset::Impl& Recordset::self() const {
  if (!impl_) throw gw::Error("The recordset is not open.");
  return *impl_;
}

void Recordset::raise(ChangeReason reason) {
  if (!will_change_record) return;
  bool cancel = false;
  will_change_record(reason, cancel);
  if (cancel) throw gw::Error("The change was cancelled.");
}

// Tells the observers first, so that bound controls show the record when the form's own
// move_complete handler runs.
void Recordset::notify_and_moved(bool moved) {
  if (impl_) {
    const auto listeners = impl_->listeners;
    for (const auto& entry : listeners)
      if (entry.second) entry.second();
  }
  if (moved && move_complete) move_complete();
}

int Recordset::subscribe(std::function<void()> on_record_shown) {
  if (!impl_) impl_ = std::make_unique<Impl>();
  const int id = impl_->next_listener++;
  impl_->listeners.emplace_back(id, std::move(on_record_shown));
  return id;
}

void Recordset::unsubscribe(int id) {
  if (!impl_) return;
  auto& l = impl_->listeners;
  l.erase(std::remove_if(l.begin(), l.end(), [id](const auto& p) { return p.first == id; }), l.end());
}

// ---- opening ---------------------------------------------------------------------------

void Recordset::open(Connection& connection, const std::string& sql, const std::vector<Value>& params) {
  if (!impl_) impl_ = std::make_unique<Impl>();
  Impl& d = *impl_;
  if (!connection.is_open()) throw gw::Error("The connection is not open.");
  // The old records go whether or not the new query succeeds, as a fresh open would.
  d.open = false;
  d.rows.clear();
  d.names.clear();
  d.table.clear();
  d.columns.clear();
  d.session = connection.session();
  d.sql = sql;
  d.params = params;
  d.read();
  notify_and_moved(true);
}

void Recordset::close() {
  if (!impl_ || !impl_->open) return;
  Impl& d = *impl_;
  d.open = false;
  d.rows.clear();
  d.position = -1;
  d.session.reset();
  notify_and_moved(false);
}

bool Recordset::is_open() const { return impl_ && impl_->open; }

bool Recordset::updatable() const { return is_open() && !impl_->table.empty(); }

void Recordset::requery() {
  Impl& d = self();
  d.require_open();
  d.read();
  notify_and_moved(true);
}

// ---- position --------------------------------------------------------------------------

bool Recordset::bof() const {
  const Impl& d = self();
  d.require_open();
  return d.rows.empty() || d.position < 0;
}

bool Recordset::eof() const {
  const Impl& d = self();
  d.require_open();
  return d.rows.empty() || d.position >= d.size();
}

long Recordset::record_count() const {
  const Impl& d = self();
  d.require_open();
  return d.size();
}

long Recordset::absolute_position() const {
  const Impl& d = self();
  d.require_open();
  return d.has_current() ? d.position + 1 : 0;
}

void Recordset::set_absolute_position(long position) {
  Impl& d = self();
  d.require_open();
  if (position < 1 || position > d.size())
    throw gw::Error("There is no record at position " + std::to_string(position) + ".");
  d.position = position - 1;
  notify_and_moved(true);
}

void Recordset::move_first() {
  Impl& d = self();
  d.require_open();
  d.position = d.rows.empty() ? -1 : 0;
  notify_and_moved(true);
}

void Recordset::move_last() {
  Impl& d = self();
  d.require_open();
  d.position = d.rows.empty() ? -1 : d.size() - 1;
  notify_and_moved(true);
}

void Recordset::move_next() { move(1); }

void Recordset::move_previous() { move(-1); }

void Recordset::move(long offset) {
  Impl& d = self();
  d.require_open();
  if (offset == 0) d.require_current();
  if (offset > 0 && eof()) throw gw::Error("The position is already after the last record.");
  if (offset < 0 && bof()) throw gw::Error("The position is already before the first record.");
  // Stops at bof() / eof(), without overflow for any offset.
  if (offset > 0)
    d.position = offset >= d.size() - d.position ? d.size() : d.position + offset;
  else
    d.position = offset <= -1 - d.position ? -1 : d.position + offset;
  notify_and_moved(true);
}

bool Recordset::find(std::string_view field_name, std::string_view text) {
  Impl& d = self();
  const int column = d.require_index(field_name);
  long start = d.position < 0 ? 0 : d.position;
  bool found = false;
  for (long i = start; i < d.size(); ++i) {
    if (text::iequals(d.text_at(d.rows[static_cast<std::size_t>(i)], static_cast<std::size_t>(column)),
                      text)) {
      d.position = i;
      found = true;
      break;
    }
  }
  if (!found) d.position = d.size();
  notify_and_moved(true);
  return found;
}

// ---- fields ----------------------------------------------------------------------------

int Recordset::field_count() const {
  const Impl& d = self();
  d.require_open();
  return static_cast<int>(d.names.size());
}

const std::string& Recordset::field_name(int index) const {
  const Impl& d = self();
  d.require_index(index);
  return d.names[static_cast<std::size_t>(index)];
}

int Recordset::field_index(std::string_view name) const {
  const Impl& d = self();
  d.require_open();
  return d.index_of(name);
}

bool Recordset::has_field(std::string_view name) const { return field_index(name) >= 0; }

std::string Recordset::field(std::string_view name) const { return field(self().require_index(name)); }

std::string Recordset::field(int index) const {
  const Impl& d = self();
  d.require_index(index);
  d.require_current();
  return d.text_at(d.current(), static_cast<std::size_t>(index));
}

Value Recordset::value(std::string_view name) const { return value(self().require_index(name)); }

Value Recordset::value(int index) const {
  const Impl& d = self();
  d.require_index(index);
  d.require_current();
  return d.value_at(d.current(), static_cast<std::size_t>(index));
}

bool Recordset::is_null(std::string_view name) const { return value(name).is_null(); }

void Recordset::set_field(std::string_view name, const Value& value) {
  set_field(self().require_index(name), value);
}

void Recordset::set_field(int index, const Value& value) {
  Impl& d = self();
  d.require_index(index);
  d.require_updatable();
  d.require_current();
  const auto i = static_cast<std::size_t>(index);
  if (unchanged(d.value_at(d.current(), i), value)) return;
  if (!d.current().is_new && !d.current().dirty) {
    raise(ChangeReason::first_change);
    d.expand(d.current());
    d.current().dirty = true;
  }
  // Every field of the same column shows the new value.
  Row& row = d.current();
  for (std::size_t k = 0; k < d.columns.size(); ++k)
    if (text::iequals(d.columns[k], d.columns[i])) row.edited[k] = value;
}

// ---- edits -----------------------------------------------------------------------------

void Recordset::add_new() {
  Impl& d = self();
  d.require_updatable();
  raise(ChangeReason::add_new);
  Row row;
  row.edited.assign(d.names.size(), Value());
  row.is_new = true;
  row.return_position = d.position;
  d.rows.push_back(std::move(row));
  d.position = d.size() - 1;
  notify_and_moved(true);
}

void Recordset::update() {
  Impl& d = self();
  d.require_updatable();
  d.require_current();
  if (!d.current().is_new && !d.current().dirty) return;
  raise(ChangeReason::update);
  Row& row = d.current();
  row.rowid = d.write(row);
  d.read_back(row);
  notify_and_moved(false);
}

void Recordset::cancel_update() {
  Impl& d = self();
  d.require_open();
  if (!d.has_current()) return;
  Row& row = d.current();
  if (row.is_new) {
    raise(ChangeReason::undo_add_new);
    const long back = d.current().return_position;
    const long removed = d.position;
    d.rows.erase(d.rows.begin() + removed);
    for (Row& r : d.rows)
      if (r.is_new && r.return_position > removed) --r.return_position;
    d.position = std::clamp(back, -1L, d.size());
    notify_and_moved(true);
  } else if (row.dirty) {
    raise(ChangeReason::undo_update);
    d.current().edited.clear();
    d.current().dirty = false;
    notify_and_moved(false);
  }
}

void Recordset::update_batch() {
  Impl& d = self();
  d.require_updatable();
  std::vector<std::size_t> pending;
  for (std::size_t i = 0; i < d.rows.size(); ++i)
    if (d.rows[i].is_new || d.rows[i].dirty) pending.push_back(i);
  if (pending.empty()) return;
  for (std::size_t n = 0; n < pending.size(); ++n) raise(ChangeReason::update);

  // All or none: a savepoint works inside and outside a caller's transaction.
  sqlite3* db = d.session->handle();
  detail::Statement(db, "SAVEPOINT gw_update_batch").step();
  std::vector<long long> rowids;
  try {
    for (std::size_t i : pending) rowids.push_back(d.write(d.rows[i]));
    detail::Statement(db, "RELEASE gw_update_batch").step();
  } catch (const std::exception&) {
    sqlite3_exec(db, "ROLLBACK TO gw_update_batch; RELEASE gw_update_batch", nullptr, nullptr, nullptr);
    throw;
  }
  for (std::size_t n = 0; n < pending.size(); ++n) {
    Row& row = d.rows[pending[n]];
    row.rowid = rowids[n];
    d.read_back(row);
  }
  notify_and_moved(false);
}

void Recordset::delete_current() {
  Impl& d = self();
  d.require_updatable();
  d.require_current();
  raise(ChangeReason::delete_record);
  Row& row = d.current();
  if (!row.is_new) {
    sqlite3* db = d.session->handle();
    detail::Statement remove(db, "DELETE FROM " + quote_name(d.table) + " WHERE _rowid_ = ?");
    remove.bind({Value(row.rowid)});
    remove.step();
    if (sqlite3_changes64(db) == 0) throw gw::Error(conflict_message);
  }
  const long removed = d.position;
  d.rows.erase(d.rows.begin() + removed);
  for (Row& r : d.rows)
    if (r.is_new && r.return_position > removed) --r.return_position;
  // The record that followed becomes current (eof() when the last one went).
  d.position = d.rows.empty() ? -1 : std::min(removed, d.size());
  notify_and_moved(true);
}

EditMode Recordset::edit_mode() const {
  const Impl& d = self();
  d.require_open();
  if (!d.has_current()) return EditMode::none;
  if (d.current().is_new) return EditMode::add;
  return d.current().dirty ? EditMode::in_progress : EditMode::none;
}

bool Recordset::has_pending_changes() const {
  const Impl& d = self();
  d.require_open();
  return std::any_of(d.rows.begin(), d.rows.end(), [](const Row& r) { return r.is_new || r.dirty; });
}

}  // namespace gw::db
