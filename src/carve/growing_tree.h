#pragma once

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Which of the growing cells the growing tree extends next.
enum class GrowingTreePick {
    Newest,  // the last added: long winding passages, as depth-first
    Random,  // any, each equally likely: short branches, as Prim
    Oldest,  // the first added: straight passages fanning out from the start
    Mix,     // the newest with a given chance, else a random one
};

// Grows the maze from a random cell: takes a growing cell by the pick, opens
// a side from it into a random unvisited neighbour, which grows in turn, or
// retires it when it has none. newestShare is Mix's chance of the newest cell.
// Keeps the growing cells in a list: at most one entry (4 or 8 bytes) a cell.
// When the cells of a mask fall apart, each island grows a tree of its own.
// Requires: every side closed, scratch clear; 0 <= newestShare <= 1. Leaves
// the scratch clear.
void carveGrowingTree(WallGrid& grid, GrowingTreePick pick, double newestShare,
                      SeededRandom& random);
void carveGrowingTree(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                      SeededRandom& random);
// The same maze from the same draws, told to observer step by step.
void carveGrowingTree(WallGrid& grid, GrowingTreePick pick, double newestShare,
                      SeededRandom& random, CarveObserver& observer);
void carveGrowingTree(ShapeMaze& maze, GrowingTreePick pick, double newestShare,
                      SeededRandom& random, CarveObserver& observer);

}  // namespace nitka
