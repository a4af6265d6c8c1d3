#pragma once

#include <string>

#include "cli/route_choice.h"

namespace CLI {
class App;
}

namespace nitka {

// nitka-maze solve: the route through a maze file.
struct SolveRequest {
    std::string input;
    bool shortest = false;
    RouteEnds ends;
    bool quiet = false;
};

CLI::App* addSolveCommand(CLI::App& app, SolveRequest& request);

// Prints the route as lines "x y" on standard output. Throws ToolError when
// there is none.
void runSolve(const SolveRequest& request);

}  // namespace nitka
