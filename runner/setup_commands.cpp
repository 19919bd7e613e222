// Setting a scenario up: the clock, the program folder, files copied into place, database
// statements, read-only files. Everything a set-up line writes lies in the scenario's own $TMP.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "runner/args.h"
#include "runner/disk_full.h"
#include "runner/interpreter.h"

namespace gw::runner {

namespace {

namespace fs = std::filesystem;

// Set-up lines write only inside the scenario's own temporary folder, so that a scenario
// cannot spoil the program folder or the fixtures that other scenarios share.
void require_in_tmp(Interpreter& in, const Line& line, const std::string& path) {
  if (in.paths().tmp.empty()) in.fail(line, "the scenario has no temporary folder to write in");
  std::error_code e1, e2;
  fs::path tmp = fs::weakly_canonical(in.paths().tmp, e1);
  fs::path p = fs::weakly_canonical(fs::absolute(path), e2);
  auto [t_end, p_it] = std::mismatch(tmp.begin(), tmp.end(), p.begin(), p.end());
  if (e1 || e2 || t_end != tmp.end() || p_it == p.end()) in.fail(line, quote(path) + " is not inside $TMP");
}

void cmd_clock(Interpreter& in, const Line& line) {
  Args a(in, line);
  double start = a.number("the start time");
  double step = a.empty() ? FakeClock::kDefaultStep : a.number("the step");
  a.done();
  if (!in.clock().set(start, step)) a.malformed("the start lies in [0, 86400) and the step in (0, 86400)");
}

void cmd_copy(Interpreter& in, const Line& line) {
  Args a(in, line);
  std::string from = a.text("the file to copy");
  std::string to = a.text("the destination");
  a.done();
  require_in_tmp(in, line, to);
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) in.fail(line, quote(from) + " is not a file");
  fs::path dest(to);
  if (dest.has_parent_path()) fs::create_directories(dest.parent_path(), ec);
  if (ec) in.fail(line, "cannot create the folder of " + quote(to) + ": " + ec.message());
  fs::copy_file(from, dest, fs::copy_options::overwrite_existing, ec);
  if (ec) in.fail(line, "cannot copy: " + ec.message());
}

// `sql "DATABASE" "statement" [value...]`: the values are bound to the statement's `?`
// parameters in order; a bare `null` binds NULL.
void cmd_sql(Interpreter& in, const Line& line) {
  Args a(in, line);
  std::string path = a.text("the database");
  std::string statement = a.text("the statement");
  std::vector<db::Value> params;
  while (!a.empty()) {
    const Word& w = a.word("a value");
    if (!w.quoted && w.text == "null")
      params.emplace_back();
    else
      params.emplace_back(w.text);
  }
  require_in_tmp(in, line, path);
  try {
    db::Connection conn;
    conn.open(path);
    conn.execute(statement, params);
  } catch (const std::exception& e) {
    in.fail(line, std::string("the statement fails: ") + e.what());
  }
}

// Takes every write permission away. The database layer opens a file that nobody may
// write read-only, so its writes fail even for a superuser, whom permissions do not stop;
// a superuser's plain file copies over the file do succeed.
void cmd_readonly(Interpreter& in, const Line& line) {
  Args a(in, line);
  std::string path = a.text("the file");
  a.done();
  require_in_tmp(in, line, path);
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) in.fail(line, quote(path) + " is not a file");
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove, ec);
  if (ec) in.fail(line, "cannot make the file read-only: " + ec.message());
}

// `truncate "path" BYTES`: cuts the file to its first BYTES bytes (a damaged or, with 0,
// an empty file); a missing file is created empty first.
void cmd_truncate(Interpreter& in, const Line& line) {
  Args a(in, line);
  std::string path = a.text("the file");
  double bytes = a.number("the length in bytes");
  a.done();
  if (bytes < 0 || bytes != static_cast<double>(static_cast<long long>(bytes)))
    a.malformed("a whole number of bytes");
  require_in_tmp(in, line, path);
  std::error_code ec;
  if (!fs::exists(path, ec)) std::ofstream(path, std::ios::binary).flush();
  if (!fs::is_regular_file(path, ec)) in.fail(line, quote(path) + " is not a file");
  if (static_cast<std::uintmax_t>(bytes) > fs::file_size(path, ec))
    in.fail(line, quote(path) + " is shorter than that");
  fs::resize_file(path, static_cast<std::uintmax_t>(bytes), ec);
  if (ec) in.fail(line, "cannot truncate: " + ec.message());
}

// `program "DIR"`: this scenario's program folder in place of the runner's (`--program`),
// e.g. "$FIXTURES/refdata" for made-up reference values. Only before `start`: the program
// reads its folder from its start-up on. $PROGRAM keeps naming the runner's folder.
void cmd_program(Interpreter& in, const Line& line) {
  Args a(in, line);
  std::string dir = a.text("the program folder");
  a.done();
  if (in.started()) in.fail(line, "the program has started already");
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) in.fail(line, quote(dir) + " is not a folder");
  if (!in.session().set_program_folder) in.fail(line, "the program's folder cannot be chosen here");
  in.session().set_program_folder(dir);
}

}  // namespace

// `diskfull "folder"`: from here on the disk holding the folder (inside $TMP, or $TMP itself)
// is full: the program's writes of files there fail for lack of space, reports and new
// projects as much as the database's own writes.
void cmd_diskfull(Interpreter& in, const Line& line) {
  Args a(in, line);
  std::string folder = a.text("the folder");
  a.done();
  std::error_code e1, e2;
  const fs::path tmp = fs::weakly_canonical(in.paths().tmp, e1);
  const fs::path p = fs::weakly_canonical(fs::absolute(folder), e2);
  auto [t_end, p_it] = std::mismatch(tmp.begin(), tmp.end(), p.begin(), p.end());
  if (in.paths().tmp.empty() || e1 || e2 || t_end != tmp.end())
    in.fail(line, quote(folder) + " is not inside $TMP");
  if (!fs::is_directory(p, e1)) in.fail(line, quote(folder) + " is not a folder");
  set_full_folder(p.string());
}

void add_setup_commands(CommandTable& t) {
  t["diskfull"] = cmd_diskfull;
  t["clock"] = cmd_clock;
  t["copy"] = cmd_copy;
  t["sql"] = cmd_sql;
  t["readonly"] = cmd_readonly;
  t["truncate"] = cmd_truncate;
  t["program"] = cmd_program;
}

}  // namespace gw::runner
