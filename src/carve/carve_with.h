#pragma once

#include <concepts>
#include <stdexcept>

#include "carve/braid.h"
#include "carve/carve_method.h"
#include "carve/carvers.h"

namespace nitka {
namespace carve_with {

// Runs carve on the maze when it is the rectangle's grid. A rectangle-only
// method asked of a ShapeMaze is a caller's fault (carvesEveryShape says
// which carve every shape), refused rather than leaving the maze all walls.
template <CarvedMaze Maze, typename Carve>
void onGridOnly(Maze& maze, Carve&& carve) {
    if constexpr (std::same_as<Maze, WallGrid>) {
        carve(maze);
    } else {
        throw std::logic_error("a rectangle-only carving method asked of a maze of any shape");
    }
}

// Observer is empty or one CarveObserver.
template <CarvedMaze Maze, typename... Observer>
void carveTree(Maze& maze, const CarveOptions& options, SeededRandom& random,
               Observer&... observer) {
    switch (options.method) {
        case CarveMethod::DepthFirst:
            return carveDepthFirst(maze, random, observer...);
        case CarveMethod::Prim:
            return carvePrim(maze, random, observer...);
        case CarveMethod::Kruskal:
            return carveKruskal(maze, random, observer...);
        case CarveMethod::Wilson:
            return carveWilson(maze, random, observer...);
        case CarveMethod::AldousBroder:
            return carveAldousBroder(maze, random, observer...);
        case CarveMethod::HuntAndKill:
            return carveHuntAndKill(maze, random, observer...);
        case CarveMethod::GrowingTree:
            return carveGrowingTree(maze, options.pick, options.pickShare, random, observer...);
        case CarveMethod::Eller:
            return onGridOnly(maze, [&](WallGrid& grid) { carveEller(grid, random, observer...); });
        case CarveMethod::BinaryTree:
            return onGridOnly(maze,
                              [&](WallGrid& grid) { carveBinaryTree(grid, random, observer...); });
        case CarveMethod::Sidewinder:
            return onGridOnly(maze,
                              [&](WallGrid& grid) { carveSidewinder(grid, random, observer...); });
        case CarveMethod::RecursiveDivision:
            return onGridOnly(
                maze, [&](WallGrid& grid) { carveRecursiveDivision(grid, random, observer...); });
    }
}

}  // namespace carve_with

// The one table from a method to its carver: carves maze (a WallGrid or a
// ShapeMaze) by the options' method, told to the observer when one is given,
// then opens the share of dead ends options.braid asks for, untold.
// Requires: carvesEveryShape(options.method) on a ShapeMaze (else throws
// std::logic_error, the maze untouched), and the carvers' own.
template <CarvedMaze Maze, std::derived_from<CarveObserver>... Observer>
requires(sizeof...(Observer) <= 1) void carveWith(Maze& maze, const CarveOptions& options,
                                                  SeededRandom& random, Observer&... observer) {
    carve_with::carveTree(maze, options, random, static_cast<CarveObserver&>(observer)...);
    if (options.braid > 0) {
        braid(maze, options.braid, random);
    }
}

}  // namespace nitka
