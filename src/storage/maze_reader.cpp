#include "storage/maze_reader.h"

#include <cassert>
#include <limits>

#include "storage/file_error.h"

namespace nitka {
namespace {

constexpr int kEndOfFileMark = 26;  // Ctrl+Z

bool isBlank(int c) {
    return c >= 0 && c <= ' ';
}

int digitValue(int c, int base) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (base == 16 && c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (base == 16 && c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

[[noreturn]] void invalidNumber() {
    throw FileError(file_error_code::kInvalidNumber);
}

}  // namespace

int MazeReader::peek() {
    if (m_ended) {
        return -1;
    }
    const auto c = m_in.sgetc();
    if (c == std::streambuf::traits_type::eof() || c == kEndOfFileMark) {
        m_ended = true;
        return -1;
    }
    return c;  // already 0 .. 255
}

std::int32_t MazeReader::readInteger() {
    int c = peek();
    while (isBlank(c)) {
        advance();
        c = peek();
    }
    if (c < 0) {
        return 0;
    }

    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        advance();
        c = peek();
    }
    int base = 10;
    bool anyDigit = false;
    if (c == '$' || c == 'x' || c == 'X') {
        base = 16;
        advance();
    } else if (c == '0') {
        advance();
        c = peek();
        if (c == 'x' || c == 'X') {
            base = 16;
            advance();
        } else {
            anyDigit = true;
        }
    }

    // The magnitude is checked digit by digit, so a long run of leading zeros
    // is fine and an overlong number fails before it can overflow.
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 31 : std::uint64_t{std::numeric_limits<std::int32_t>::max()};
    std::uint64_t magnitude = 0;
    for (c = peek(); c >= 0 && !isBlank(c); c = peek()) {
        const int digit = digitValue(c, base);
        if (digit < 0) {
            invalidNumber();
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            invalidNumber();
        }
        anyDigit = true;
        advance();
    }
    if (!anyDigit) {
        invalidNumber();
    }
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

void MazeReader::skipLine() {
    for (int c = peek(); c >= 0; c = peek()) {
        advance();
        if (c == '\n') {
            return;
        }
    }
}

MazeSize readMazeHeader(MazeReader& reader) {
    MazeSize size;
    size.width = reader.readInteger();
    size.height = reader.readInteger();
    reader.skipLine();
    return size;
}

Maze readMazeCells(MazeReader& reader, int width, int height) {
    assert(width >= 1 && width <= kMaxMazeSide && height >= 1 && height <= kMaxMazeSide);
    Maze walls(width + 1, height + 1);
    for (int y = 0; y <= height; ++y) {
        for (int x = 0; x <= width; ++x) {
            WallPair& pair = walls[x][y];
            if (x == width || y == height) {
                pair.Left = 1;
                pair.Top = 1;
                continue;
            }
            // Only the low byte of a flag is kept: 256 reads as 0, -1 as 255.
            pair.Top = static_cast<std::uint8_t>(reader.readInteger());
            pair.Left = static_cast<std::uint8_t>(reader.readInteger());
            reader.skipLine();
        }
    }
    return walls;
}

}  // namespace nitka
