#include "plan/memory_need.h"

#include <cstdint>

#include "grid/grid_route.h"
#include "grid/size_limits.h"
#include "grid/wall_grid.h"
#include "render/render_options.h"
#include "shape/make_topology.h"
#include "storage/file_calls.h"

namespace nitka {
namespace {

std::uint64_t mazeAndFiles(std::int64_t width, std::int64_t height) {
    return saturatingAdd(WallGrid::bytesFor(width, height), kFileBufferBytes);
}

std::uint64_t routeThroughAll(std::int64_t width, std::int64_t height) {
    return GridRoute::bytesFor(cellsOf(width, height));
}

// Places a row of the layout has, a polar maze's outermost ring for all.
std::int64_t shapeRowWidth(ShapeKind shape, std::int64_t width, std::int64_t height) {
    // A polar maze's ring table is small whatever its rings.
    return shape == ShapeKind::Polar ? makeTopology(shape, 1, static_cast<int>(height))->width()
                                     : width;
}

}  // namespace

std::uint64_t generateNeed(std::int64_t width, std::int64_t height, CarveMethod method) {
    const bool carvable = width >= 1 && height >= 1 && width <= kMaxGridSide &&
                          height <= kMaxGridSide && cellsOf(width, height) <= kMaxGridCells;
    return saturatingAdd(
        mazeAndFiles(width, height),
        carvable ? carveExtraBytes(method, static_cast<int>(width), static_cast<int>(height)) : 0);
}

std::uint64_t searchNeed(std::int64_t width, std::int64_t height) {
    return saturatingAdd(mazeAndFiles(width, height), routeThroughAll(width, height));
}

std::uint64_t renderNeed(std::int64_t width, std::int64_t height) {
    return saturatingAdd(searchNeed(width, height), kPictureWriterBytes);
}

std::uint64_t batchMazeBytes(ShapeKind shape, std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > kMaxGridSide || height > kMaxGridSide) {
        return cellsOf(width, height);
    }
    const std::uint64_t cells = cellsOf(shapeRowWidth(shape, width, height), height);
    // A perfect maze has a passage fewer than cells, two 32-bit ends each.
    const std::uint64_t passages = saturatingProduct(cells, 2 * sizeof(std::int32_t));
    const std::uint64_t picture =
        shape == ShapeKind::Rect ? cellsOf(2 * width + 1, 2 * height + 1) : 0;
    // Offset, seed, two ends, route length, score; the filter's record.
    constexpr std::uint64_t kFixedBytes = 8 + 8 + 16 + 8 + 8 + 48;
    return saturatingAdd(saturatingAdd(passages, picture), kFixedBytes);
}

std::uint64_t plotterNeed(ShapeKind shape, std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > kMaxGridSide || height > kMaxGridSide) {
        return cellsOf(width, height);
    }
    // Measured on mazes of a million cells, with room to spare: a cell's
    // share of the walls grows with its sides.
    const std::uint64_t perCell = shape == ShapeKind::Hex ? 512 : 320;
    return saturatingProduct(cellsOf(shapeRowWidth(shape, width, height), height), perCell);
}

std::uint64_t solidNeed(ShapeKind shape, std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > kMaxGridSide || height > kMaxGridSide) {
        return cellsOf(width, height);
    }
    // Measured at 87 bytes a square, 150 a hexagon; a mask's scattered cells
    // each bring their own corners.
    const std::uint64_t perPlace = shape == ShapeKind::Hex ? 320 : 200;
    return saturatingProduct(cellsOf(shapeRowWidth(shape, width, height), height), perPlace);
}

std::uint64_t solidTriangles(ShapeKind shape, std::int64_t width, std::int64_t height) {
    // Twelve a side of a cell, each side counted once: 24 a square, 36 a
    // hexagon, 18 a triangle; a ring's arcs are chords of 10 degrees.
    std::uint64_t perPlace = 24;
    if (shape == ShapeKind::Hex) {
        perPlace = 36;
    } else if (shape == ShapeKind::Triangle) {
        perPlace = 18;
    } else if (shape == ShapeKind::Polar) {
        perPlace = 30;
    }
    const std::int64_t rowWidth =
        width < 1 || height < 1 || width > kMaxGridSide || height > kMaxGridSide
            ? width
            : shapeRowWidth(shape, width, height);
    return saturatingProduct(cellsOf(rowWidth, height), perPlace);
}

std::uint64_t shapeNeed(ShapeKind shape, std::int64_t width, std::int64_t height,
                        const CarveMethod* method) {
    if (width < 1 || height < 1 || width > kMaxGridSide || height > kMaxGridSide) {
        return cellsOf(width, height);
    }
    const std::int64_t rowWidth = shapeRowWidth(shape, width, height);
    const std::uint64_t places = cellsOf(rowWidth, height + (shape == ShapeKind::Polar ? 1 : 0));
    // A route and a breadth-first search keep a cell number a place each.
    constexpr std::uint64_t kSearchBytes = 2 * sizeof(CellId);
    const std::uint64_t lists =
        method ? carveExtraBytes(*method, static_cast<int>(rowWidth), static_cast<int>(height) + 1)
               : (places > UINT64_MAX / kSearchBytes ? UINT64_MAX : places * kSearchBytes);
    return saturatingAdd(saturatingAdd(places, places / 4), saturatingAdd(lists, kFileBufferBytes));
}

}  // namespace nitka
