#pragma once

#include <streambuf>
#include <string_view>

#include "shape/cell_mask.h"

namespace nitka {

// The mask of a PNG whose first bytes, head, were already taken from in: see
// readMask for which pixels are cells. Throws ShapeError.
CellMask readPngMask(std::string_view head, std::streambuf& in);

}  // namespace nitka
