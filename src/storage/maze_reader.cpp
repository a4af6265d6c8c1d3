#include "storage/maze_reader.h"

#include <array>
#include <cassert>
#include <limits>
#include <string_view>
#include <utility>

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

}  // namespace

// The characters of the stream, read straight from its get area where it has
// one: a call of the stream's own per character costs more than the rest of
// the reading. What is read is handed back to the stream at the end of every
// public call, also when it throws, and before anything else asks the stream.
class MazeReader::Cursor {
public:
    explicit Cursor(MazeReader& reader) : m_in(reader.m_in), m_ended(reader.m_ended) { load(); }
    ~Cursor() { store(); }
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    // The next character, or -1 at the end; Ctrl+Z ends the file for good.
    int peek() {
        if (m_next == m_end) {
            return peekStream();
        }
        const auto c = static_cast<unsigned char>(*m_next);
        if (c == kEndOfFileMark) {
            end();
            return -1;
        }
        return c;
    }

    // The characters that can be read without asking the stream.
    std::string_view buffered() const { return {m_next, static_cast<std::size_t>(m_end - m_next)}; }
    // Requires: count <= buffered().size().
    void skip(std::size_t count) { m_next += count; }

    // Requires: peek() gave a character.
    void advance() {
        if (m_next != m_end) {
            ++m_next;
            return;
        }
        // A stream that keeps no get area hands out characters one call at a time.
        store();
        m_in.sbumpc();
        load();
    }

private:
    // std::streambuf keeps its get area protected; a pointer to a protected
    // member may still be formed in a class derived from it, and then used on
    // any stream.
    struct GetArea : std::streambuf {
        static char* begin(std::streambuf& in) { return (in.*&GetArea::eback)(); }
        static char* next(std::streambuf& in) { return (in.*&GetArea::gptr)(); }
        static char* end(std::streambuf& in) { return (in.*&GetArea::egptr)(); }
        static void set(std::streambuf& in, char* begin, char* next, char* end) {
            (in.*&GetArea::setg)(begin, next, end);
        }
    };

    // Once ended, the view is empty, so that every peek asks peekStream.
    void load() {
        m_next = GetArea::next(m_in);
        m_end = m_ended ? m_next : GetArea::end(m_in);
    }
    void store() {
        if (m_next != GetArea::next(m_in)) {
            GetArea::set(m_in, GetArea::begin(m_in), m_next, GetArea::end(m_in));
        }
    }
    void end() {
        m_ended = true;
        m_end = m_next;
    }

    int peekStream() {
        if (m_ended) {
            return -1;
        }
        store();
        const auto c = m_in.sgetc();
        load();
        if (c == std::streambuf::traits_type::eof() || c == kEndOfFileMark) {
            end();
            return -1;
        }
        return c;  // already 0 .. 255
    }

    std::streambuf& m_in;
    bool& m_ended;
    char* m_next = nullptr;
    char* m_end = nullptr;
};

// The first characters of a token, without allocating on the way.
class MazeReader::TokenText {
public:
    void add(int c) {
        if (!full()) {
            m_text[m_size++] = static_cast<char>(c);
        }
    }
    bool full() const { return m_size == m_text.size(); }
    std::string text() const { return {m_text.data(), m_size}; }

private:
    std::array<char, InvalidNumberError::kMaxTokenShown> m_text{};
    std::size_t m_size = 0;
};

std::int32_t MazeReader::readInteger() {
    Cursor in(*this);
    return readInteger(in);
}

void MazeReader::skipLine() {
    Cursor in(*this);
    skipLine(in);
}

std::int32_t MazeReader::readInteger(Cursor& in) {
    int c = in.peek();
    while (isBlank(c)) {
        m_line += c == '\n' ? 1 : 0;
        in.advance();
        c = in.peek();
    }
    if (c < 0) {
        m_missedNumber = true;
        return 0;
    }

    // The token as read so far, kept for a message only.
    TokenText token;
    const auto take = [&] {
        token.add(c);
        in.advance();
        c = in.peek();
    };
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        take();
    }
    int base = 10;
    bool anyDigit = false;
    if (c == '$' || c == 'x' || c == 'X') {
        base = 16;
        take();
    } else if (c == '0') {
        take();
        if (c == 'x' || c == 'X') {
            base = 16;
            take();
        } else {
            anyDigit = true;
        }
    }

    // The magnitude is checked digit by digit, so a long run of leading zeros
    // is fine and an overlong number fails before it can overflow.
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 31 : std::uint64_t{std::numeric_limits<std::int32_t>::max()};
    std::uint64_t magnitude = 0;
    while (c >= 0 && !isBlank(c)) {
        const int digit = digitValue(c, base);
        if (digit < 0) {
            invalidNumber(in, token);
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            invalidNumber(in, token);
        }
        anyDigit = true;
        take();
    }
    if (!anyDigit) {
        invalidNumber(in, token);
    }
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

void MazeReader::invalidNumber(Cursor& in, TokenText& token) {
    // The rest of the token, as far as a message shows it.
    for (int c = in.peek(); c >= 0 && !isBlank(c) && !token.full(); c = in.peek()) {
        token.add(c);
        in.advance();
    }
    throw InvalidNumberError(m_line, token.text());
}

void MazeReader::skipLine(Cursor& in) {
    for (int c = in.peek(); c >= 0; c = in.peek()) {
        in.advance();
        if (c == '\n') {
            ++m_line;
            return;
        }
    }
}

std::size_t MazeReader::readCellLines(std::span<CellLine> lines) {
    Cursor in(*this);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t whole = m_missedNumber ? 0 : lines.size();
    // The quick way's lines are counted in a local and added to m_line before
    // the lenient way, which counts on and names the line in its errors: a
    // member's count kept in memory costs the quick loop a sixth of its time.
    std::uint64_t quickLines = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        CellLine& cell = lines[i];
        // The line as the maze file is written, "t  l" and CR LF with one digit
        // each, reads the same by a look at its six characters. Anything else
        // takes the lenient way.
        const std::string_view line = in.buffered().substr(0, 6);
        if (line.size() == 6 && digit(line[0]) && line[1] == ' ' && line[2] == ' ' &&
            digit(line[3]) && line[4] == '\r' && line[5] == '\n') {
            in.skip(6);
            ++quickLines;
            cell = {line[0] - '0', line[3] - '0'};
            continue;
        }
        m_line += std::exchange(quickLines, 0);
        cell.top = readInteger(in);
        cell.left = readInteger(in);
        skipLine(in);
        if (m_missedNumber && whole == lines.size()) {
            whole = i;
        }
    }
    m_line += quickLines;
    return whole;
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
    // A row of lines at a time: the reader's setup for each call costs more
    // than a line written the usual way.
    std::array<MazeReader::CellLine, kMaxMazeSide> row;
    const std::span<MazeReader::CellLine> cells(row.data(), static_cast<std::size_t>(width));
    for (int y = 0; y <= height; ++y) {
        if (y < height) {
            reader.readCellLines(cells);
        }
        for (int x = 0; x <= width; ++x) {
            WallPair& pair = walls[x][y];
            if (x == width || y == height) {
                pair.Left = 1;
                pair.Top = 1;
                continue;
            }
            // Only the low byte of a flag is kept: 256 reads as 0, -1 as 255.
            pair.Top = static_cast<std::uint8_t>(cells[x].top);
            pair.Left = static_cast<std::uint8_t>(cells[x].left);
        }
    }
    return walls;
}

}  // namespace nitka
