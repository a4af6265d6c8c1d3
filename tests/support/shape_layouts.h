#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cassert>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shape/cell_mask.h"
#include "shape/make_topology.h"
#include "shape/rect_topology.h"
#include "shape/shape_maze.h"
#include "shape/topology.h"

namespace nitka::testing {

// A mask drawn as a picture: '#' a cell, '.' a hole, one string a row.
inline CellMask maskOf(const std::vector<std::string_view>& rows) {
    CellMask mask(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            mask.set(y * rows[0].size() + x, rows[y][x] == '#');
        }
    }
    return mask;
}

// Squares cut by a picture.
inline std::shared_ptr<const Topology> maskedRect(const std::vector<std::string_view>& rows) {
    return std::make_shared<RectTopology>(maskOf(rows));
}

inline std::shared_ptr<const Topology> plainRect(int width, int height) {
    return std::make_shared<RectTopology>(CellMask(width, height));
}

struct Layout {
    std::string label;
    std::shared_ptr<const Topology> topology;
    // Pieces the cells fall into: a perfect maze on each.
    std::uint64_t islands = 1;
};

// Layouts every method must carve: small, odd and one-cell-wide rectangles,
// masks, hexagons and a mask in two pieces.
inline std::vector<Layout> carvingLayouts() {
    return {
        {"one cell", plainRect(1, 1)},
        {"row", plainRect(9, 1)},
        {"column", plainRect(1, 9)},
        {"2 x 2", plainRect(2, 2)},
        {"7 x 5", plainRect(7, 5)},
        {"16 x 16", plainRect(16, 16)},
        {"ring", maskedRect({"######", "#....#", "#....#", "######"})},
        {"L", maskedRect({"##....", "##....", "##....", "######", "######"})},
        {"comb", maskedRect({"#.#.#.#", "#.#.#.#", "#######", "..#...#"})},
        {"lone cell in a mask", maskedRect({"...", ".#.", "..."})},
        {"two pieces", maskedRect({"###..", "###..", ".....", "..###"}), 2},
        // The shapes the tool makes, at small, odd and one-cell-wide sizes
        // where the layout holds together, and under masks.
        {"hex 1 x 1", makeTopology(ShapeKind::Hex, 1, 1)},
        {"hex 7 x 5", makeTopology(ShapeKind::Hex, 7, 5)},
        {"hex column", makeTopology(ShapeKind::Hex, 1, 6)},
        {"hex row", makeTopology(ShapeKind::Hex, 6, 1)},
        {"triangle 1 x 2", makeTopology(ShapeKind::Triangle, 1, 2)},
        {"triangle 9 x 4", makeTopology(ShapeKind::Triangle, 9, 4)},
        {"triangle row", makeTopology(ShapeKind::Triangle, 7, 1)},
        {"polar 1 ring", makeTopology(ShapeKind::Polar, 1, 1)},
        {"polar 7 rings", makeTopology(ShapeKind::Polar, 1, 7)},
        {"hex ring mask",
         makeTopology(ShapeKind::Hex, 6, 4, maskOf({"######", "#....#", "#....#", "######"}))},
        {"triangle L mask",
         makeTopology(ShapeKind::Triangle, 6, 4, maskOf({"##....", "##....", "######", "######"}))},
    };
}

// The open sides, each counted once.
inline std::uint64_t openSides(const ShapeMaze& maze) {
    const Topology& topology = maze.topology();
    std::array<CellId, kMaxNeighbours> list{};
    std::uint64_t open = 0;
    for (CellId cell = 0; cell < topology.slotCount(); ++cell) {
        if (!topology.isCell(cell)) {
            continue;
        }
        const int count = topology.neighbours(cell, list);
        for (int i = 0; i < count; ++i) {
            open += list[static_cast<std::size_t>(i)] > cell &&
                            maze.isOpen(cell, list[static_cast<std::size_t>(i)])
                        ? 1
                        : 0;
        }
    }
    return open;
}

// Pieces the open sides join the cells into, by a plain search with its own
// memory, independent of the code under test.
inline std::uint64_t joinedPieces(const ShapeMaze& maze) {
    const Topology& topology = maze.topology();
    std::vector<bool> seen(topology.slotCount());
    std::array<CellId, kMaxNeighbours> list{};
    std::uint64_t pieces = 0;
    for (CellId first = 0; first < topology.slotCount(); ++first) {
        if (!topology.isCell(first) || seen[first]) {
            continue;
        }
        ++pieces;
        std::vector<CellId> pending{first};
        seen[first] = true;
        while (!pending.empty()) {
            const CellId cell = pending.back();
            pending.pop_back();
            const int count = topology.neighbours(cell, list);
            for (int i = 0; i < count; ++i) {
                const CellId next = list[static_cast<std::size_t>(i)];
                if (!seen[next] && maze.isOpen(cell, next)) {
                    seen[next] = true;
                    pending.push_back(next);
                }
            }
        }
    }
    return pieces;
}

// A perfect maze on each island: as many pieces as islands, and a forest's
// number of open sides, so no loop.
inline ::testing::AssertionResult isPerfectOnEachIsland(const ShapeMaze& maze,
                                                        std::uint64_t islands) {
    const std::uint64_t pieces = joinedPieces(maze);
    const std::uint64_t open = openSides(maze);
    const std::uint64_t cells = maze.topology().cellCount();
    if (pieces != islands || open + islands != cells) {
        return ::testing::AssertionFailure()
               << pieces << " pieces and " << open << " open sides in " << cells << " cells";
    }
    return ::testing::AssertionSuccess();
}

inline bool scratchClear(const ShapeMaze& maze) {
    for (CellId cell = 0; cell < maze.topology().slotCount(); ++cell) {
        if (maze.scratch(cell) != 0) {
            return false;
        }
    }
    return true;
}

// Every cell's held sides, one letter each, to compare two mazes.
inline std::string heldText(const ShapeMaze& maze) {
    std::string text;
    for (CellId cell = 0; cell < maze.topology().slotCount(); ++cell) {
        text += static_cast<char>('a' + maze.heldBits(cell));
    }
    return text;
}

}  // namespace nitka::testing
