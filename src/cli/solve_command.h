#pragma once

#include <string>

#include "plan/requests.h"
#include "tool/route_choice.h"

namespace CLI {
class App;
}

namespace nitka {

CLI::App* addSolveCommand(CLI::App& app, SolveRequest& request);

// Prints the route as lines "x y" on standard output. Throws ToolError when
// there is none.
void runSolve(const SolveRequest& request);

}  // namespace nitka
