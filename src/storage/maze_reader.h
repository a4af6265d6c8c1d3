#pragma once

#include <cstdint>
#include <span>
#include <streambuf>

#include <string>

#include "model/maze_walls.h"
#include "storage/file_error.h"

namespace nitka {

// A token that is no 32-bit integer: FileError 106 for the window, which shows
// only that, with where it stood and what it read for the command-line tool.
class InvalidNumberError : public FileError {
public:
    InvalidNumberError(std::uint64_t line, std::string token)
        : FileError(file_error_code::kInvalidNumber), m_line(line), m_token(std::move(token)) {}
    // Counted from 1, by line feeds.
    std::uint64_t line() const { return m_line; }
    // As read, at most kMaxTokenShown characters of it.
    const std::string& token() const { return m_token; }

    static constexpr std::size_t kMaxTokenShown = 40;

private:
    std::uint64_t m_line;
    std::string m_token;
};

// Reads the maze file's numbers leniently from a stream, one character at a
// time, holding nothing but the number being read: a line of any length costs
// no memory. Throws InvalidNumberError for a token that is no 32-bit integer,
// and lets the stream's own errors through. Between calls the stream stands just
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
    // rest of the line, as readInteger twice and skipLine read them. Returns how
    // many came before the first that the end of the file cut short (a number
    // missing, as readInteger's 0 at the end stands for); lines.size() when
    // none was.
    std::size_t readCellLines(std::span<CellLine> lines);
    CellLine readCellLine() {
        CellLine line;
        readCellLines({&line, 1});
        return line;
    }

    // Whether some readInteger so far met the end of the file before a number.
    bool missedNumber() const { return m_missedNumber; }

private:
    class Cursor;
    class TokenText;
    std::int32_t readInteger(Cursor& in);
    void skipLine(Cursor& in);
    [[noreturn]] void invalidNumber(Cursor& in, TokenText& token);

    std::streambuf& m_in;
    bool m_ended = false;
    bool m_missedNumber = false;
    std::uint64_t m_line = 1;
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
