// Build tool: makes a database file from SQL scripts and key lists.
//
// Usage: mkdb OUT.db ITEM...
//   ITEM is either an SQL script (a path ending in ".sql"), run as it stands, or
//   TABLE.COLUMN=KEYS.txt, a key list: one key per line between double quotes (so that blanks
//   at either end are kept), "#" lines and empty lines ignored; each key becomes a new row of
//   TABLE with COLUMN set to it, in list order.
// The items run in the order given, in one transaction, into a fresh file that replaces OUT.db
// only when everything succeeded.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/error/error.h"

namespace {

namespace fs = std::filesystem;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw gw::Error("Could not read '" + path + "'.");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool is_identifier(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
      return false;
  return true;
}

std::vector<std::string> read_keys(const std::string& path) {
  std::istringstream lines(read_file(path));
  std::vector<std::string> keys;
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    if (line.size() < 2 || line.front() != '"' || line.back() != '"' || line.find('"', 1) != line.size() - 1)
      throw gw::Error(path + ":" + std::to_string(number) + ": a key must stand between double quotes.");
    keys.push_back(line.substr(1, line.size() - 2));
  }
  return keys;
}

void insert_keys(gw::db::Connection& db, const std::string& entry) {
  const auto eq = entry.find('=');
  const auto dot = entry.find('.');
  const std::string table = entry.substr(0, dot);
  const std::string column = dot < eq ? entry.substr(dot + 1, eq - dot - 1) : "";
  if (eq == std::string::npos || dot > eq || !is_identifier(table) || !is_identifier(column))
    throw gw::Error("'" + entry + "' is not of the form TABLE.COLUMN=KEYS.txt.");
  const std::string insert = "INSERT INTO " + table + " (" + column + ") VALUES (?)";
  for (const std::string& key : read_keys(entry.substr(eq + 1))) db.execute(insert, {key});
}

void build(const std::string& out, const std::vector<std::string>& items) {
  const std::string temp = out + ".part";
  std::error_code ec;
  fs::remove(temp, ec);
  gw::db::create_database(temp);
  {
    gw::db::Connection db;
    db.open(temp);
    gw::db::Transaction transaction(db);
    for (const std::string& item : items) {
      if (item.size() > 4 && item.compare(item.size() - 4, 4, ".sql") == 0)
        db.execute_script(read_file(item));
      else
        insert_keys(db, item);
    }
    transaction.commit();
    db.close();
  }
  fs::rename(temp, out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: mkdb OUT.db (SCRIPT.sql | TABLE.COLUMN=KEYS.txt)...\n";
    return 2;
  }
  const std::string out = argv[1];
  try {
    build(out, std::vector<std::string>(argv + 2, argv + argc));
  } catch (const std::exception& e) {
    std::error_code ec;
    fs::remove(out + ".part", ec);
    std::cerr << "mkdb: " << out << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
