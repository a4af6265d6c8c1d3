#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "shape/cell_mask.h"
#include "shape/topology.h"

namespace nitka {

// The shape named as after --shape ("rect", "hex", "triangle", "polar"), or
// nothing for any other name.
std::optional<ShapeKind> parseShapeName(std::string_view name);

// The layout of a shape: width x height cells cut by mask where given; a
// polar maze has height rings and takes its width from them, so width is not
// used. Throws ShapeError for a mask on a polar maze, which has no places to
// cut. Requires: width, height >= 1; a mask of width x height.
std::shared_ptr<const Topology> makeTopology(ShapeKind kind, int width, int height,
                                             std::optional<CellMask> mask = std::nullopt);

}  // namespace nitka
