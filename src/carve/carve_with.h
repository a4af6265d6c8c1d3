#pragma once

#include <cassert>
#include <type_traits>

#include "carve/aldous_broder.h"
#include "carve/binary_tree.h"
#include "carve/braid.h"
#include "carve/carve_method.h"
#include "carve/depth_first.h"
#include "carve/eller.h"
#include "carve/growing_tree.h"
#include "carve/hunt_and_kill.h"
#include "carve/kruskal.h"
#include "carve/prim.h"
#include "carve/recursive_division.h"
#include "carve/sidewinder.h"
#include "carve/wilson.h"
#include "grid/wall_grid.h"
#include "shape/shape_maze.h"

namespace nitka {

// The one table from a method to its carver: carves maze (a WallGrid or a
// ShapeMaze) by the options' method, told to the observer when one is given,
// then opens the share of dead ends options.braid asks for, untold. On a
// ShapeMaze the rectangle's own methods (eller, binary tree, sidewinder,
// recursive division) do nothing: they carve a WallGrid only.
template <typename Maze, typename... Observer>
requires(std::is_same_v<Maze, WallGrid> || std::is_same_v<Maze, ShapeMaze>) &&
    (sizeof...(Observer) <= 1) void carveWith(Maze& maze, const CarveOptions& options,
                                              SeededRandom& random, Observer&... observer) {
    constexpr bool kGrid = std::is_same_v<Maze, WallGrid>;
    switch (options.method) {
        case CarveMethod::DepthFirst:
            carveDepthFirst(maze, random, observer...);
            break;
        case CarveMethod::Prim:
            carvePrim(maze, random, observer...);
            break;
        case CarveMethod::Kruskal:
            carveKruskal(maze, random, observer...);
            break;
        case CarveMethod::Wilson:
            carveWilson(maze, random, observer...);
            break;
        case CarveMethod::AldousBroder:
            carveAldousBroder(maze, random, observer...);
            break;
        case CarveMethod::HuntAndKill:
            carveHuntAndKill(maze, random, observer...);
            break;
        case CarveMethod::GrowingTree:
            carveGrowingTree(maze, options.pick, options.pickShare, random, observer...);
            break;
        case CarveMethod::Eller:
            if constexpr (kGrid) {
                carveEller(maze, random, observer...);
            }
            break;
        case CarveMethod::BinaryTree:
            if constexpr (kGrid) {
                carveBinaryTree(maze, random, observer...);
            }
            break;
        case CarveMethod::Sidewinder:
            if constexpr (kGrid) {
                carveSidewinder(maze, random, observer...);
            }
            break;
        case CarveMethod::RecursiveDivision:
            if constexpr (kGrid) {
                carveRecursiveDivision(maze, random, observer...);
            }
            break;
    }
    if (options.braid > 0) {
        braid(maze, options.braid, random);
    }
}

}  // namespace nitka
