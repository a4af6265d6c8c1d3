#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "carve/wide_draw.h"
#include "model/seeded_random.h"
#include "shape/shape_maze.h"
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

// The same over a ShapeMaze, for the carvers not yet over a concrete layout.
inline CellId nextUntouched(const ShapeMaze& maze, CellId from) {
    const Topology& topology = maze.topology();
    while (from < topology.slotCount() && (!topology.isCell(from) || maze.scratch(from) != 0)) {
        ++from;
    }
    return from;
}

}  // namespace nitka
