#pragma once

#include <cstdint>
#include <ostream>

#include "cli/generate_command.h"
#include "cli/output_target.h"
#include "plan/planner.h"
#include "shape/shape_maze.h"

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

}  // namespace nitka
