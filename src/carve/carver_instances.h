#pragma once

#include "carve/carvers.h"

// Instantiates a carver of carve/carvers.h, in the file that defines it, for
// every maze it carves and both observers: the one list of the pairs the
// program links. The optional arguments name the types of the method's own
// parameters between the maze and the random source.
#define NITKA_CARVER_FOR(carver, Maze, ...)                                               \
    template void carver<NoCarveObserver>(Maze&, __VA_OPT__(__VA_ARGS__, ) SeededRandom&, \
                                          NoCarveObserver &&);                            \
    template void carver<CarveObserver&>(Maze&, __VA_OPT__(__VA_ARGS__, ) SeededRandom&,  \
                                         CarveObserver&)

#define NITKA_GRID_CARVER(carver) NITKA_CARVER_FOR(carver, WallGrid)

#define NITKA_GENERAL_CARVER(carver, ...)            \
    NITKA_CARVER_FOR(carver, WallGrid, __VA_ARGS__); \
    NITKA_CARVER_FOR(carver, ShapeMaze, __VA_ARGS__)
