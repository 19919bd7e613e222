// Upstream network walk: worked cases, and agreement with a step-by-step scan of the pipe list.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "reports/network_walk.h"

namespace gw::reports {
namespace {

using Nodes = std::vector<std::string>;

struct Expected {
  std::string junction;
  Nodes nodes;
};

struct WalkCase {
  const char* name;
  std::vector<WalkPipe> pipes;  // {number, node out, node in}, in query order
  std::string outfall;
  std::vector<Expected> branches;
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

const WalkCase kCases[] = {
    {"worked_example",
     {{"P1", "O", "A"}, {"P2", "A", "B"}, {"P3", "A", "C"}, {"P4", "O", "D"}, {"P5", "B", "E"}},
     "O",
     {{"O", {"A", "B", "E"}}, {"O", {"D"}}, {"A", {"C"}}}},
    {"outfall_without_pipes", {{"P1", "O", "A"}, {"P2", "A", "B"}}, "X", {}},
    {"empty_outfall", {{"P1", "O", "A"}}, "", {}},
    {"no_pipes", {}, "O", {}},
    {"other_network_left_out",
     {{"Q1", "X", "Y"}, {"P1", "O", "A"}, {"Q2", "Y", "Z"}, {"P2", "A", "B"}},
     "O",
     {{"O", {"A", "B"}}}},
    // The pipe the query returns first is climbed first; the other starts a later branch.
    {"first_in_query_order_climbed_first",
     {{"P0", "O", "A"}, {"P1", "A", "B"}, {"P2", "A", "C"}},
     "O",
     {{"O", {"A", "B"}}, {"A", {"C"}}}},
    {"first_in_query_order_climbed_first_swapped",
     {{"P0", "O", "A"}, {"P2", "A", "C"}, {"P1", "A", "B"}},
     "O",
     {{"O", {"A", "C"}}, {"A", {"B"}}}},
    // A pipe whose node in lies downstream of it: every pipe is used once, and the walk ends.
    {"loop_ends", {{"P1", "O", "A"}, {"P2", "A", "B"}, {"P3", "B", "A"}}, "O", {{"O", {"A", "B", "A"}}}},
    {"self_loop_ends", {{"P1", "O", "A"}, {"P2", "A", "A"}}, "O", {{"O", {"A", "A"}}}},
    // Nodes compare exactly: "a" is not "A", "A " is not "A".
    {"case_and_blanks_count",
     {{"P1", "O", "a"}, {"P2", "A", "B"}, {"P3", "a", "A "}, {"P4", "A ", "C"}},
     "O",
     {{"O", {"a", "A ", "C"}}}},
    // Pipes with a blank node take no part; the walk still ends.
    {"blank_nodes_left_out",
     {{"P1", "O", ""}, {"P2", "O", "A"}, {"P3", "", "A"}, {"P4", "A", "B"}},
     "O",
     {{"O", {"A", "B"}}}},
    // Junctions follow the order of use, not the depth: E (third node of branch 0) gives its
    // second branch before D (first node of branch 1) gives its.
    {"junctions_in_order_of_use",
     {{"P1", "O", "A"},
      {"P2", "A", "B"},
      {"P3", "A", "C"},
      {"P4", "O", "D"},
      {"P5", "B", "E"},
      {"P6", "E", "F"},
      {"P7", "E", "G"},
      {"P8", "D", "H"},
      {"P9", "D", "J"}},
     "O",
     {{"O", {"A", "B", "E", "F"}}, {"O", {"D", "H"}}, {"A", {"C"}}, {"E", {"G"}}, {"D", {"J"}}}},
    // Three pipes into the outfall: it is exhausted, branch by branch, before any other node.
    {"outfall_exhausted_first",
     {{"P1", "O", "A"}, {"P2", "A", "B"}, {"P3", "O", "C"}, {"P4", "A", "D"}, {"P5", "O", "E"}},
     "O",
     {{"O", {"A", "B"}}, {"O", {"C"}}, {"O", {"E"}}, {"A", {"D"}}}},
};

class Walk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(Walk, GivesTheBranchesInWritingOrder) {
  const WalkCase& c = GetParam();
  const std::vector<Branch> got = walk_upstream(c.pipes, c.outfall);
  ASSERT_EQ(got.size(), c.branches.size());
  for (size_t b = 0; b < got.size(); ++b) {
    EXPECT_EQ(got[b].junction, c.branches[b].junction) << "branch " << b;
    EXPECT_EQ(got[b].nodes, c.branches[b].nodes) << "branch " << b;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Walk, ::testing::ValuesIn(kCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// The walk as a scan of tables: the pipes' node-out list (a used pipe's entry emptied, an empty
// end mark after the last), the node in of every used pipe in order of use, and the branch
// table; each pass climbs from the current node restarting the scan at the first pipe after
// every step, then looks for another pipe into the pending junction, then for the next
// junction among the used nodes, and otherwise counts itself; the driver stops when the count
// of used pipes and idle passes exceeds the number of pipes. Node texts must not be empty.
std::vector<Branch> scanned_walk(const std::vector<WalkPipe>& pipes, const std::string& outfall) {
  const size_t n = pipes.size();
  std::vector<std::string> out(n + 1), in(n + 1), visited(n + 1);
  for (size_t i = 0; i < n; ++i) {
    out[i] = pipes[i].node_out;
    in[i] = pipes[i].node_in;
  }
  std::vector<std::vector<std::string>> table(1);
  auto put = [&table](size_t b, size_t p, const std::string& v) {
    if (table.size() <= b) table.resize(b + 1);
    if (table[b].size() <= p) table[b].resize(p + 1);
    table[b][p] = v;
  };
  auto at = [&table](size_t b, size_t p) -> std::string {
    return b < table.size() && p < table[b].size() ? table[b][p] : std::string();
  };
  size_t visit_count = 0, scan = 0, b = 0, pos = 0;
  std::string pending = outfall, current = outfall;
  size_t passes = 0;
  do {
    if (++passes > 4 * (n + 2)) ADD_FAILURE() << "the scan does not end";
    if (passes > 4 * (n + 2)) break;
    // One pass.
    do {
      if (out[scan] == current) {
        put(b, pos, current);
        visited[visit_count] = in[scan];
        out[scan].clear();
        current = in[scan];
        ++visit_count;
        ++pos;
        put(b, pos, current);
        scan = 0;
      } else {
        ++scan;
      }
    } while (scan < n + 1);
    scan = 0;
    bool again = false;
    for (size_t i = 0; i <= n && !again; ++i) again = out[i] == pending;
    if (!again) {
      bool found = false;
      for (size_t i = 0; i < n && !found; ++i) {
        if (!visited[i].empty()) {
          pending = visited[i];
          visited[i].clear();
          found = true;
        }
      }
      if (!found) ++visit_count;
    }
    // The driver.
    current = pending;
    pos = 0;
    if (!at(b, 0).empty()) ++b;
  } while (visit_count != n + 1);

  std::vector<Branch> result;
  for (size_t i = 0; !at(i, 0).empty(); ++i) {
    Branch br{at(i, 0), {}, {}};
    for (size_t p = 1; !at(i, p).empty(); ++p) br.nodes.push_back(at(i, p));
    result.push_back(br);
  }
  return result;
}

TEST(Walk, ScannedWalkAgreesOnTheWorkedExample) {
  const WalkCase& c = kCases[0];
  const std::vector<Branch> got = scanned_walk(c.pipes, c.outfall);
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[2].junction, "A");
  EXPECT_EQ(got[2].nodes, Nodes{"C"});
}

// Random networks over a few nodes (branches, junctions with several pipes, loops, pipes of
// other outfalls, repeated node ins): the same branches as the table scan, in the same order.
TEST(Walk, AgreesWithTheTableScanOnRandomNetworks) {
  std::mt19937 rng(20240611);
  const char* names[] = {"O", "A", "B", "C", "D", "E", "F", "G", "X", "Y"};
  for (int round = 0; round < 400; ++round) {
    const int node_kinds = 3 + round % 8;
    std::uniform_int_distribution<int> node(0, node_kinds - 1);
    std::uniform_int_distribution<int> count(0, 24);
    std::vector<WalkPipe> pipes;
    const int n = count(rng);
    for (int i = 0; i < n; ++i)
      pipes.push_back({"P" + std::to_string(i), names[node(rng)], names[node(rng)]});
    const std::vector<Branch> want = scanned_walk(pipes, "O");
    const std::vector<Branch> got = walk_upstream(pipes, "O");
    ASSERT_EQ(got.size(), want.size()) << "round " << round;
    std::vector<bool> used(pipes.size());
    for (size_t b = 0; b < got.size(); ++b) {
      ASSERT_EQ(got[b].junction, want[b].junction) << "round " << round << " branch " << b;
      ASSERT_EQ(got[b].nodes, want[b].nodes) << "round " << round << " branch " << b;
      // Beside each node, the pipe climbed to reach it: from that node down to the node
      // before it on the branch, each pipe once.
      ASSERT_EQ(got[b].pipes.size(), got[b].nodes.size());
      for (size_t k = 0; k < got[b].pipes.size(); ++k) {
        const WalkPipe& p = pipes.at(got[b].pipes[k]);
        EXPECT_EQ(p.node_in, got[b].nodes[k]);
        EXPECT_EQ(p.node_out, k == 0 ? got[b].junction : got[b].nodes[k - 1]);
        EXPECT_FALSE(used[got[b].pipes[k]]) << "round " << round << ": a pipe climbed twice";
        used[got[b].pipes[k]] = true;
      }
    }
  }
}

}  // namespace
}  // namespace gw::reports
