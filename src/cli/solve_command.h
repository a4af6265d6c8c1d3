#pragma once

#include <optional>
#include <string>

#include "grid/wall_grid.h"

namespace CLI {
class App;
}

namespace nitka {

// nitka-maze solve: the route through a maze file.
struct SolveRequest {
    std::string input = "labird.txt";
    bool shortest = false;
    // The corners when not given: (0, 0) and the bottom-right cell.
    std::optional<GridCell> from;
    std::optional<GridCell> to;
};

CLI::App* addSolveCommand(CLI::App& app, SolveRequest& request);

// Prints the route as lines "x y" on standard output. Throws ToolError when
// there is none.
void runSolve(const SolveRequest& request);

}  // namespace nitka
