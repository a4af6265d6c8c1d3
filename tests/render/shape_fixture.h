#pragma once

#include <array>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "shape/cell_mask.h"
#include "shape/polar_topology.h"
#include "shape/rect_topology.h"
#include "shape/shape_maze.h"

namespace nitka::testing {

// A mask from a picture, '#' for a hole.
inline CellMask maskFromPicture(const std::vector<std::string>& rows) {
    CellMask mask(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            mask.set(y * rows[0].size() + x, rows[y][x] != '#');
        }
    }
    return mask;
}

// A spanning tree over each connected part of the topology, carved by a
// seeded walk, and the route mark (scratch 1) on every third cell.
inline ShapeMaze carvedMaze(std::shared_ptr<const Topology> topology, unsigned seed) {
    ShapeMaze maze(std::move(topology));
    const Topology& shape = maze.topology();
    std::mt19937 random(seed);
    std::vector<bool> seen(shape.slotCount(), false);
    std::array<CellId, kMaxNeighbours> around{};
    for (CellId root = 0; root < shape.slotCount(); ++root) {
        if (!shape.isCell(root) || seen[root]) {
            continue;
        }
        std::vector<CellId> stack{root};
        seen[root] = true;
        while (!stack.empty()) {
            const CellId cell = stack.back();
            std::vector<CellId> fresh;
            const int count = shape.neighbours(cell, NeighbourList(around));
            for (int k = 0; k < count; ++k) {
                if (!seen[around[static_cast<std::size_t>(k)]]) {
                    fresh.push_back(around[static_cast<std::size_t>(k)]);
                }
            }
            if (fresh.empty()) {
                stack.pop_back();
                continue;
            }
            const CellId next = fresh[random() % fresh.size()];
            maze.setOpen(cell, next, true);
            seen[next] = true;
            stack.push_back(next);
        }
    }
    for (CellId cell = 0; cell < shape.slotCount(); cell += 3) {
        if (shape.isCell(cell)) {
            maze.setScratch(cell, 1);
        }
    }
    return maze;
}

// A 6 x 4 maze with two holes, one on its edge and one inside.
inline ShapeMaze maskedRectMaze(unsigned seed) {
    return carvedMaze(std::make_shared<RectTopology>(maskFromPicture({
                          "......",
                          "..#...",
                          "......",
                          "#.....",
                      })),
                      seed);
}

// A round maze: its arcs, and a ring split outward.
inline ShapeMaze ringMaze(unsigned seed) {
    return carvedMaze(std::make_shared<PolarTopology>(2), seed);
}

}  // namespace nitka::testing
