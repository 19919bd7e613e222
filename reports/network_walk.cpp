// Upstream walk of a pipe network from an outfall node into branches, for the grade line form.
#include "reports/network_walk.h"

#include <cstddef>
#include <unordered_map>

namespace gw::reports {

namespace {

// The pipes ending at one node, in the given order. The walk always takes the first unused
// one, so the used pipes of a node are a prefix of its list and one cursor tells them apart.
struct PipesInto {
  std::vector<std::size_t> pipes;
  std::size_t next_unused = 0;
  bool any_unused() const { return next_unused < pipes.size(); }
};

}  // namespace

std::vector<Branch> walk_upstream(const std::vector<WalkPipe>& pipes, const std::string& outfall) {
  std::vector<Branch> branches;
  if (outfall.empty()) return branches;

  std::unordered_map<std::string, PipesInto> into;
  for (std::size_t i = 0; i < pipes.size(); ++i) {
    const WalkPipe& p = pipes[i];
    if (p.node_in.empty() || p.node_out.empty()) continue;
    into[p.node_out].pipes.push_back(i);
  }
  auto unused_into = [&into](const std::string& node) -> PipesInto* {
    auto it = into.find(node);
    return it != into.end() && it->second.any_unused() ? &it->second : nullptr;
  };

  // Node in of every pipe used, in order of use. Junctions are taken from its front in order,
  // so the nodes that have been a junction are a prefix too.
  std::vector<std::string> visited;
  std::size_t next_junction = 0;
  std::string junction = outfall;

  for (;;) {
    Branch branch{junction, {}, {}};
    std::string node = junction;
    while (PipesInto* q = unused_into(node)) {
      const std::size_t climbed = q->pipes[q->next_unused++];
      node = pipes[climbed].node_in;
      branch.nodes.push_back(node);
      branch.pipes.push_back(climbed);
      visited.push_back(node);
    }
    if (!branch.nodes.empty()) branches.push_back(std::move(branch));

    if (unused_into(junction)) continue;         // the same junction again
    if (next_junction == visited.size()) break;  // nothing left to climb from
    junction = visited[next_junction++];
  }
  return branches;
}

}  // namespace gw::reports
