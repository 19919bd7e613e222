// Scratch databases for the database layer's tests: a private folder, removed afterwards.
#pragma once

#include <cstdlib>
#include <functional>
#include <filesystem>
#include <string>

#include "platform/db/connection.h"
#include "platform/text/error.h"

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

class Scratch {
public:
    Scratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "gw_db_test_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        folder_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        // Read-only files left by a test must not keep the folder alive.
        for (const auto& entry : std::filesystem::directory_iterator(folder_, ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(folder_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

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

    // A copy of a file into the folder.
    std::string copy(const std::string& from, const std::string& name) const {
        const std::string p = path(name);
        std::filesystem::copy_file(from, p, std::filesystem::copy_options::overwrite_existing);
        return p;
    }

private:
    std::filesystem::path folder_;
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
