#include "carve/shape_depth_first.h"

#include <array>
#include <cstdint>
#include <utility>

#include "carve/shape_steps.h"
#include "shape/cell_fill.h"

namespace nitka {
namespace {

// A cell's scratch: 0 unvisited, else kFillStart for the cell a tree grew
// from or 1 plus the place of the cell it was entered from in its own
// neighbour list. The way back in every cell stands in for a stack.
constexpr std::uint8_t kRoot = kFillStart;

// The window draws a coordinate on a line of 2 * side + 1 positions whose odd
// ones are cells: a number below 2 * side - 1, drawn again until even.
std::int64_t windowCoordinate(SeededRandom& random, int side) {
    int r = random.Random(2 * side - 1);
    while (r % 2 != 0) {
        r = random.Random(2 * side - 1);
    }
    return r / 2;
}

CellId drawStart(const Topology& topology, SeededRandom& random) {
    if (topology.kind() != ShapeKind::Rect) {
        return drawCell(topology, random);
    }
    while (true) {
        const std::int64_t x = windowCoordinate(random, topology.width());
        const std::int64_t y = windowCoordinate(random, topology.height());
        if (const CellId cell = topology.cellAt({x, y}); cell != kNoCell) {
            return cell;
        }
    }
}

// The places of a cell's neighbours in the order their weights are drawn:
// the topology's own, but on squares the window's up, right, down, left
// rather than the search order right, up, left, down.
void weighOrder(const Topology& topology, CellId cell, const NeighbourArray& list, int count,
                std::array<int, kMaxNeighbours>& order) {
    for (int place = 0; place < count; ++place) {
        order[static_cast<std::size_t>(place)] = place;
    }
    if (topology.kind() != ShapeKind::Rect) {
        return;
    }
    const auto width = static_cast<CellId>(topology.width());
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

template <typename Observer>
void growTree(ShapeMaze& maze, CellId root, SeededRandom& random, Observer& observer) {
    const Topology& topology = maze.topology();
    NeighbourArray list{};
    std::array<int, kMaxNeighbours> order{};
    CellId cell = root;
    maze.setScratch(cell, kRoot);
    observer.mark(cell, CellRole::Stack);
    observer.current(cell);
    int count = topology.neighbours(cell, list);
    while (true) {
        int best = -1;
        int highest = 0;
        weighOrder(topology, cell, list, count, order);
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
            const CellId next = neighbourAt(list, best);
            maze.setOpen(cell, next, true);
            count = topology.neighbours(next, list);
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
        cell = list[mark - 1u];
        observer.current(cell);
        count = topology.neighbours(cell, list);
    }
}

template <typename Observer>
void carve(ShapeMaze& maze, SeededRandom& random, Observer& observer) {
    const CellId start = drawStart(maze.topology(), random);
    growTree(maze, start, random, observer);
    for (CellId island = nextUntouched(maze, 0); island < maze.topology().slotCount();
         island = nextUntouched(maze, island)) {
        growTree(maze, island, random, observer);
    }
    maze.clearScratch();
}

}  // namespace

void carveShapeDepthFirst(ShapeMaze& maze, SeededRandom& random) {
    NoCarveObserver none;
    carve(maze, random, none);
}

void carveShapeDepthFirst(ShapeMaze& maze, SeededRandom& random, CarveObserver& observer) {
    carve(maze, random, observer);
}

}  // namespace nitka
