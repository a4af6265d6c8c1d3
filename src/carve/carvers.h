#pragma once

#include <concepts>

#include "carve/carve_observer.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"

namespace nitka {

// Every carver makes a perfect maze (one route between any two cells) into a
// maze whose sides are all closed and whose scratch is clear, draws only from
// the random source it is given, and leaves the scratch clear. The general
// ones carve a WallGrid or a ShapeMaze of any layout: when the cells of a mask
// fall apart, each island gets a tree of its own, and on a plain rectangle
// both stores get the same maze from the same seed. Each carver is told to an
// observer when one is given (a CarveObserver, or any derived one passed as a
// CarveObserver&); without one, NoCarveObserver compiles away. carveWith
// (carve/carve_with.h) picks a carver by its method.

// The mazes a carver writes into: the rectangle's compact grid, or a maze of
// any layout.
template <typename Maze>
concept CarvedMaze = std::same_as<Maze, WallGrid> || std::same_as<Maze, ShapeMaze>;

// What a carver tells its steps to: nothing, or an observer behind its base.
template <typename Observer>
concept CarveListener =
    std::same_as<Observer, NoCarveObserver> || std::same_as<Observer, CarveObserver&>;

// Which of the growing cells the growing tree extends next.
enum class GrowingTreePick {
    Newest,  // the last added: long winding passages, as depth-first
    Random,  // any, each equally likely: short branches, as Prim
    Oldest,  // the first added: straight passages fanning out from the start
    Mix,     // the newest with a given chance, else a random one
};

// Randomised depth-first search, drawing as the window's "Depth-First" press
// does: on a WallGrid the window's maze, flag for flag, at every size the
// window carves (by the window's own tuned loop), and the same maze in every
// later version at any size. No memory beyond the maze.
template <CarveListener Observer = NoCarveObserver, CarvedMaze Maze>
void carveDepthFirst(Maze& maze, SeededRandom& random, Observer&& observer = {});

// Prim's method: grows the maze from a random cell by joining, each time, a
// random cell of its frontier to a random neighbour inside. Keeps the
// frontier as a list: at most one entry (4 or 8 bytes) a cell.
template <CarveListener Observer = NoCarveObserver, CarvedMaze Maze>
void carvePrim(Maze& maze, SeededRandom& random, Observer&& observer = {});

// Kruskal's method: opens the inner sides in a random order, each one only
// where it joins two cells not yet joined. Keeps the shuffled list of inner
// sides and a union-find of the cells, 4 or 8 bytes each a side and a cell.
template <CarveListener Observer = NoCarveObserver, CarvedMaze Maze>
void carveKruskal(Maze& maze, SeededRandom& random, Observer&& observer = {});

// Wilson's method: loop-erased random walks from each cell in turn into the
// growing tree; every perfect maze equally likely. No memory beyond the maze.
template <CarveListener Observer = NoCarveObserver, CarvedMaze Maze>
void carveWilson(Maze& maze, SeededRandom& random, Observer&& observer = {});

// The Aldous-Broder method: one random walk that opens the side into every
// cell it enters for the first time; every perfect maze equally likely, far
// slower than Wilson's. No memory beyond the maze.
template <CarveListener Observer = NoCarveObserver, CarvedMaze Maze>
void carveAldousBroder(Maze& maze, SeededRandom& random, Observer&& observer = {});

// Hunt-and-kill: walks at random into unvisited cells, and at each dead end
// hunts in reading order for the first unvisited cell beside a visited one,
// joins it there and walks on. No memory beyond the maze.
template <CarveListener Observer = NoCarveObserver, CarvedMaze Maze>
void carveHuntAndKill(Maze& maze, SeededRandom& random, Observer&& observer = {});

// Grows the maze from a random cell: takes a growing cell by the pick, opens
// a side from it into a random unvisited neighbour, which grows in turn, or
// retires it when it has none. newestShare is Mix's chance of the newest cell,
// 0 .. 1. Keeps the growing cells in a list: at most one entry (4 or 8 bytes)
// a cell.
template <CarveListener Observer = NoCarveObserver, CarvedMaze Maze>
void carveGrowingTree(Maze& maze, GrowingTreePick pick, double newestShare, SeededRandom& random,
                      Observer&& observer = {});

// The rectangle's own methods lean on straight rows and columns: they carve
// a WallGrid only.

// Eller's method, row by row, knowing only the current row's sets: joins
// neighbours of different sets at random, carries every set at least once
// into the next row, and joins all sets along the last row. Keeps five
// numbers a column.
template <CarveListener Observer = NoCarveObserver>
void carveEller(WallGrid& grid, SeededRandom& random, Observer&& observer = {});

// Opens, in every cell but the first, the wall above or the one to its left,
// at random where both lie inside: passages lean to the top left, and the top
// row and left column are straight corridors. No memory beyond the grid.
template <CarveListener Observer = NoCarveObserver>
void carveBinaryTree(WallGrid& grid, SeededRandom& random, Observer&& observer = {});

// Row by row: the top row is one corridor; every row below is cut into runs
// of random length, each joined upwards through one random cell of the run.
// No memory beyond the grid.
template <CarveListener Observer = NoCarveObserver>
void carveSidewinder(WallGrid& grid, SeededRandom& random, Observer&& observer = {});

// Opens every inner wall (untold), then halves areas with a wall line that
// keeps one gap, until each is one cell wide or high: long straight walls.
// Keeps a stack of at most log2 of the cell count plus two areas.
template <CarveListener Observer = NoCarveObserver>
void carveRecursiveDivision(WallGrid& grid, SeededRandom& random, Observer&& observer = {});

}  // namespace nitka
