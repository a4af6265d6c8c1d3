#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "shape/topology.h"
#include "solver/search_parts.h"

// The searches, written once over a maze view (shape/maze_view.h): the same
// code runs on a WallGrid's GridView and on every shape's ShapeView, bound to
// the concrete layout at compile time. A side counts as crossable when the
// view calls it passable, so a grid's hand-edited flag answers alike here and
// in the window.
//
// A trail keeps the route as the search walks it, in its own store:
//   push(cell, place, entered, enteredLinks, enteredCount): a move from cell
//     into entered, its link at place, whose own links are enteredLinks;
//   popFrom(cell, cellLinks): drops the last move, which entered cell, and
//     returns the cell it left;
//   moves(): moves held.
namespace nitka::search {

using NeighbourArray = std::array<CellId, kMaxNeighbours>;

static_assert(kOnRoute + kMaxNeighbours < 16);

// The first place from `first` on whose link a route may cross from cell into
// a neighbour whose scratch is wanted; count when there is none.
template <typename View>
int firstPassableInto(const View& maze, const LinkArray& links, int count, int first,
                      std::uint8_t wanted) {
    for (; first < count; ++first) {
        const Link& link = links[static_cast<std::size_t>(first)];
        if (maze.scratch(link.next) == wanted && maze.passable(link.side)) {
            return first;
        }
    }
    return count;
}

template <typename View>
bool bothCells(const View& maze, CellId from, CellId to) {
    return maze.layout().isCell(from) && maze.layout().isCell(to);
}

// The route the window's search finds: depth first, trying the neighbours in
// the layout's order at every cell, the first route completed in that order.
// Linear time on any maze, loops included; besides the trail it uses only the
// scratch bits, clear again on return. False when there is no route or either
// end is no cell. Requires: trail is empty and starts at from.
template <typename View, typename Trail>
bool searchDepthFirst(const View& maze, CellId from, CellId to, Trail& trail) {
    const auto& layout = maze.layout();
    maze.clearScratch();
    if (!bothCells(maze, from, to)) {
        return false;
    }
    LinkArray list{};
    CellId cell = from;
    int count = layout.links(cell, list);
    maze.setScratch(cell, kOnRoute);
    while (cell != to) {
        const int tried = maze.scratch(cell) - kOnRoute;
        const int next = firstPassableInto(maze, list, count, tried, kUnvisited);
        if (next == count) {
            // A cell all of whose ways failed is never worth entering again:
            // everything beyond it was searched while it was on the route. That
            // keeps a maze with loops to one entry per cell.
            maze.setScratch(cell, kFailed);
            if (trail.moves() == 0) {
                maze.clearScratch();
                return false;
            }
            cell = trail.popFrom(cell, list);
            count = layout.links(cell, list);
        } else {
            maze.setScratch(cell, static_cast<std::uint8_t>(kOnRoute + next + 1));
            const CellId entered = list[static_cast<std::size_t>(next)].next;
            count = layout.links(entered, list);
            trail.push(cell, next, entered, list, count);
            cell = entered;
            maze.setScratch(cell, kOnRoute);
        }
    }
    maze.clearScratch();
    return true;
}

// Marks every cell a route may reach from to, up to from, with its distance
// to `to` as nextMark counts (search_parts.h). Breadth first, a level at a
// time from the ring, or by a scan of the maze for a level the ring could
// not hold. False when from cannot be reached.
template <typename View>
bool markDistances(const View& maze, CellId from, CellId to, std::size_t queueCells) {
    const auto& layout = maze.layout();
    CellRing<CellId> ring(queueCells);
    LinkArray list{};
    std::uint8_t mark = 1;
    maze.setScratch(to, mark);
    ring.push(to);
    bool levelInRing = true;
    while (maze.scratch(from) == kUnreached) {
        const std::uint8_t reachedMark = nextMark(mark);
        bool reachedAny = false;
        bool overflow = false;
        const auto expand = [&](CellId cell) {
            const int count = layout.links(cell, list);
            for (int place = firstPassableInto(maze, list, count, 0, kUnreached); place < count;
                 place = firstPassableInto(maze, list, count, place + 1, kUnreached)) {
                const CellId next = list[static_cast<std::size_t>(place)].next;
                maze.setScratch(next, reachedMark);
                reachedAny = true;
                overflow = !ring.push(next) || overflow;
            }
        };
        if (levelInRing) {
            for (std::size_t left = ring.size(); left > 0; --left) {
                expand(ring.pop());
            }
        } else {
            // Cells three, six, ... levels nearer carry the same mark, but
            // every neighbour of theirs is reached already, so expanding them
            // adds nothing.
            for (CellId cell = 0; cell < layout.slotCount(); ++cell) {
                if (layout.isCell(cell) && maze.scratch(cell) == mark) {
                    expand(cell);
                }
            }
        }
        if (!reachedAny) {
            return false;
        }
        if (overflow) {
            ring.clear();
        }
        levelInRing = !overflow;
        mark = reachedMark;
    }
    return true;
}

// A shortest route over the same sides as searchDepthFirst; of several, the
// one that takes at every cell the first neighbour in the layout's order that
// brings it one nearer the target. Linear time while every level fits a ring
// of queueCells cells; a level that does not costs a scan of the maze for each
// level from there until one fits again. Memory: the scratch bits (clear on
// return), the trail and the ring. False as for searchDepthFirst.
// Requires: queueCells >= 1, trail is empty and starts at from.
template <typename View, typename Trail>
bool searchShortest(const View& maze, CellId from, CellId to, Trail& trail,
                    std::size_t queueCells) {
    assert(queueCells >= 1);
    maze.clearScratch();
    // Searched from the target, so that the route reads forwards from the start.
    if (!bothCells(maze, from, to) || !markDistances(maze, from, to, queueCells)) {
        maze.clearScratch();
        return false;
    }
    const auto& layout = maze.layout();
    LinkArray list{};
    CellId cell = from;
    int count = layout.links(cell, list);
    while (cell != to) {
        const int next = firstPassableInto(maze, list, count, 0, previousMark(maze.scratch(cell)));
        assert(next < count);
        const CellId entered = list[static_cast<std::size_t>(next)].next;
        count = layout.links(entered, list);
        trail.push(cell, next, entered, list, count);
        cell = entered;
    }
    maze.clearScratch();
    return true;
}

// The cell farthest from `from` along the routes of the maze among those
// edgeCell accepts, the first of its level in the search's order; from itself
// when none is. Breadth first, a level at a time; the scratch bits clear on
// return.
template <typename View, typename EdgeCell>
CellId farthestCellWhere(const View& maze, CellId from, EdgeCell&& edgeCell) {
    const auto& layout = maze.layout();
    std::vector<CellId> level{from};
    std::vector<CellId> next;
    LinkArray list{};
    maze.setScratch(from, 1);
    CellId farthest = from;
    while (!level.empty()) {
        for (const CellId cell : level) {
            if (edgeCell(cell)) {
                farthest = cell;
                break;
            }
        }
        next.clear();
        for (const CellId cell : level) {
            const int count = layout.links(cell, list);
            for (int place = firstPassableInto(maze, list, count, 0, 0); place < count;
                 place = firstPassableInto(maze, list, count, place + 1, 0)) {
                const CellId neighbour = list[static_cast<std::size_t>(place)].next;
                maze.setScratch(neighbour, 1);
                next.push_back(neighbour);
            }
        }
        std::swap(level, next);
    }
    maze.clearScratch();
    return farthest;
}

}  // namespace nitka::search
