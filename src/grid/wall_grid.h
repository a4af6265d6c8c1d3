#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "grid/size_limits.h"
#include "model/route_rule.h"

namespace nitka {

// How one wall flag of a maze file reads. 0 is an opening and 1 a wall; any
// other value (only a hand-edited file holds one) is drawn as a wall but does
// not block the window's route search, so it needs a class of its own.
enum class Flag : std::uint8_t { Open = 0, Wall = 1, Other = 2 };

// Whether the window's route search crosses an edge with this flag
// (flagLetsRoutePass): any class but Wall.
constexpr bool letsRoutePass(Flag flag) {
    return flagLetsRoutePass(static_cast<std::uint8_t>(flag));
}

// The class of a flag's stored byte.
constexpr Flag flagOf(std::uint8_t value) {
    return value == 0 ? Flag::Open : value == 1 ? Flag::Wall : Flag::Other;
}

// The four steps between neighbouring cells, numbered in the order the window's
// route search tries them. Everything on a WallGrid uses this numbering.
enum class Step : std::uint8_t { Right = 0, Up = 1, Left = 2, Down = 3 };

inline constexpr int kStepDx[4] = {1, 0, -1, 0};
inline constexpr int kStepDy[4] = {0, -1, 0, 1};

constexpr Step opposite(Step step) {
    return static_cast<Step>((static_cast<int>(step) + 2) % 4);
}

struct GridCell {
    int x = 0;
    int y = 0;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

constexpr GridCell neighbour(GridCell cell, Step step) {
    return {cell.x + kStepDx[static_cast<int>(step)], cell.y + kStepDy[static_cast<int>(step)]};
}

// A maze of any size in one byte a cell, row by row from the top (the maze
// file's order, so it streams in and out). A cell's byte holds the class of its
// top flag (bits 0-1) and of its left flag (bits 2-3), as the maze file stores
// them; the right and bottom edges of the maze are always walls and are not
// held. Bits 4-7 are scratch that one algorithm at a time may use, so that
// carving and searching need no second array a cell.
class WallGrid {
public:
    static constexpr std::uint8_t kScratchMask = 0xF0;

    // Every top and left flag a wall, every scratch bit clear.
    // Requires: width >= 1, height >= 1.
    WallGrid(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint64_t cellCount() const { return m_cells.size(); }
    bool contains(GridCell cell) const {
        return cell.x >= 0 && cell.x < m_width && cell.y >= 0 && cell.y < m_height;
    }
    std::size_t index(GridCell cell) const {
        assert(contains(cell));
        return static_cast<std::size_t>(cell.y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(cell.x);
    }

    Flag top(std::size_t cell) const { return static_cast<Flag>(m_cells[cell] & 3u); }
    Flag left(std::size_t cell) const { return static_cast<Flag>((m_cells[cell] >> 2) & 3u); }
    void setTop(std::size_t cell, Flag flag) {
        m_cells[cell] =
            static_cast<std::uint8_t>((m_cells[cell] & ~3u) | static_cast<unsigned>(flag));
    }
    void setLeft(std::size_t cell, Flag flag) {
        m_cells[cell] =
            static_cast<std::uint8_t>((m_cells[cell] & ~12u) | static_cast<unsigned>(flag) << 2);
    }

    // The flag on the edge a step from cell crosses; the maze's outer right
    // and bottom edges read as walls. Requires: contains(cell) and the edge
    // lies on the maze (a step out through the top or left reads its flag).
    Flag edge(GridCell cell, Step step) const;
    // Whether the window's route search may take the step (routeMayStep).
    bool passable(GridCell cell, Step step) const {
        return contains(neighbour(cell, step)) && letsRoutePass(edge(cell, step));
    }

    // Bits 4-7 of a cell's byte, as a number 0 .. 15.
    std::uint8_t scratch(std::size_t cell) const { return m_cells[cell] >> 4; }
    void setScratch(std::size_t cell, std::uint8_t value) {
        assert(value < 16);
        m_cells[cell] = static_cast<std::uint8_t>((m_cells[cell] & 0x0Fu) | value << 4);
    }
    void clearScratch();

    // The bytes themselves, row by row, for the few loops too hot for the
    // accessors: a store through those may alias the grid's own members, so
    // the compiler reloads them on every access.
    std::uint8_t* data() { return m_cells.data(); }

    // Bytes a width x height grid occupies, for refusing a size up front;
    // saturated, so that any size may be asked about.
    static std::uint64_t bytesFor(std::int64_t width, std::int64_t height) {
        return cellsOf(width, height);
    }

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_cells;
};

// The steps the window's route search may take from a cell, bit s for Step s:
// WallGrid::passable for all four at once. Without branches, for scans over
// every cell in order, where all four flags are at hand and a branch on the
// maze's shape would go the wrong way half the time. Requires: grid.contains(cell).
inline unsigned passableSteps(const WallGrid& grid, GridCell cell) {
    const std::size_t at = grid.index(cell);
    const auto width = static_cast<std::size_t>(grid.width());
    const bool right = cell.x + 1 < grid.width();
    const bool down = cell.y + 1 < grid.height();
    // Off the maze the index stays at the cell, so the read is safe; the
    // step is cleared below.
    const auto may = [](bool inside, Flag flag) {
        return static_cast<unsigned>(inside & letsRoutePass(flag));
    };
    return may(right, grid.left(at + right)) | may(cell.y > 0, grid.top(at)) << 1 |
           may(cell.x > 0, grid.left(at)) << 2 | may(down, grid.top(at + (down ? width : 0))) << 3;
}

// The steps in a set of passableSteps: a table, where std::popcount calls the
// library on the baseline processor.
inline int stepCount(unsigned steps) {
    constexpr std::array<std::uint8_t, 16> kCounts{0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
    return kCounts[steps & 15u];
}

}  // namespace nitka
