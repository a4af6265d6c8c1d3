#pragma once

#include <cstddef>
#include <optional>

#include "shape/shape_maze.h"
#include "solver/shape_route.h"

namespace nitka {

// The route the window's search finds, on any shape: depth first, trying the
// neighbours in the topology's order at every cell, the first route completed
// in that order. Linear time on any maze, loops included; besides the route it
// uses only the scratch bits, clear again on return. nullopt when there is no
// route or either end is no cell.
std::optional<ShapeRoute> findShapeRoute(ShapeMaze& maze, CellId from, CellId to);

// Cells the breadth-first search holds in its queue at most; a level that
// would hold more is found by scanning the whole maze instead.
inline constexpr std::size_t kShapeQueueCells = std::size_t{4} << 20;

// A shortest route, of several the one that takes at every cell the first
// neighbour in the topology's order that brings it one nearer the target.
// Linear time while every level of the search fits the queue; a level that
// does not costs a scan of the maze for each level from there until one fits
// again. Memory: the scratch bits (clear on return), the route and a queue of
// at most queueCells cells. nullopt as for findShapeRoute.
// Requires: queueCells >= 1 (a small one is for tests).
std::optional<ShapeRoute> findShortestShapeRoute(ShapeMaze& maze, CellId from, CellId to,
                                                 std::size_t queueCells = kShapeQueueCells);

}  // namespace nitka
