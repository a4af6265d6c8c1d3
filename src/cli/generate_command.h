#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "carve/carve_method.h"
#include "plan/requests.h"
#include "plan/work_cost.h"
#include "shape/shape_maze.h"
#include "shape/topology.h"

namespace CLI {
class App;
}

namespace nitka {

// Adds the command to app; parsing fills request.
CLI::App* addGenerateCommand(CLI::App& app, GenerateRequest& request);

// Adds the options that decide the maze (sizes, --shape, --mask, --seed,
// --algorithm, --pick, --braid) to command; the planner judges how they
// combine.
void addMazeOptions(CLI::App& command, GenerateRequest& request);

// Carves the maze and writes it. notices receives the line "seed S" when the
// seed was drawn, unless quiet. Throws ToolError.
void runGenerate(const GenerateRequest& request, std::ostream& notices);

}  // namespace nitka
