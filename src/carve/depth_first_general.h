#pragma once

#include <array>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "carve/carve_observer.h"
#include "carve/shape_steps.h"
#include "model/seeded_random.h"
#include "shape/cell_fill.h"
#include "shape/layout.h"

// Randomised depth-first search over any maze view: at each cell it draws a
// weight of 1 .. 5 for every unvisited neighbour and steps to the first of
// the highest. On squares it draws its start and its weights in the window's
// order (up, right, down, left), so that on a rectangle it makes
// carveDepthFirst's maze from the same seed and leaves the source where that
// leaves it. The cells of each island of a mask that falls apart get a tree
// of their own. No memory beyond the maze.
//
// Why the rectangle keeps a carver of its own (depth_first.cpp): the window
// carves with it, and its hand-tuned loop (flags and way back in one byte, no
// test of the cell it came from, prefetching rows ahead) beats this one on a
// WallGrid (by how much on a WallGrid is still to be measured).

namespace nitka {
namespace depth_first {

// A cell's scratch: 0 unvisited, else kFillStart for the cell a tree grew
// from or 1 plus the place of the cell it was entered from in its own
// neighbour list. The way back in every cell stands in for a stack.
constexpr std::uint8_t kRoot = kFillStart;

// The window draws a coordinate on a line of 2 * side + 1 positions whose odd
// ones are cells: a number below 2 * side - 1, drawn again until even.
inline std::int64_t windowCoordinate(SeededRandom& random, int side) {
    int r = random.Random(2 * side - 1);
    while (r % 2 != 0) {
        r = random.Random(2 * side - 1);
    }
    return r / 2;
}

// Squares: a plain rectangle or a mask over one.
template <typename L>
inline constexpr bool kSquares = kGridLayout<L> || std::is_same_v<L, RectTopology>;

template <typename L>
CellId drawStart(const L& layout, SeededRandom& random) {
    if constexpr (!kSquares<L>) {
        return drawCell(layout, random);
    }
    while (true) {
        const std::int64_t x = windowCoordinate(random, layout.width());
        const std::int64_t y = windowCoordinate(random, layout.height());
        if (const CellId cell = layout.cellAt({x, y}); cell != kNoCell) {
            return cell;
        }
    }
}

// The places of a cell's neighbours in the order their weights are drawn:
// the topology's own, but on squares the window's up, right, down, left
// rather than the search order right, up, left, down.
template <typename L>
void weighOrder(const L& layout, CellId cell, const LinkArray& list, int count,
                std::array<int, kMaxNeighbours>& order) {
    for (int place = 0; place < count; ++place) {
        order[static_cast<std::size_t>(place)] = place;
    }
    if constexpr (!kSquares<L>) {
        return;
    }
    const auto width = static_cast<CellId>(layout.width());
    // Down before right: in a one-column maze the cell below is cell + 1.
    const auto rank = [&](CellId next) {
        return next + width == cell ? 0 : next == cell + width ? 2 : next == cell + 1 ? 1 : 3;
    };
    for (int i = 1; i < count; ++i) {
        for (int j = i;
             j > 0 && rank(neighbourAt(list, order[static_cast<std::size_t>(j)])) <
                          rank(neighbourAt(list, order[static_cast<std::size_t>(j - 1)]));
             --j) {
            std::swap(order[static_cast<std::size_t>(j)], order[static_cast<std::size_t>(j - 1)]);
        }
    }
}

template <typename View, typename Observer>
void growTree(const View& maze, CellId root, SeededRandom& random, Observer& observer) {
    const auto& layout = maze.layout();
    LinkArray list{};
    std::array<int, kMaxNeighbours> order{};
    CellId cell = root;
    maze.setScratch(cell, kRoot);
    observer.mark(cell, CellRole::Stack);
    observer.current(cell);
    int count = layout.links(cell, list);
    while (true) {
        int best = -1;
        int highest = 0;
        weighOrder(layout, cell, list, count, order);
        for (int i = 0; i < count; ++i) {
            const int place = order[static_cast<std::size_t>(i)];
            if (maze.scratch(neighbourAt(list, place)) == 0) {
                const int weight = random.Random(5) + 1;
                if (weight > highest) {
                    highest = weight;
                    best = place;
                }
            }
        }
        if (best >= 0) {
            const Link& link = list[static_cast<std::size_t>(best)];
            const CellId next = link.next;
            maze.setOpen(link.side, true);
            count = layout.links(next, list);
            maze.setScratch(next, static_cast<std::uint8_t>(1 + placeIn(list, count, cell)));
            observer.opened(cell, next);
            observer.mark(next, CellRole::Stack);
            observer.current(next);
            cell = next;
            continue;
        }
        observer.mark(cell, CellRole::Done);
        const std::uint8_t mark = maze.scratch(cell);
        if (mark == kRoot) {
            return;
        }
        cell = list[mark - 1u].next;
        observer.current(cell);
        count = layout.links(cell, list);
    }
}

}  // namespace depth_first

template <typename View, typename Observer>
void carveDepthFirstOn(const View& maze, SeededRandom& random, Observer& observer) {
    const auto& layout = maze.layout();
    depth_first::growTree(maze, depth_first::drawStart(layout, random), random, observer);
    for (CellId island = nextUntouched(maze, 0); island < layout.slotCount();
         island = nextUntouched(maze, island)) {
        depth_first::growTree(maze, island, random, observer);
    }
    maze.clearScratch();
}

}  // namespace nitka
