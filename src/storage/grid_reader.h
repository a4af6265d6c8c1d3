#pragma once

#include <cstdint>
#include <vector>

#include "grid/wall_grid.h"
#include "storage/maze_reader.h"

namespace nitka {

// Reads one line per cell into grid, row by row from the top, after
// readMazeHeader has read the size: top flag, left flag, the rest of the line
// skipped, under all of the reader's rules. A flag keeps the class of its
// number's low eight bits. Holds nothing but the grid, so a file of any size
// streams in; lines after the last cell are not read. Returns how many cells
// were read whole, both flags present, before the file ended (a Ctrl+Z ends
// it too): grid.cellCount() for a whole file. The cells after those read as
// the window reads them, a missing flag as 0.
// Requires: grid of the size the header gave.
std::uint64_t readGridCells(MazeReader& reader, WallGrid& grid);

// The cells of a grid from a stream whose length is not known beforehand,
// read as readGridCells reads them but held in pieces that are added as the
// cells arrive: a header that promises more than comes costs no more memory
// than what came. Reading stops at the first cell the end of the stream cuts,
// or once mostHeld cells are held, so that a stream that goes on and on
// cannot take more memory than the caller allows.
class StreamedCells {
public:
    // Requires: width, height >= 1, the sizes the header gave.
    StreamedCells(MazeReader& reader, int width, int height, std::uint64_t mostHeld = UINT64_MAX);

    // Cells read whole before the stream ended or mostHeld was reached: all
    // of them for a whole maze.
    std::uint64_t whole() const { return m_whole; }
    // Whether the stream ended before its last cell.
    bool cutShort() const { return m_cutShort; }

    // The grid of the cells, the pieces given up one by one as they are
    // copied. Requires: whole() is the grid's cell count.
    WallGrid takeGrid() &&;

private:
    int m_width;
    int m_height;
    std::uint64_t m_whole = 0;
    bool m_cutShort = false;
    std::vector<std::vector<std::uint8_t>> m_pieces;
};

// The most cells the body of a maze file, the bytes after its header line,
// can hold whole under the reader's rules. Each cell is a top flag, a blank,
// a left flag and the line feed that ends its line (readCellLines skips the
// rest of a cell's line, so no two cells share one): a flag is at least one
// character (a digit; a sign, "$" or "x" alone is no number), and nothing
// shorter separates two numbers, so a cell takes at least four bytes, the
// last three, as the end of the file may stand for its line feed.
constexpr std::uint64_t mostCellsIn(std::uint64_t bodyBytes) {
    return (bodyBytes + 1) / 4;
}

}  // namespace nitka
