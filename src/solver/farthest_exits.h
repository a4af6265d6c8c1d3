#pragma once

#include "shape/shape_maze.h"

namespace nitka {

struct Exits {
    CellId start = kNoCell;
    CellId target = kNoCell;
};

// Whether cell has a side with no cell across it: the maze's outer edge, or
// the rim of a mask's hole.
bool isEdgeCell(const Topology& topology, CellId cell);

// Two edge cells as far apart along the maze's passages as any two edge cells
// joined to the topology's start: the edge cell farthest from the start, then
// the edge cell farthest from that one, each the first found at its distance
// by a breadth-first search trying neighbours in the topology's order. In a
// perfect maze the route between them is the longest between any two edge
// cells (in a tree the farthest cell of a set from any cell of it ends a
// longest path within the set). Linear time; memory the two widest levels of
// the searches; the scratch bits clear on return.
Exits farthestExits(ShapeMaze& maze);

}  // namespace nitka

namespace nitka {

// A copy of maze whose start and target are its farthestExits, as a file
// keeps them. Holds both mazes for the while.
ShapeMaze withFarthestExits(ShapeMaze& maze);

}  // namespace nitka
