// Renumbering a pipe of table PIPE inside one transaction.
#include "design/pipe_renumber.h"

namespace gw::design {

void renumber_pipe(db::Connection& connection, const std::string& old_number, const std::string& new_number,
                   bool legacy_project) {
  // The upstream slots are rewritten in one pass over the table: each slot takes the new number
  // where it names the old one and keeps its value elsewhere, as one statement per slot would
  // leave it.
  static const char* const kUpstream =
      "UPDATE PIPE SET PRENODE1 = CASE WHEN PRENODE1 = ?2 THEN ?1 ELSE PRENODE1 END, "
      "PRENODE2 = CASE WHEN PRENODE2 = ?2 THEN ?1 ELSE PRENODE2 END, "
      "PRENODE3 = CASE WHEN PRENODE3 = ?2 THEN ?1 ELSE PRENODE3 END "
      "WHERE PRENODE1 = ?2 OR PRENODE2 = ?2 OR PRENODE3 = ?2";
  static const char* const kUpstreamWithFourth =
      "UPDATE PIPE SET PRENODE1 = CASE WHEN PRENODE1 = ?2 THEN ?1 ELSE PRENODE1 END, "
      "PRENODE2 = CASE WHEN PRENODE2 = ?2 THEN ?1 ELSE PRENODE2 END, "
      "PRENODE3 = CASE WHEN PRENODE3 = ?2 THEN ?1 ELSE PRENODE3 END, "
      "PRENODE4 = CASE WHEN PRENODE4 = ?2 THEN ?1 ELSE PRENODE4 END "
      "WHERE PRENODE1 = ?2 OR PRENODE2 = ?2 OR PRENODE3 = ?2 OR PRENODE4 = ?2";
  db::Transaction transaction(connection);
  connection.execute("UPDATE PIPE SET PIPE_NUMBER = ? WHERE PIPE_NUMBER = ?", {new_number, old_number});
  connection.execute(legacy_project ? kUpstream : kUpstreamWithFourth, {new_number, old_number});
  transaction.commit();
}

}  // namespace gw::design
