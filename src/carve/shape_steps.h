#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "carve/wide_draw.h"
#include "model/seeded_random.h"
#include "shape/layout.h"
#include "shape/topology.h"

namespace nitka {

// A cell's neighbours, as Topology::neighbours writes them.
using NeighbourArray = std::array<CellId, kMaxNeighbours>;

inline CellId neighbourAt(const NeighbourArray& list, int place) {
    return list[static_cast<std::size_t>(place)];
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
template <typename Accept>
NeighbourChoice placesWhere(const NeighbourArray& list, int count, Accept&& accept) {
    NeighbourChoice choice;
    for (int place = 0; place < count; ++place) {
        if (accept(neighbourAt(list, place))) {
            choice.add(place);
        }
    }
    return choice;
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

// The place of a random neighbour, each equally likely: the move of a simple
// random walk. The rectangle draws one of four steps (right, up, left, down,
// the order neighbours lists them) and draws again after a step off the
// grid: as uniform, and the draws its mazes were made with.
// Requires: count >= 1, list holds cell's count neighbours.
template <typename L>
int randomWalkPlace(const L& layout, CellId cell, int count, SeededRandom& random) {
    if constexpr (kGridLayout<L>) {
        const CellPosition at = layout.position(cell);
        const std::array<bool, 4> inside{at.x + 1 < layout.width(), at.y > 0, at.x > 0,
                                         at.y + 1 < layout.height()};
        while (true) {
            const int step = random.Random(4);
            if (inside[static_cast<std::size_t>(step)]) {
                int place = 0;
                for (int before = 0; before < step; ++before) {
                    place += inside[static_cast<std::size_t>(before)] ? 1 : 0;
                }
                return place;
            }
        }
    } else {
        static_cast<void>(layout);
        static_cast<void>(cell);
        return randomPlace(count, random);
    }
}

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
