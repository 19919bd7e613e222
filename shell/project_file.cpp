// Checking a file chosen as a project: damage, code of its own, the layout of its tables,
// clauses its tables declare, its PROJECT record; and the project kind its columns give.
#include "shell/project_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <initializer_list>

#include "platform/db/companions.h"
#include "platform/db/recordset.h"
#include "platform/text/ascii_case.h"
#include "shell/project_text.h"

namespace gw::shell {

namespace fs = std::filesystem;

namespace {

// The PROJECT columns of every release, and those each later release added.
constexpr const char* kProjectColumns[] = {"PROJECT_ID", "PROJECT_NAME", "DESCRIPTION",
                                           "LOCATION",   "COUNTY",       "STATE",
                                           "UNITS",      "DESIGNER",     "INLET_DATABASE"};
constexpr const char* kReleaseColumns[] = {"PRODUCT_NAME", "MAJOR_RELEASE", "MINOR_RELEASE", "RELEASE_DATE"};
constexpr const char* kStationColumn = "NOAA_STATION";

// The PIPE columns of every layout; the current layout adds the mode and the fourth upstream
// pipe, the legacy one has the two integer mode columns instead.
constexpr const char* kPipeColumns[] = {"PIPE_NUMBER",
                                        "PROJECT_ID",
                                        "PIPE_LENGTH",
                                        "PIPE_ELEIN",
                                        "PIPE_ELEOUT",
                                        "PIPE_SHAPE",
                                        "PIPE_SKEW",
                                        "PIPE_DIA",
                                        "PIPE_MAT",
                                        "PIPE_MANN",
                                        "NUMOFPIPES",
                                        "PIPE_SLOPE",
                                        "SPAN",
                                        "RISE",
                                        "NODEIN_TYPE",
                                        "NODEIN_NO",
                                        "NODEIN_STATION",
                                        "NODEIN_OFFSET",
                                        "NODEIN_OFFLOC",
                                        "NODEIN_TOPELE",
                                        "NODEIN_SHAPING",
                                        "NODEOUT_TYPE",
                                        "NODEOUT_NO",
                                        "NODEOUT_STATION",
                                        "NODEOUT_OFFSET",
                                        "NODEOUT_OFFLOC",
                                        "NODEOUT_TOPELE",
                                        "STRUCTURE_DISCHARGE",
                                        "PIPE_DISCHARGE",
                                        "PIPE_I",
                                        "ACCUMULATED_CA",
                                        "ACCUMULATED_TC",
                                        "STRUCTURE_AREA",
                                        "STRUCTURE_CA",
                                        "STRUCTURE_TC",
                                        "PIPE_CF",
                                        "PRENODE1",
                                        "PRECA1",
                                        "PRETC1",
                                        "PREFLOWTIME1",
                                        "PRENODE2",
                                        "PRECA2",
                                        "PRETC2",
                                        "PREFLOWTIME2",
                                        "PRENODE3",
                                        "PRECA3",
                                        "PRETC3",
                                        "PREFLOWTIME3",
                                        "LATERAL_DISCHARGE",
                                        "PAREABUFSTR",
                                        "PCBUFSTR",
                                        "PTCSTR",
                                        "PTCSTR2",
                                        "PTCOPTIONSTR",
                                        "CAPACITY",
                                        "FRICTION_SLOPE",
                                        "HYD_RADIUS",
                                        "ENERGY",
                                        "PIPE_WP",
                                        "CRITICAL_DEPTH",
                                        "PIPE_FLOWDEPTH",
                                        "PIPE_AREAFLOW",
                                        "PIPE_VELOCITY",
                                        "FLOW_TIME",
                                        "FROUDE_NO",
                                        "FLOW_TYPE",
                                        "PIPE_SUMMARY",
                                        "PIPE_STORM_FREQ"};
constexpr const char* kCurrentPipeColumns[] = {"DISCHARGEVAL", "PRENODE4", "PRECA4", "PRETC4",
                                               "PREFLOWTIME4"};
constexpr const char* kLegacyPipeColumns[] = {"STRUCTURE_INPUT", "STRUCTURE_COMPUTE"};

bool has(const std::vector<std::string>& columns, const char* name) {
  return std::any_of(columns.begin(), columns.end(),
                     [name](const std::string& c) { return text::iequals(c, name); });
}

template <size_t N>
const char* first_missing(const std::vector<std::string>& columns, const char* const (&names)[N]) {
  for (const char* n : names)
    if (!has(columns, n)) return n;
  return nullptr;
}

template <size_t N>
bool has_any(const std::vector<std::string>& columns, const char* const (&names)[N]) {
  return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return has(columns, n); });
}

// Why PROJECT's columns are those of no release, or the empty text.
std::string project_layout_problem(const std::vector<std::string>& columns) {
  const char* missing = first_missing(columns, kProjectColumns);
  // A release marker without the others, or a station without the release columns.
  if (!missing && (has_any(columns, kReleaseColumns) || has(columns, kStationColumn)))
    missing = first_missing(columns, kReleaseColumns);
  if (!missing) return {};
  return std::string("its PROJECT table is of another layout (it has no column ") + missing + ")";
}

// Why PIPE's columns are those of no release, or the empty text.
std::string pipe_layout_problem(const std::vector<std::string>& columns) {
  const char* missing = first_missing(columns, kPipeColumns);
  if (!missing) {
    // The current layout, or the legacy one without any of the current columns.
    if (has_any(columns, kCurrentPipeColumns))
      missing = first_missing(columns, kCurrentPipeColumns);
    else
      missing = first_missing(columns, kLegacyPipeColumns);
  }
  if (!missing) return {};
  return std::string("its PIPE table is of another layout (it has no column ") + missing + ")";
}

// ---- clauses of a table's declaration ----------------------------------------------------

struct Token {
  enum Kind { word, name, string, number, punct } kind;
  std::string text;  // a word in capitals; a quoted name without its quotes
  size_t begin, end;
};

// The tokens of an SQL text; comments are skipped.
std::vector<Token> tokens_of(const std::string& s) {
  std::vector<Token> out;
  size_t i = 0;
  const size_t n = s.size();
  auto quoted = [&](char close) {
    // From the opening quote at i to its closing one; a doubled closing quote stands for one.
    std::string t;
    size_t j = i + 1;
    for (; j < n; ++j) {
      if (s[j] == close) {
        if (close != ']' && j + 1 < n && s[j + 1] == close) {
          t += close;
          ++j;
          continue;
        }
        break;
      }
      t += s[j];
    }
    return std::pair<std::string, size_t>(t, std::min(j + 1, n));
  };
  while (i < n) {
    const auto ch = static_cast<unsigned char>(s[i]);
    if (std::isspace(ch)) {
      ++i;
    } else if (s.compare(i, 2, "--") == 0) {
      while (i < n && s[i] != '\n') ++i;
    } else if (s.compare(i, 2, "/*") == 0) {
      const size_t e = s.find("*/", i + 2);
      i = e == std::string::npos ? n : e + 2;
    } else if (ch == '\'' || ch == '"' || ch == '`' || ch == '[') {
      auto [t, e] = quoted(ch == '[' ? ']' : static_cast<char>(ch));
      out.push_back({ch == '\'' ? Token::string : Token::name, t, i, e});
      i = e;
    } else if (std::isalpha(ch) || ch == '_' || ch >= 0x80) {
      size_t e = i;
      while (e < n && (std::isalnum(static_cast<unsigned char>(s[e])) || s[e] == '_' || s[e] == '$' ||
                       static_cast<unsigned char>(s[e]) >= 0x80))
        ++e;
      std::string t = s.substr(i, e - i);
      for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      out.push_back({Token::word, t, i, e});
      i = e;
    } else if (std::isdigit(ch) ||
               (ch == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
      size_t e = i;
      while (e < n && (std::isalnum(static_cast<unsigned char>(s[e])) || s[e] == '.')) ++e;
      out.push_back({Token::number, s.substr(i, e - i), i, e});
      i = e;
    } else {
      out.push_back({Token::punct, std::string(1, s[i]), i, i + 1});
      ++i;
    }
  }
  return out;
}

bool is(const Token& t, const char* word) { return t.kind == Token::word && t.text == word; }
bool is_punct(const Token& t, char c) { return t.kind == Token::punct && t.text[0] == c; }

// The text between two token positions with its blanks folded, for a message.
std::string shown(const std::string& sql, size_t begin, size_t end) {
  std::string out;
  for (size_t i = begin; i < end; ++i) {
    const bool blank = std::isspace(static_cast<unsigned char>(sql[i]));
    if (blank && (out.empty() || out.back() == ' ')) continue;
    out += blank ? ' ' : sql[i];
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// Words that begin a column constraint: none of them is in the program's own tables.
bool starts_constraint(const Token& t) {
  if (t.kind != Token::word) return false;
  for (const char* w : {"CONSTRAINT", "PRIMARY", "NOT", "UNIQUE", "CHECK", "REFERENCES", "GENERATED", "AS",
                        "ON", "AUTOINCREMENT", "FOREIGN", "ASC", "DESC"})
    if (t.text == w) return true;
  return false;
}

// Whether one column definition (tokens [b, e)) holds only what the program's own tables
// declare: a name, a type, COLLATE with a collation and DEFAULT with a literal.
bool plain_column(const std::vector<Token>& t, size_t b, size_t e) {
  if (b >= e || starts_constraint(t[b])) return false;
  for (size_t i = b + 1; i < e; ++i) {
    const Token& k = t[i];
    if (is(k, "COLLATE")) {
      if (++i >= e || (t[i].kind != Token::word && t[i].kind != Token::name)) return false;
    } else if (is(k, "DEFAULT")) {
      if (++i >= e) return false;
      if (is_punct(t[i], '-') || is_punct(t[i], '+')) ++i;
      if (i >= e || (t[i].kind != Token::string && t[i].kind != Token::number &&
                     !(t[i].kind == Token::word &&
                       (t[i].text == "NULL" || t[i].text == "TRUE" || t[i].text == "FALSE"))))
        return false;
    } else if (starts_constraint(k)) {
      return false;
    } else if (is_punct(k, '(')) {
      // A type's size, such as TEXT(50) or DECIMAL(10, 2).
      for (++i; i < e && !is_punct(t[i], ')'); ++i)
        if (t[i].kind != Token::number && !is_punct(t[i], ',') && !is_punct(t[i], '-') &&
            !is_punct(t[i], '+'))
          return false;
      if (i >= e) return false;
    } else if (k.kind != Token::word && k.kind != Token::name) {
      return false;
    }
  }
  return true;
}

// Why the declaration of `table` holds a clause the program's own tables do not have, or the
// empty text.
std::string clause_problem(const std::string& table, const std::string& sql) {
  const std::vector<Token> t = tokens_of(sql);
  size_t open = 0;
  while (open < t.size() && !is_punct(t[open], '(')) {
    if (is(t[open], "VIRTUAL")) return "its " + table + " table is a virtual table";
    ++open;
  }
  if (open == t.size()) return {};
  // The column definitions and table constraints, split at the commas of the outer list.
  size_t item = open + 1;
  int depth = 0;
  size_t i = open + 1;
  for (; i < t.size(); ++i) {
    if (is_punct(t[i], '(')) {
      ++depth;
      continue;
    }
    const bool closing = is_punct(t[i], ')');
    if (closing && depth > 0) {
      --depth;
      continue;
    }
    if (depth == 0 && (closing || is_punct(t[i], ','))) {
      if (item < i && !plain_column(t, item, i))
        return "its " + table + " table declares a clause of its own (" +
               shown(sql, t[item].begin, t[i - 1].end) + ")";
      item = i + 1;
      if (closing) break;
    }
  }
  // Table options after the list (WITHOUT ROWID, STRICT).
  if (i + 1 < t.size())
    return "its " + table + " table declares a clause of its own (" + shown(sql, t[i + 1].begin, sql.size()) +
           ")";
  return {};
}

// Why the file carries a unique index other than the pipe number's, or the empty text.
std::string unique_index_problem(db::Connection& conn) {
  db::Recordset indexes;
  indexes.open(
      conn,
      "SELECT m.tbl_name, m.name FROM sqlite_master m WHERE m.type = 'index' AND m.sql IS NOT NULL "
      "AND EXISTS (SELECT 1 FROM pragma_index_list(m.tbl_name) l WHERE l.name = m.name AND l.\"unique\") "
      "ORDER BY m.name");
  for (; !indexes.eof(); indexes.move_next()) {
    const std::string table = indexes.field(0), name = indexes.field(1);
    db::Recordset cols;
    cols.open(conn, "SELECT name FROM pragma_index_info(?)", {name});
    const bool pipe_number = text::iequals(table, "PIPE") && cols.record_count() == 1 &&
                             text::iequals(cols.field(0), "PIPE_NUMBER");
    if (!pipe_number) return "it carries a unique index of its own (" + name + ")";
  }
  return {};
}

}  // namespace

ProjectFileCheck check_project_file(const std::string& path) {
  ProjectFileCheck out;
  std::error_code ec;
  if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) == 0 && !ec) {
    out.problem = "the file is empty";
    return out;
  }
  // What lies beside the file is looked at first: the engine would play a journal or a
  // write-ahead log into the file the moment it is opened for writing.
  const db::Companions beside = db::look_beside(path);
  switch (beside.state) {
    case db::Companions::State::clear:
      break;
    case db::Companions::State::write_ahead_log:
      out.problem = "it is in WAL mode (write-ahead logging" +
                    (beside.companion.empty() ? std::string() : ", with the log \"" + beside.companion + "\" beside it") +
                    "), which project files do not use";
      return out;
    case db::Companions::State::hot_journal:
      out.problem = "the last save of the file was interrupted and its journal \"" + beside.companion +
                    "\" has not been rolled back";
      return out;
    case db::Companions::State::foreign_journal:
      out.problem = "the journal \"" + beside.companion + "\" beside it cannot be the file's own (" + beside.why +
                    "); the file and the journal are left as they are";
      return out;
  }
  try {
    db::Connection conn;
    conn.open(path, db::Connection::Access::read_only);
    {
      db::Recordset check;
      check.open(conn, "PRAGMA quick_check");
      if (!check.eof() && check.field(0) != "ok") {
        out.problem = "the file is damaged (" + check.field(0) + ")";
        return out;
      }
    }
    {
      db::Recordset code;
      code.open(conn,
                "SELECT CASE WHEN type = 'table' THEN 'virtual table' ELSE type END, name FROM sqlite_master "
                "WHERE type IN ('trigger', 'view') OR (type = 'table' AND sql LIKE 'CREATE VIRTUAL%') ORDER "
                "BY name");
      if (!code.eof()) {
        out.problem = "it carries a " + code.field(0) + " of its own (" + code.field(1) + ")";
        return out;
      }
    }
    const std::vector<std::string> project = conn.columns_of("PROJECT");
    if (project.empty()) {
      out.problem = "it has no table PROJECT";
      return out;
    }
    if (out.problem = project_layout_problem(project); !out.problem.empty()) return out;
    const std::vector<std::string> pipe = conn.columns_of("PIPE");
    if (pipe.empty()) {
      out.problem = "it has no table PIPE";
      return out;
    }
    if (out.problem = pipe_layout_problem(pipe); !out.problem.empty()) return out;
    {
      db::Recordset tables;
      tables.open(conn,
                  "SELECT upper(name), sql FROM sqlite_master WHERE type = 'table' AND upper(name) IN "
                  "('PROJECT', 'PIPE', 'ENERGY') ORDER BY name");
      for (; !tables.eof(); tables.move_next())
        if (out.problem = clause_problem(tables.field(0), tables.field(1)); !out.problem.empty()) return out;
    }
    if (out.problem = unique_index_problem(conn); !out.problem.empty()) return out;
    db::Recordset rs;
    rs.open(conn, "SELECT * FROM PROJECT");
    if (!rs.eof())
      for (int i = 0; i < rs.field_count(); ++i) {
        const std::string value = rs.field(i);
        if (!valid_text(value)) {
          out.problem = "its PROJECT record holds a value that cannot be shown (" + rs.field_name(i) + ")";
          return out;
        }
        if (has_control_characters(value)) out.odd_columns.push_back(rs.field_name(i));
      }
    out.kind = project_kind_of(conn);
  } catch (const std::exception& e) {
    out.problem = e.what();
  }
  return out;
}

ProjectKind project_kind_of(const db::Connection& conn) {
  if (!has_any(conn.columns_of("PIPE"), kCurrentPipeColumns)) return ProjectKind::legacy;
  return conn.has_column("PROJECT", kStationColumn) ? ProjectKind::current : ProjectKind::older;
}

bool lacks_release_columns(const db::Connection& conn) {
  const std::vector<std::string> columns = conn.columns_of("PROJECT");
  return !has(columns, kStationColumn) || first_missing(columns, kReleaseColumns) != nullptr;
}

void add_release_columns(db::Connection& conn) {
  for (const char* column :
       {kStationColumn, kReleaseColumns[0], kReleaseColumns[1], kReleaseColumns[2], kReleaseColumns[3]})
    if (!conn.has_column("PROJECT", column))
      conn.execute(std::string("ALTER TABLE PROJECT ADD COLUMN ") + column + " TEXT COLLATE NOCASE");
}

}  // namespace gw::shell
