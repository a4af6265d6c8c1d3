#include "storage/grid_reader.h"

#include <cstdint>

namespace nitka {

void readGridCells(MazeReader& reader, WallGrid& grid) {
    const std::size_t cells = grid.cellCount();
    for (std::size_t cell = 0; cell < cells; ++cell) {
        // As in the window: 256 reads as 0, -1 as 255, and so as Other.
        grid.setTop(cell, flagOf(static_cast<std::uint8_t>(reader.readInteger())));
        grid.setLeft(cell, flagOf(static_cast<std::uint8_t>(reader.readInteger())));
        reader.skipLine();
    }
}

}  // namespace nitka
