// Upstream walk of a pipe network from an outfall node into branches, for the grade line form.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace gw::reports {

// One pipe as the walk sees it: its number and its two nodes, as texts (a null column is the
// empty text).
struct WalkPipe {
  std::string number;
  std::string node_out;
  std::string node_in;
};

// One path upstream: the junction it starts from, then the node in of every pipe climbed, in
// climbing order, and beside each node the pipe climbed to reach it (its index in the pipes
// given to the walk).
struct Branch {
  std::string junction;
  std::vector<std::string> nodes;
  std::vector<std::size_t> pipes;
};

// Takes the pipes in the order the project database returns them and the outfall node.
// Gives the branches of the network upstream of the outfall, in the order the grade line form
// writes them:
// - a branch climbs from its junction node by node, at each node taking the first pipe (in the
//   given order) not used yet that ends there, until no unused pipe ends at the node reached;
// - a junction is exhausted (one more branch per unused pipe that still ends at it) before
//   the walk moves on; the next junction is the earliest-used node (in order of use) that has
//   not been a junction yet, whether or not pipes end at it; the outfall is the first junction;
// - every pipe is used at most once, so loops end; pipes that do not drain to the outfall
//   never appear.
// Nodes compare exactly, character by character (case and blanks count). A pipe with an empty
// node in or node out takes no part in the walk; an empty outfall gives no branch. No limit on
// the number of pipes, branches or nodes.
// Runs in time linear in the number of pipes (one hash index of the pipes by node out).
std::vector<Branch> walk_upstream(const std::vector<WalkPipe>& pipes, const std::string& outfall);

}  // namespace gw::reports
