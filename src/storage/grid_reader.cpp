#include "storage/grid_reader.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <span>

namespace nitka {
namespace {

// Cells a piece of a streamed grid holds: a few of the reader's batches, and
// small beside any grid big enough for the pieces to matter.
constexpr std::size_t kPieceCells = std::size_t{1} << 20;

// flagOf's class of a flag's low eight bits (256 reads as 0, -1 as 255, as
// in the window), without a branch: which flag is a wall is a coin toss.
unsigned flagBits(std::int32_t value) {
    const unsigned bits = std::min(static_cast<std::uint8_t>(value) + 0u, 2u);
    assert(static_cast<Flag>(bits) == flagOf(static_cast<std::uint8_t>(value)));
    return bits;
}

// readGridCells on the bytes of cells, however they are held.
std::uint64_t readCellBytes(MazeReader& reader, std::span<std::uint8_t> cells) {
    // Lines a batch at a time, so the reader keeps its place in the stream's
    // buffer; whole bytes at once, because the setters' reads of the byte they
    // change cost more than the reading of the line.
    const std::size_t count = cells.size();
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

}  // namespace

std::uint64_t readGridCells(MazeReader& reader, WallGrid& grid) {
    return readCellBytes(reader, {grid.data(), static_cast<std::size_t>(grid.cellCount())});
}

StreamedCells::StreamedCells(MazeReader& reader, int width, int height, std::uint64_t mostHeld)
    : m_width(width), m_height(height) {
    const std::uint64_t count =
        std::min(static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height), mostHeld);
    while (m_whole < count) {
        std::vector<std::uint8_t>& piece = m_pieces.emplace_back(
            static_cast<std::size_t>(std::min<std::uint64_t>(kPieceCells, count - m_whole)));
        const std::uint64_t read = readCellBytes(reader, piece);
        m_whole += read;
        if (read < piece.size()) {
            m_cutShort = true;
            return;
        }
    }
}

WallGrid StreamedCells::takeGrid() && {
    WallGrid grid(m_width, m_height);
    assert(m_whole == grid.cellCount());
    std::uint8_t* at = grid.data();
    for (std::vector<std::uint8_t>& piece : m_pieces) {
        std::memcpy(at, piece.data(), piece.size());
        at += piece.size();
        std::vector<std::uint8_t>().swap(piece);
    }
    return grid;
}

}  // namespace nitka
