#include "carve/carver_instances.h"

#include <cstddef>

namespace nitka {

// Each run is a corridor joined to the row above exactly once, and the top row
// is one corridor: every run hangs from the tree above it without a loop.
template <CarveListener Observer>
void carveSidewinder(WallGrid& grid, SeededRandom& random, Observer&& observer) {
    const int width = grid.width();
    for (int x = 1; x < width; ++x) {
        grid.setLeft(static_cast<std::size_t>(x), Flag::Open);
        observer.current(static_cast<CellId>(x));
        observer.opened(static_cast<CellId>(x) - 1, static_cast<CellId>(x));
    }
    for (int y = 1; y < grid.height(); ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        int runStart = 0;
        for (int x = 0; x < width; ++x) {
            const std::size_t cell = row + static_cast<std::size_t>(x);
            observer.current(cell);
            observer.mark(cell, CellRole::Frontier);
            if (x + 1 == width || random.Random(2) == 0) {
                const int up = runStart + random.Random(x - runStart + 1);
                const std::size_t exit = row + static_cast<std::size_t>(up);
                grid.setTop(exit, Flag::Open);
                observer.opened(exit - static_cast<std::size_t>(width), exit);
                for (int done = runStart; done <= x; ++done) {
                    observer.mark(row + static_cast<std::size_t>(done), CellRole::Done);
                }
                runStart = x + 1;
            } else {
                grid.setLeft(cell + 1, Flag::Open);
                observer.opened(cell, cell + 1);
            }
        }
    }
}

NITKA_GRID_CARVER(carveSidewinder);

}  // namespace nitka
