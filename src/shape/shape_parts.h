#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "shape/topology.h"

namespace nitka {

// The separate parts of a layout: cells joined through shared sides, so that
// cells touching only at a corner lie apart.
struct ShapeParts {
    std::uint64_t count = 0;
    // The first cell in reading order of each of the first parts, in reading
    // order of those cells, at most as many as findParts was asked to list.
    std::vector<CellId> firsts;
};

// A layout without holes is one piece, told at once, but for a column of
// triangles, whose cells meet at corners every other row; any other is
// searched (searchParts).
ShapeParts findParts(const Topology& topology, std::size_t listed = 8);

// The parts searched for: linear in the cells, holding a bit a place and the
// search's frontier.
ShapeParts searchParts(const Topology& topology, std::size_t listed = 8);

}  // namespace nitka
