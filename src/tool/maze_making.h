#pragma once

#include <cstdint>
#include <optional>
#include <ostream>

#include "plan/planner.h"
#include "plan/requests.h"
#include "plan/work_cost.h"
#include "shape/shape_maze.h"
#include "tool/maze_input.h"
#include "tool/output_target.h"

namespace nitka {

// nitka-maze generate for any maze but a plain rectangle: a shape, a mask, or
// both, written in the shape format. opened, when given, is the output
// already open. Requires: plan.layout.
void generateShapeMaze(const GeneratePlan& plan, std::ostream& notices,
                       OutputTarget* opened = nullptr);

// The maze generateShapeMaze writes for the plan and seed, without the
// output. Requires: plan.layout.
ShapeMaze carvePlannedMaze(const GeneratePlan& plan, std::uint64_t seed);

// The same for a request, planned first. Throws ToolError for a request the
// planner refuses.
ShapeMaze carveShapeRequest(const GenerateRequest& request, std::uint64_t seed);

// The plain rectangle of request's size carved by the rectangle's own carver,
// as runGenerate carves it, on squares of the general kind, its exits moved
// when request.farthestExits. Unchecked: the caller has planned the request.
// Requires: request.shape is rect and request.mask empty.
ShapeMaze carveRectangleRequest(const GenerateRequest& request, std::uint64_t seed);

// Whether request's maze is written in the shape format: any maze but a
// plain rectangle with its corners for ends.
bool writesShapeFile(const GenerateRequest& request);

// The request's seed, or one drawn and told on notices unless quiet.
std::uint64_t chooseSeed(const GenerateRequest& request, std::ostream& notices);

// The maze generate writes for request and seed, a plain rectangle copied
// onto squares of the general kind. Throws ToolError as generate does.
ShapeMaze generatedShapeMaze(const GenerateRequest& request, std::uint64_t seed);

// Carves the maze of request and seed as generate would write it, the
// mask read again, and returns its difficulty (nullopt for a maze without a
// route). Throws ToolError as generate does.
std::optional<double> generatedDifficulty(const GenerateRequest& request, std::uint64_t seed);

// The maze generate writes for the plan and seed: a plain rectangle on the
// window's grid, any other on its layout. Requires: plan from planGenerate.
AnyMaze carveGenerated(const GeneratePlan& plan, std::uint64_t seed);

}  // namespace nitka
