#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "carve/carve_method.h"
#include "shape/topology.h"

namespace nitka {

// The memory each command needs for a width x height maze, added up from what
// each layer says it holds: the grid, the file buffers, a route through every
// cell, a carving method's lists, a picture writer's rows. Saturated.
std::uint64_t generateNeed(std::int64_t width, std::int64_t height, CarveMethod method);
// Reading the maze and finding routes in it (solve, info).
std::uint64_t searchNeed(std::int64_t width, std::int64_t height);
std::uint64_t renderNeed(std::int64_t width, std::int64_t height);

// A maze of any shape, masks included, in the general form: a byte a place,
// the bits of the mask and of the search for parts, and with method, its
// lists; without one, a route and a search through every place. A polar
// maze's rings are counted as rows as wide as the outermost, which is more
// than it has.
std::uint64_t shapeNeed(ShapeKind shape, std::int64_t width, std::int64_t height,
                        const CarveMethod* method);

// What one maze of a dataset keeps in its arrays: its passages and their
// offset, a rectangle's wall picture, its seed, ends, route length and
// score, and the record that filters it.
std::uint64_t batchMazeBytes(ShapeKind shape, std::int64_t width, std::int64_t height);

// What a plotter's SVG holds besides the maze: every wall, its ends' graph
// and the strokes, measured at about 240 bytes a square cell, 450 a hexagon.
std::uint64_t plotterNeed(ShapeKind shape, std::int64_t width, std::int64_t height);

// What an STL solid holds besides the maze (its plan of points, segments and
// corners) and the most triangles it can have, for a maze of this shape and
// size however carved: a hexagon has three sides of its own, a square two.
std::uint64_t solidNeed(ShapeKind shape, std::int64_t width, std::int64_t height);
std::uint64_t solidTriangles(ShapeKind shape, std::int64_t width, std::int64_t height);

// Threads a dataset may carve with, and mazes it may hold.
inline constexpr int kMostThreads = 1024;
inline constexpr std::int64_t kMostBatchMazes = 1'000'000'000;

}  // namespace nitka
