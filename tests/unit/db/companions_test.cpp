// The files beside a database: the engine's hot journal found without changing anything, a
// journal that cannot be the file's own told apart, the rollback undone when its result is
// damaged, the companions removed before a replacement, the lock of a file being replaced, and
// a write into a file replaced since it was opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/db/companions.h"
#include "platform/db/connection.h"
#include "platform/db/journal_rollback.h"
#include "platform/db/write_lock.h"
#include "platform/error/error.h"
#include "scratch.h"
#include "tests/support/interrupted_save.h"

namespace gw::db {
namespace {

namespace fs = std::filesystem;
using gw::testing::file_bytes;
using gw::testing::write_bytes;
using testing::error_of;
using testing::Scratch;
using State = Companions::State;

// The pipe table's rows as one text, every column, in row order.
std::string pipes(const std::string& path) {
  Connection c;
  c.open(path, Connection::Access::read_only);
  return c.query_value("SELECT group_concat(PIPE_NUMBER || '/' || ifnull(PIPE_DIA, ''), ' ') FROM PIPE").text();
}

// Inserts that take several pages (the cache of one page spills them into the file).
void add_pipes(Connection& c) {
  c.execute("UPDATE PIPE SET PIPE_DIA = '99' WHERE PIPE_NUMBER = '1'");
  for (int i = 0; i < 30; ++i)
    c.execute("INSERT INTO PIPE (PIPE_NUMBER, PIPE_SHAPE) VALUES (?, ?)",
              {"N" + std::to_string(i), std::string(700, 'x')});
}

// Every file of the folder with its bytes, to show that nothing changed.
std::vector<std::string> folder_state(const Scratch& s) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(s.root())) out.push_back(e.path().filename().string() + ":" + file_bytes(e.path().string()));
  std::sort(out.begin(), out.end());
  return out;
}

TEST(Companions, LookingBesideAFileTellsWhatTheEngineWouldPlayIntoItAndChangesNothing) {
  struct Case {
    const char* name;
    std::function<void(Scratch&, const std::string&)> make;  // what lies beside p.gwp
    State state;
    const char* why;  // the start of the reason for a foreign journal
  };
  const std::vector<Case> cases = {
      {"nothing beside", [](Scratch&, const std::string&) {}, State::clear, ""},
      {"a journal whose header is zero (finished)",
       [](Scratch&, const std::string& p) { write_bytes(p + "-journal", std::string(512, '\0')); }, State::clear, ""},
      {"an empty journal", [](Scratch&, const std::string& p) { write_bytes(p + "-journal", ""); }, State::clear, ""},
      {"the journal of its own interrupted save",
       [](Scratch&, const std::string& p) { gw::testing::leave_interrupted_save(p, add_pipes); }, State::hot_journal, ""},
      {"a journal of a database of another page size",
       [](Scratch& s, const std::string& p) {
         const std::string other = s.path("other.db");
         create_database(other);
         {
           Connection c;
           c.open(other);
           c.execute("PRAGMA page_size = 1024");
           c.execute("VACUUM");
           c.execute_script(testing::pipe_script);
         }
         gw::testing::leave_interrupted_save(other, add_pipes);
         fs::copy_file(other + "-journal", p + "-journal");
         fs::remove(other + "-journal");
       },
       State::foreign_journal, "its pages are 1024 bytes long, the file's 4096"},
      {"a journal of a larger database",
       [](Scratch& s, const std::string& p) {
         const std::string other = s.make("other.db", testing::pipe_script);
         {
           Connection c;
           c.open(other);
           for (int i = 0; i < 30; ++i)
             c.execute("INSERT INTO PIPE (PIPE_NUMBER, PIPE_SHAPE) VALUES (?, ?)", {"B" + std::to_string(i), std::string(700, 'y')});
         }
         gw::testing::leave_interrupted_save(other, add_pipes);
         fs::copy_file(other + "-journal", p + "-journal");
         fs::remove(other + "-journal");
       },
       State::foreign_journal, "it holds pages beyond the end of the file"},
      {"a file in the journal's place that is no journal",
       [](Scratch&, const std::string& p) { write_bytes(p + "-journal", "notes of another program, not a journal at all"); },
       State::foreign_journal, "its header is not a journal's"},
      {"a write-ahead log beside it",
       [](Scratch&, const std::string& p) { write_bytes(p + "-wal", std::string(64, 'w')); }, State::write_ahead_log, ""},
      {"the file in WAL mode",
       [](Scratch&, const std::string& p) {
         Connection c;
         c.open(p);
         c.execute("PRAGMA journal_mode = WAL");
       },
       State::write_ahead_log, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scratch s;
    const std::string p = s.make("p.gwp", testing::pipe_script);
    c.make(s, p);
    const std::vector<std::string> before = folder_state(s);
    const Companions found = look_beside(p);
    EXPECT_EQ(found.state, c.state);
    EXPECT_EQ(found.why.substr(0, std::string(c.why).size()), c.why);
    if (c.state == State::hot_journal || c.state == State::foreign_journal) {
      EXPECT_EQ(found.companion, p + "-journal");
    }
    EXPECT_TRUE(folder_state(s) == before) << "the folder's files changed";
  }
}

TEST(Companions, TheJournalOfAFileNamedByALinkLiesBesideTheFileItself) {
  Scratch s;
  fs::create_directory(s.path("real"));
  const std::string p = s.make("real/p.gwp", testing::pipe_script);
  const std::string before_save = pipes(p);
  gw::testing::leave_interrupted_save(p, add_pipes);
  fs::create_symlink(p, s.path("link.gwp"));
  const Companions found = look_beside(s.path("link.gwp"));
  EXPECT_EQ(found.state, State::hot_journal);
  EXPECT_EQ(found.companion, fs::canonical(p).string() + "-journal");
  roll_back_journal(s.path("link.gwp"));
  EXPECT_EQ(pipes(p), before_save);
  EXPECT_FALSE(fs::exists(p + "-journal"));
}

TEST(Companions, ARollbackGivesTheFileAsItWasBeforeTheInterruptedSave) {
  Scratch s;
  const std::string p = s.make("p.gwp", testing::pipe_script);
  const std::string before_save = pipes(p);
  gw::testing::leave_interrupted_save(p, add_pipes);
  ASSERT_EQ(look_beside(p).state, State::hot_journal);

  roll_back_journal(p);
  EXPECT_EQ(pipes(p), before_save);
  EXPECT_FALSE(fs::exists(p + "-journal"));
  Connection c;
  c.open(p);
  EXPECT_EQ(c.query_value("PRAGMA integrity_check").text(), "ok");
  c.close();
  // The copies made aside are gone.
  EXPECT_EQ(std::distance(fs::directory_iterator(s.root()), fs::directory_iterator()), 1);
}

TEST(Companions, ARollbackWhoseResultIsDamagedPutsBothFilesBackByteForByte) {
  Scratch s;
  const std::string p = s.make("p.gwp", testing::pipe_script);
  gw::testing::leave_interrupted_save(p, add_pipes);
  // A page the journal records, spoilt where its checksum does not look: the engine plays it
  // into the file as it stands.
  std::string journal = file_bytes(p + "-journal");
  constexpr std::size_t kSector = 512, kPage = 4096, kRecord = 4 + kPage + 4;
  auto page_of = [&journal](std::size_t at) {
    return (static_cast<unsigned char>(journal[at]) << 24) | (static_cast<unsigned char>(journal[at + 1]) << 16) |
           (static_cast<unsigned char>(journal[at + 2]) << 8) | static_cast<unsigned char>(journal[at + 3]);
  };
  std::size_t record = kSector;  // the first record, after the header's sector
  while (record + kRecord <= journal.size() && page_of(record) == 1) record += kRecord;
  ASSERT_LE(record + kRecord, journal.size()) << "the journal records no page but the first";
  journal[record + 4] = '\x7f';  // a page type that does not exist
  write_bytes(p + "-journal", journal);
  ASSERT_EQ(look_beside(p).state, State::hot_journal);
  const std::vector<std::string> before = folder_state(s);

  const std::string why = error_of([&] { roll_back_journal(p); });
  EXPECT_NE(why, "(no error)");
  EXPECT_TRUE(why.find("integrity check") != std::string::npos || why.find("rollback failed") != std::string::npos) << why;
  EXPECT_TRUE(folder_state(s) == before) << "the folder's files changed";
}

TEST(Companions, TheCompanionsOfAReplacedFileAreRemovedOrRefusedByName) {
  Scratch s;
  const std::string p = s.make("p.gwp", testing::pipe_script);
  for (const std::string& c : companion_paths(p)) write_bytes(c, "left by the replaced file");
  remove_companions(p);
  for (const std::string& c : companion_paths(p)) EXPECT_FALSE(fs::exists(c)) << c;
  EXPECT_TRUE(fs::exists(p));
  remove_companions(p);  // none left: nothing to do

  // A folder in the log's place: refused naming it, and the journal stays.
  write_bytes(p + "-journal", "journal");
  fs::create_directory(p + "-wal");
  EXPECT_EQ(error_of([&] { remove_companions(p); }),
            "the files of the database engine beside it could not be removed: \"" + p + "-wal\" (it is a folder)");
  EXPECT_TRUE(fs::exists(p + "-journal"));
}

TEST(Companions, AFileBeingWrittenByAnotherConnectionCannotBeLockedForItsReplacement) {
  Scratch s;
  const std::string p = s.make("p.gwp", testing::pipe_script);
  Connection writer;
  writer.open(p);
  writer.execute("BEGIN IMMEDIATE");  // a save in progress
  try {
    WriteLock lock(p);
    ADD_FAILURE() << "locked a file another connection is writing";
  } catch (const gw::FileError& e) {
    EXPECT_EQ(e.cause, FileCause::file_in_use);
    EXPECT_EQ(e.path, p);
  }
  writer.execute("COMMIT");
  // Idle, the connection holds nothing; the lock is taken and keeps its writes out meanwhile.
  {
    WriteLock lock(p);
  }
  EXPECT_EQ(writer.execute("DELETE FROM PIPE WHERE PIPE_NUMBER = '2'"), 1);
}

TEST(Companions, AWriteIntoAFileReplacedSinceItWasOpenedIsRefusedNamingTheCause) {
  Scratch s;
  const std::string p = s.make("p.gwp", testing::pipe_script);
  Connection a;
  a.open(p);
  EXPECT_EQ(a.query_value("SELECT count(*) FROM PIPE").integer(), 3);
  // Another program renames a new file over it.
  const std::string other = s.make("new.gwp", testing::pipe_script);
  fs::rename(other, p);
  try {
    a.execute("DELETE FROM PIPE");
    ADD_FAILURE() << "wrote into the replaced file";
  } catch (const gw::FileError& e) {
    EXPECT_EQ(e.cause, FileCause::replaced);
  }
  EXPECT_EQ(pipes(p), "2/ 1/15 10/");
}

}  // namespace
}  // namespace gw::db
