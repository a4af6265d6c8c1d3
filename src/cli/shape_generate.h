#pragma once

#include <ostream>

#include "cli/generate_command.h"

namespace nitka {

// nitka-maze generate for any maze but a plain rectangle: a shape, a mask, or
// both, written in the shape format. Throws ToolError: a method that keeps to
// rectangles is a usage error; a mask that cannot be read, a layout whose
// cells fall apart, or a size past memory is a failure.
void generateShapeMaze(const GenerateRequest& request, std::ostream& notices);

}  // namespace nitka
