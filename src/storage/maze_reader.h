#pragma once

#include <cstdint>
#include <span>
#include <streambuf>

#include "model/maze_state.h"

namespace nitka {

// Reads the maze file's numbers leniently from a stream, one character at a
// time, holding nothing but the number being read: a line of any length costs
// no memory. Throws FileError(106) for a token that is no 32-bit integer, and
// lets the stream's own errors through. Between calls the stream stands just
// after what was read, so it may be used directly too.
class MazeReader {
public:
    explicit MazeReader(std::streambuf& in) : m_in(in) {}
    MazeReader(const MazeReader&) = delete;
    MazeReader& operator=(const MazeReader&) = delete;

    // Skips white space (codes 0 to 32), then reads a decimal integer with an
    // optional sign, or a hexadecimal one after "$", "x", "X", "0x" or "0X".
    // Returns 0 when the file ends first. Leaves the character after the
    // number unread.
    std::int32_t readInteger();

    // Skips up to and including the next line feed; does nothing at the end.
    void skipLine();

    struct CellLine {
        std::int32_t top = 0;
        std::int32_t left = 0;
    };
    // Cell lines, as many as lines holds: each the top and left flags, then the
    // rest of the line, as readInteger twice and skipLine read them.
    void readCellLines(std::span<CellLine> lines);
    CellLine readCellLine() {
        CellLine line;
        readCellLines({&line, 1});
        return line;
    }

private:
    class Cursor;
    static std::int32_t readInteger(Cursor& in);
    static void skipLine(Cursor& in);

    std::streambuf& m_in;
    bool m_ended = false;
};

struct MazeSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Reads the header line: width and height, then the rest of the line.
MazeSize readMazeHeader(MazeReader& reader);

// Reads one line per cell, row by row, into a wall array of (width + 1) x
// (height + 1) elements whose right column and bottom row are all walls.
// A flag keeps the low eight bits of its number. Lines after the last cell
// are not read.
// Requires: 1 <= width, height <= 100.
Maze readMazeCells(MazeReader& reader, int width, int height);

}  // namespace nitka
