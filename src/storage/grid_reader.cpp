#include "storage/grid_reader.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <span>

namespace nitka {
namespace {

// flagOf's class of a flag's low eight bits (256 reads as 0, -1 as 255, as
// in the window), without a branch: which flag is a wall is a coin toss.
unsigned flagBits(std::int32_t value) {
    const unsigned bits = std::min(static_cast<std::uint8_t>(value) + 0u, 2u);
    assert(static_cast<Flag>(bits) == flagOf(static_cast<std::uint8_t>(value)));
    return bits;
}

}  // namespace

std::uint64_t readGridCells(MazeReader& reader, WallGrid& grid) {
    // Lines a batch at a time, so the reader keeps its place in the stream's
    // buffer; whole bytes at once, because the setters' reads of the byte they
    // change cost more than the reading of the line.
    std::uint8_t* const cells = grid.data();
    const std::size_t count = grid.cellCount();
    std::array<MazeReader::CellLine, 4096> lines;
    std::uint64_t whole = count;
    for (std::size_t first = 0; first < count; first += lines.size()) {
        const std::span<MazeReader::CellLine> batch(lines.data(),
                                                    std::min(lines.size(), count - first));
        if (const std::size_t read = reader.readCellLines(batch);
            read < batch.size() && whole == count) {
            whole = first + read;
        }
        for (std::size_t i = 0; i < batch.size(); ++i) {
            cells[first + i] =
                static_cast<std::uint8_t>(flagBits(batch[i].top) | flagBits(batch[i].left) << 2);
        }
    }
    return whole;
}

}  // namespace nitka
