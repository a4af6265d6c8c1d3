#include "storage/maze_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "storage/storage_fixture.h"

namespace nitka {
namespace {

using namespace std::string_literals;

TEST(MazeReaderTokens, AcceptsEveryNumberForm) {
    const std::tuple<const char*, std::string, std::vector<std::int32_t>> cases[] = {
        {"signs", "42 +7 -7", {42, 7, -7}},
        {"hex prefixes", "$1F x10 X10 0x1f 0XFF", {31, 16, 16, 31, 255}},
        {"signed hex", "-$10 +0x10", {-16, 16}},
        {"decimal limits", "2147483647 -2147483648", {2147483647, -2147483647 - 1}},
        {"hex limits", "$7FFFFFFF -0x80000000", {2147483647, -2147483647 - 1}},
        {"codes 0 to 32 are blanks", "\0 1\x01\x1f\t\r\n\v\f2"s, {1, 2}},
        {"end before a number reads 0", "5", {5, 0, 0}},
        {"ctrl z ends the file", "12\x1a 3", {12, 0}},
    };
    for (const auto& [label, input, expected] : cases) {
        std::stringbuf buffer(input);
        MazeReader reader(buffer);
        for (const std::int32_t value : expected) {
            EXPECT_EQ(reader.readInteger(), value) << label;
        }
    }
}

TEST(MazeReaderTokens, RefusesWhatIsNoInt32) {
    const std::string cases[] = {"abc",        "12abc",       "-",         "$",
                                 "0x",         "$-1",         "1f",        "1.5",
                                 "2147483648", "-2147483649", "$80000000", "99999999999999999999",
                                 "\xC3\xA9"};
    for (const std::string& input : cases) {
        std::stringbuf buffer(input);
        MazeReader reader(buffer);
        EXPECT_EQ(testing::failure([&] { reader.readInteger(); }), "106 Invalid numeric input")
            << input;
    }
}

// Serves head, then a 64 MiB run of filler, then tail, 64 KiB at a time as a
// file would, never holding the long run.
class LongLineSource final : public std::streambuf {
public:
    LongLineSource(std::string head, char filler, std::string tail)
        : m_parts{std::move(head), std::string(1 << 16, filler), std::move(tail)} {}

protected:
    int_type underflow() override {
        if (m_served > kChunks + 1) {
            return traits_type::eof();
        }
        std::string& part = m_parts[m_served == 0 ? 0 : m_served <= kChunks ? 1 : 2];
        ++m_served;
        setg(part.data(), part.data(), part.data() + part.size());
        return traits_type::to_int_type(part.front());
    }

private:
    static constexpr int kChunks = 1024;
    std::string m_parts[3];
    int m_served = 0;
};

TEST(MazeReaderLines, StreamsAHugeLine) {
    LongLineSource junk("1 ", 'a', "\n5");
    MazeReader junkReader(junk);
    junkReader.readInteger();
    junkReader.skipLine();
    EXPECT_EQ(junkReader.readInteger(), 5);

    LongLineSource zeros("0", '0', "7");
    EXPECT_EQ(MazeReader(zeros).readInteger(), 7);
}

// The cells of a file row by row as "top,left;".
std::string readCells(const std::string& file) {
    std::stringbuf buffer(file);
    MazeReader reader(buffer);
    const MazeSize size = readMazeHeader(reader);
    const Maze walls = readMazeCells(reader, size.width, size.height);
    std::string cells;
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            cells += std::to_string(walls[x][y].Top) + "," + std::to_string(walls[x][y].Left) + ";";
        }
    }
    return cells;
}

TEST(MazeReaderFile, ReadsCellLinesLeniently) {
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"as saved", "2  2\r\n1  1\r\n1  0\r\n0  1\r\n0  0\r\n", "1,1;1,0;0,1;0,0;"},
        {"ends early", "2  2\r\n1  1\r\n0", "1,1;0,0;0,0;0,0;"},
        {"lines after the last cell", "2 1\n1 1\n1 0\nzz\n", "1,1;1,0;"},
        {"rest of line skipped", "2 1 junk\n1 1 9\n0 1 zz\n", "1,1;0,1;"},
        {"CR alone ends no line", "2 1\n1 1\r9\n0 1\n", "1,1;0,1;"},
        {"one number borrows the next line", "2 1\n1\n0 9 zz\n1 1\n", "1,0;1,1;"},
        {"low eight bits", "2 1\n256 -1\n$101 511\n", "0,255;1,255;"},
    };
    for (const auto& [label, file, cells] : cases) {
        EXPECT_EQ(readCells(file), cells) << label;
    }
}

// Serves a text one character at a time: through a one-character buffer, so
// that every number and every cell line straddles the end of the stream's
// buffer, or with no buffer at all.
class Trickle final : public std::streambuf {
public:
    Trickle(std::string text, bool buffered) : m_text(std::move(text)), m_buffered(buffered) {}

protected:
    int_type underflow() override {
        if (m_at == m_text.size()) {
            return traits_type::eof();
        }
        if (m_buffered) {
            char* const next = m_text.data() + m_at++;
            setg(next, next, next + 1);
        }
        return traits_type::to_int_type(m_text[m_buffered ? m_at - 1 : m_at]);
    }
    int_type uflow() override {
        if (m_buffered) {
            return std::streambuf::uflow();
        }
        const int_type c = underflow();
        m_at += c == traits_type::eof() ? 0 : 1;
        return c;
    }

private:
    std::string m_text;
    bool m_buffered;
    std::size_t m_at = 0;
};

// Cell lines ("t,l;"), then a number and the rest of its line, then the
// character the stream stands on: what any kind of stream must give alike.
std::string readRecord(std::streambuf& in, int lines) {
    MazeReader reader(in);
    std::string record;
    try {
        std::vector<MazeReader::CellLine> cells(static_cast<std::size_t>(lines));
        reader.readCellLines(cells);
        for (const auto& cell : cells) {
            record += std::to_string(cell.top) + "," + std::to_string(cell.left) + ";";
        }
        record += std::to_string(reader.readInteger()) + ";";
        reader.skipLine();
    } catch (const FileError& error) {
        record += "error " + std::to_string(error.code()) + ";";
    }
    const auto next = in.sgetc();
    return record + (next == std::streambuf::traits_type::eof()
                         ? "end"
                         : std::string(1, static_cast<char>(next)));
}

TEST(MazeReaderFile, ReadsTheSameFromAnyKindOfStream) {
    // Four cell lines, a number, and where the stream stands after them.
    const std::pair<std::string, std::string> cases[] = {
        {"1  1\r\n0  1\r\n1  0\r\n2  9\r\n7\r\nz", "1,1;0,1;1,0;2,9;7;z"},
        {"1  1\r\n0  12\n10  1\r\n1 1\r\n5\nz", "1,1;0,12;10,1;1,1;5;z"},
        {"1  1\r9\n0  1\n1  0\r\n0  0 rest\r\n6\r\nz", "1,1;0,1;1,0;0,0;6;z"},
        {"1  1\r\n\x1a  1\r\n1  1\r\n", "1,1;0,0;0,0;0,0;0;\x1a"},
        // A bad token is read whole, for the message that quotes it.
        {"1  1\r\n0  1\r\n1  q\r\n1  1\r\n", "error 106;\r"},
        {"$1  0x1\r\n-1  256\r\n  1  1\r\n0  0\r\n3\r\n", "1,1;-1,256;1,1;0,0;3;end"},
    };
    for (const auto& [text, expected] : cases) {
        std::stringbuf whole(text);
        EXPECT_EQ(readRecord(whole, 4), expected);
        for (const bool buffered : {true, false}) {
            Trickle trickle(text, buffered);
            EXPECT_EQ(readRecord(trickle, 4), expected) << buffered;
        }
    }
}

}  // namespace
}  // namespace nitka
