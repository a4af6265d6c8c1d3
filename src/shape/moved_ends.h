#pragma once

#include <memory>

#include "shape/topology.h"

namespace nitka {

// A layout whose route runs between cells of the maze's own choosing (its
// exits) rather than the shape's default start and target: every other
// question goes to the layout it wraps.
// Requires: base->isCell(start) and base->isCell(target).
std::shared_ptr<const Topology> withEnds(std::shared_ptr<const Topology> base, CellId start,
                                         CellId target);

// Whether topology's start or target differ from those its shape gives by
// default, so that a file must keep them.
bool hasMovedEnds(const Topology& topology);

}  // namespace nitka
