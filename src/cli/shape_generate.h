#pragma once

#include <memory>
#include <ostream>

#include "cli/generate_command.h"
#include "cli/output_target.h"
#include "shape/shape_maze.h"

namespace nitka {

// nitka-maze generate for any maze written in the shape format: a shape, a
// mask, or both, or a plain rectangle with moved exits. Throws ToolError: a
// method that keeps to rectangles off a plain rectangle is a usage error; a mask that cannot be
// read, a layout whose cells fall apart, or a size past memory is a failure. opened, when given, is
// the output already open.
void generateShapeMaze(const GenerateRequest& request, std::ostream& notices,
                       OutputTarget* opened = nullptr);

// The layout the request asks for, its mask read, refused as generate
// refuses it (a layout in parts, a size past memory or past the method's
// reach). Throws ToolError.
std::shared_ptr<const Topology> shapeLayoutOf(const GenerateRequest& request);

// The maze generateShapeMaze writes for request and seed, the mask read and
// the layout checked as there, without the output.
ShapeMaze carveShapeRequest(const GenerateRequest& request, std::uint64_t seed);

// The plain rectangle of request's size carved by the rectangle's own carver,
// as runGenerate carves it, on squares of the general kind, its exits moved
// when request.farthestExits. Unchecked: the caller has refused a size past
// memory or past the method's reach. Requires: request.shape is rect and
// request.mask empty.
ShapeMaze carveRectangleRequest(const GenerateRequest& request, std::uint64_t seed);

}  // namespace nitka
