#include "carve/sidewinder.h"

#include <cstddef>

namespace nitka {

// Each run is a corridor joined to the row above exactly once, and the top row
// is one corridor: every run hangs from the tree above it without a loop.
void carveSidewinder(WallGrid& grid, SeededRandom& random) {
    const int width = grid.width();
    for (int x = 1; x < width; ++x) {
        grid.setLeft(static_cast<std::size_t>(x), Flag::Open);
    }
    for (int y = 1; y < grid.height(); ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        int runStart = 0;
        for (int x = 0; x < width; ++x) {
            if (x + 1 == width || random.Random(2) == 0) {
                const int up = runStart + random.Random(x - runStart + 1);
                grid.setTop(row + static_cast<std::size_t>(up), Flag::Open);
                runStart = x + 1;
            } else {
                grid.setLeft(row + static_cast<std::size_t>(x) + 1, Flag::Open);
            }
        }
    }
}

}  // namespace nitka
