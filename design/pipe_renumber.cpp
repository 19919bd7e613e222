// Renumbering a pipe of table PIPE inside one transaction.
#include "design/pipe_renumber.h"

namespace gw::design {

void renumber_pipe(db::Connection& connection, const std::string& old_number,
                   const std::string& new_number, bool legacy_project) {
  static const char* const kStatements[] = {
      "UPDATE PIPE SET PIPE_NUMBER = ? WHERE PIPE_NUMBER = ?",
      "UPDATE PIPE SET PRENODE1 = ? WHERE PRENODE1 = ?",
      "UPDATE PIPE SET PRENODE2 = ? WHERE PRENODE2 = ?",
      "UPDATE PIPE SET PRENODE3 = ? WHERE PRENODE3 = ?",
      "UPDATE PIPE SET PRENODE4 = ? WHERE PRENODE4 = ?",
  };
  const int count = legacy_project ? 4 : 5;
  db::Transaction transaction(connection);
  for (int i = 0; i < count; ++i) connection.execute(kStatements[i], {new_number, old_number});
  transaction.commit();
}

}  // namespace gw::design
