#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// The cell at a row-by-row index of the grid.
inline GridCell cellAt(const WallGrid& grid, std::uint64_t index) {
    const auto width = static_cast<std::uint64_t>(grid.width());
    return {static_cast<int>(index % width), static_cast<int>(index / width)};
}

// Opens the inner wall a step from cell crosses, which the cell or its
// neighbour holds. Requires: the neighbour lies inside the grid.
inline void openWall(WallGrid& grid, GridCell cell, Step step) {
    assert(grid.contains(neighbour(cell, step)));
    switch (step) {
        case Step::Right:
            grid.setLeft(grid.index(neighbour(cell, step)), Flag::Open);
            break;
        case Step::Left:
            grid.setLeft(grid.index(cell), Flag::Open);
            break;
        case Step::Up:
            grid.setTop(grid.index(cell), Flag::Open);
            break;
        case Step::Down:
            grid.setTop(grid.index(neighbour(cell, step)), Flag::Open);
            break;
    }
}

// Up to four steps gathered to draw one from.
class StepChoice {
public:
    void add(Step step) { m_steps[m_count++] = step; }
    bool empty() const { return m_count == 0; }
    // Requires: !empty().
    Step draw(SeededRandom& random) const {
        return m_count == 1 ? m_steps[0]
                            : m_steps[static_cast<std::size_t>(random.Random(m_count))];
    }

private:
    std::array<Step, 4> m_steps{};
    int m_count = 0;
};

// The steps from cell that stay inside the grid and whose neighbour passes
// the test, in the order Right, Up, Left, Down.
template <typename Accept>
StepChoice stepsWhere(const WallGrid& grid, GridCell cell, Accept&& accept) {
    StepChoice choice;
    for (int s = 0; s < 4; ++s) {
        const auto step = static_cast<Step>(s);
        const GridCell next = neighbour(cell, step);
        if (grid.contains(next) && accept(next)) {
            choice.add(step);
        }
    }
    return choice;
}

// A step to one of the cell's neighbours, each equally likely: the move of a
// simple random walk. Drawing again after a step out of the grid is uniform
// over the steps that stay in, and cheaper than listing them on every border.
// Requires: the grid has more than one cell.
inline Step randomStep(const WallGrid& grid, GridCell cell, SeededRandom& random) {
    while (true) {
        const auto step = static_cast<Step>(random.Random(4));
        if (grid.contains(neighbour(cell, step))) {
            return step;
        }
    }
}

}  // namespace nitka
