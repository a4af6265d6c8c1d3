#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "carve/wide_draw.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "shape/layout.h"
#include "shape/topology.h"

namespace nitka {

// A cell's neighbours, as Topology::neighbours writes them.
using NeighbourArray = std::array<CellId, kMaxNeighbours>;

inline CellId neighbourAt(const NeighbourArray& list, int place) {
    return list[static_cast<std::size_t>(place)];
}
inline CellId neighbourAt(const LinkArray& links, int place) {
    return links[static_cast<std::size_t>(place)].next;
}

// Places in a cell's neighbour list gathered to draw one from. A single
// choice draws nothing, as the rectangle's carvers do.
class NeighbourChoice {
public:
    void add(int place) { m_places[static_cast<std::size_t>(m_count++)] = place; }
    bool empty() const { return m_count == 0; }
    // Requires: !empty().
    int draw(SeededRandom& random) const {
        return m_count == 1 ? m_places[0]
                            : m_places[static_cast<std::size_t>(random.Random(m_count))];
    }

private:
    std::array<int, kMaxNeighbours> m_places{};
    int m_count = 0;
};

// The places of the neighbours that pass the test, in the topology's order.
template <typename List, typename Accept>
NeighbourChoice placesWhere(const List& list, int count, Accept&& accept) {
    NeighbourChoice choice;
    for (int place = 0; place < count; ++place) {
        if (accept(neighbourAt(list, place))) {
            choice.add(place);
        }
    }
    return choice;
}

// Opens the side to one of choice's neighbours in list, drawn at random,
// tells the observer and returns that neighbour. Requires: !choice.empty().
template <typename View, typename Observer>
CellId openDrawn(const View& maze, CellId cell, const LinkArray& list,
                 const NeighbourChoice& choice, SeededRandom& random, Observer& observer) {
    const Link& link = list[static_cast<std::size_t>(choice.draw(random))];
    maze.setOpen(link.side, true);
    observer.opened(cell, link.next);
    return link.next;
}

// A place in a list of count neighbours, each equally likely: the move of a
// simple random walk. Requires: count >= 1.
inline int randomPlace(int count, SeededRandom& random) {
    return count == 1 ? 0 : random.Random(count);
}

// The window's rectangle: a layout whose cells all hold together, and whose
// carvers drew their steps in their own way before every layout shared them.
template <typename L>
inline constexpr bool kGridLayout = std::is_same_v<L, GridLayout>;

// A simple random walk: each move to a neighbour, each equally likely. A
// move is a number below kMaxNeighbours that moveFrom turns back into the
// neighbour, so a walk can leave its moves in the scratch.
template <typename L>
class RandomWalk {
public:
    RandomWalk(const L& layout, CellId start) : m_layout(&layout), m_cell(start) {}
    CellId cell() const { return m_cell; }
    // Requires: the cell has a neighbour.
    int step(SeededRandom& random) {
        const int place = randomPlace(m_layout->neighbours(m_cell, m_list), random);
        m_cell = neighbourAt(m_list, place);
        return place;
    }
    static CellId moveFrom(const L& layout, CellId cell, int move) {
        NeighbourArray list{};
        layout.neighbours(cell, list);
        return neighbourAt(list, move);
    }

private:
    const L* m_layout;
    CellId m_cell;
    NeighbourArray m_list{};
};

// The rectangle's walk draws one of four steps (right, up, left, down) and
// draws again after a step off the grid: as uniform, the draws its mazes were
// made with, and it keeps its column and row, where a neighbour list would
// divide at every step (twice the time of Wilson's walks).
template <>
class RandomWalk<GridLayout> {
public:
    RandomWalk(const GridLayout& layout, CellId start)
        : m_width(layout.width()), m_height(layout.height()), m_cell(start) {
        const CellPosition at = layout.position(start);
        m_x = static_cast<int>(at.x);
        m_y = static_cast<int>(at.y);
    }
    CellId cell() const { return m_cell; }
    int step(SeededRandom& random) {
        while (true) {
            const int move = random.Random(4);
            const int x = m_x + kStepDx[move];
            const int y = m_y + kStepDy[move];
            if (x >= 0 && y >= 0 && x < m_width && y < m_height) {
                m_x = x;
                m_y = y;
                m_cell = moveFrom(m_width, m_cell, move);
                return move;
            }
        }
    }
    static CellId moveFrom(const GridLayout& layout, CellId cell, int move) {
        return moveFrom(layout.width(), cell, move);
    }

private:
    // Without a branch: which way a random walk moves is a coin toss.
    static CellId moveFrom(int width, CellId cell, int move) {
        const auto row = static_cast<CellId>(width);
        const std::array<CellId, 4> offset{1, 0 - row, 0 - CellId{1}, row};
        return cell + offset[static_cast<std::size_t>(move)];
    }

    int m_width;
    int m_height;
    int m_x = 0;
    int m_y = 0;
    CellId m_cell;
};

// A cell, each equally likely: places are drawn until one is a cell, so a
// layout without holes takes exactly one draw below its cell count.
// Requires: layout.cellCount() > 0.
template <typename Layout>
CellId drawCell(const Layout& layout, SeededRandom& random) {
    while (true) {
        const CellId place = drawBelow(random, layout.slotCount());
        if (layout.isCell(place)) {
            return place;
        }
    }
}

// The first cell at or after from, in reading order, whose scratch is 0;
// layout.slotCount() when there is none. Carvers start a new tree there
// when the cells of a mask fall apart into islands.
template <typename View>
CellId nextUntouched(const View& maze, CellId from) {
    const auto& layout = maze.layout();
    while (from < layout.slotCount() && (!layout.isCell(from) || maze.scratch(from) != 0)) {
        ++from;
    }
    return from;
}

}  // namespace nitka
