#pragma once

#include <string>

#include "cli/route_choice.h"
#include "plan/requests.h"

namespace CLI {
class App;
}

namespace nitka {

CLI::App* addSolveCommand(CLI::App& app, SolveRequest& request);

// Prints the route as lines "x y" on standard output. Throws ToolError when
// there is none.
void runSolve(const SolveRequest& request);

}  // namespace nitka
