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

// The method and the shape an option names; throw UsageError naming
// --algorithm or --shape for any other text.
CarveMethod parseMethod(const std::string& text);
ShapeKind parseShape(const std::string& text);

// Adds the command to app; parsing fills request.
CLI::App* addGenerateCommand(CLI::App& app, GenerateRequest& request);

// Adds the options that decide the maze (sizes, --shape, --mask, --seed,
// --algorithm, --pick, --braid) to command; the planner judges how they
// combine.
void addMazeOptions(CLI::App& command, GenerateRequest& request);

// Carves the maze and writes it. notices receives the line "seed S" when the
// seed was drawn, unless quiet. Throws ToolError.
void runGenerate(const GenerateRequest& request, std::ostream& notices);

// Carves the maze of request and seed as runGenerate would write it, the
// mask read again, and returns its difficulty (nullopt for a maze without a
// route). Throws ToolError as runGenerate does.
std::optional<double> generatedDifficulty(const GenerateRequest& request, std::uint64_t seed);

// The maze runGenerate writes for request and seed, a plain rectangle copied
// onto squares of the general kind. Throws ToolError as runGenerate does.
ShapeMaze generatedShapeMaze(const GenerateRequest& request, std::uint64_t seed);

// The request's seed, or one drawn and told on notices unless quiet.
std::uint64_t chooseSeed(const GenerateRequest& request, std::ostream& notices);

}  // namespace nitka
