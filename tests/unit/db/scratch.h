// Scratch databases for the database layer's tests: a private folder, removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/db/connection.h"
#include "platform/error/error.h"
#include "tests/support/scratch_folder.h"

namespace gw::db::testing {

// The description of the failure `f` raises, or "(no error)".
inline std::string error_of(const std::function<void()>& f) {
  try {
    f();
  } catch (const gw::Error& e) {
    return e.what();
  }
  return "(no error)";
}

// The scratch folder of one test, which also makes databases from scripts.
class Scratch : public gw::testing::ScratchFolder {
 public:
  // A new database file made from a script.
  std::string make(const std::string& name, const std::string& script) const {
    const std::string p = path(name);
    create_database(p);
    Connection c;
    c.open(p);
    c.execute_script(script);
    c.close();
    return p;
  }
};

// A small pipe table: three pipes whose numbers sort as text ("1", "10", "2"), one NULL field.
inline const char* const pipe_script = R"sql(
CREATE TABLE PIPE (
    PIPE_NUMBER TEXT COLLATE NOCASE,
    PIPE_SHAPE  TEXT COLLATE NOCASE,
    PIPE_DIA    TEXT COLLATE NOCASE,
    PRENODE1    TEXT COLLATE NOCASE,
    STRUCTURE_INPUT INTEGER
);
CREATE UNIQUE INDEX PIPE_NUMBER_KEY ON PIPE (PIPE_NUMBER);
INSERT INTO PIPE VALUES ('2',  'Box',      '',   '1',  0);
INSERT INTO PIPE VALUES ('1',  'Circular', '15', NULL, 1);
INSERT INTO PIPE VALUES ('10', 'Box',      '',   '2',  0);
CREATE TABLE ENERGY (ENODEOUT_NO TEXT COLLATE NOCASE);
)sql";

}  // namespace gw::db::testing
