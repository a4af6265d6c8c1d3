#include "shape/shape_parts.h"

#include <array>
#include <deque>

#include "shape/layout.h"

namespace nitka {

namespace {

template <typename Layout>
ShapeParts findPartsOf(const Layout& topology, std::size_t listed) {
    const CellId places = topology.slotCount();
    std::vector<std::uint64_t> seen((places + 63) / 64, 0);
    const auto visit = [&](CellId cell) {
        const std::uint64_t bit = std::uint64_t{1} << (cell & 63);
        const bool fresh = (seen[cell >> 6] & bit) == 0;
        seen[cell >> 6] |= bit;
        return fresh;
    };
    ShapeParts parts;
    // Breadth first, so that the frontier stays a band across the layout
    // rather than a path through all of it.
    std::deque<CellId> frontier;
    std::array<CellId, kMaxNeighbours> near{};
    for (CellId first = 0; first < places; ++first) {
        if (!topology.isCell(first) || !visit(first)) {
            continue;
        }
        ++parts.count;
        if (parts.firsts.size() < listed) {
            parts.firsts.push_back(first);
        }
        frontier.push_back(first);
        while (!frontier.empty()) {
            const CellId cell = frontier.front();
            frontier.pop_front();
            const int count = topology.neighbours(cell, near);
            for (int i = 0; i < count; ++i) {
                if (visit(near[static_cast<std::size_t>(i)])) {
                    frontier.push_back(near[static_cast<std::size_t>(i)]);
                }
            }
        }
    }
    return parts;
}

}  // namespace

ShapeParts findParts(const Topology& topology, std::size_t listed) {
    // Searching a hole-free layout of millions of cells cost a quarter of
    // generating its maze.
    const bool holeFree = topology.cellCount() == topology.slotCount();
    const bool triangleColumn = topology.kind() == ShapeKind::Triangle && topology.width() == 1;
    if (holeFree && !triangleColumn) {
        ShapeParts whole{1, {}};
        if (listed > 0) {
            whole.firsts.push_back(0);
        }
        return whole;
    }
    return searchParts(topology, listed);
}

ShapeParts searchParts(const Topology& topology, std::size_t listed) {
    return visitLayout(topology, [&](const auto& layout) { return findPartsOf(layout, listed); });
}

}  // namespace nitka
