#include "storage/maze_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "storage/file_error.h"
#include "storage/storage_fixture.h"

namespace nitka {
namespace {

using namespace std::string_literals;

std::vector<std::int32_t> readIntegers(const std::string& input, int count) {
    std::stringbuf buffer(input);
    MazeReader reader(buffer);
    std::vector<std::int32_t> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(reader.readInteger());
    }
    return values;
}

struct AcceptedCase {
    const char* label;
    std::string input;
    std::vector<std::int32_t> expected;
};

TEST(MazeReaderTokens, AcceptsEveryNumberForm) {
    const AcceptedCase cases[] = {
        {"decimal", "42", {42}},
        {"signs", "+7 -7", {7, -7}},
        {"dollar hex", "$1F $ab", {31, 171}},
        {"x hex", "x10 X10", {16, 16}},
        {"0x hex", "0x1f 0XFF", {31, 255}},
        {"signed hex", "-$10 +0x10", {-16, 16}},
        {"leading zeros", "007 -0000", {7, 0}},
        {"decimal limits", "2147483647 -2147483648", {2147483647, -2147483647 - 1}},
        {"hex limits", "$7FFFFFFF -0x80000000", {2147483647, -2147483647 - 1}},
        {"codes 0 to 32 are blanks", "\0 1\x01\x1f\t\v\f2"s, {1, 2}},
        {"line ends are blanks", "1\r\n2\n\r3", {1, 2, 3}},
        {"end before a number reads 0", "5", {5, 0, 0}},
        {"empty file reads 0", "", {0, 0}},
        {"ctrl z ends the file", "1 \x1a 2", {1, 0}},
        {"ctrl z ends a number",
         "12\x1a"
         "3",
         {12, 0}},
    };
    for (const AcceptedCase& row : cases) {
        EXPECT_EQ(readIntegers(row.input, static_cast<int>(row.expected.size())), row.expected)
            << row.label;
    }
}

TEST(MazeReaderTokens, RefusesWhatIsNoInt32) {
    const std::pair<const char*, std::string> cases[] = {
        {"letters", "abc"},
        {"trailing letters", "12abc"},
        {"sign alone", "-"},
        {"two signs", "--1"},
        {"dollar alone", "$"},
        {"0x alone", "0x"},
        {"sign after prefix", "$-1"},
        {"hex digit without prefix", "1f"},
        {"two zeros before x", "00x10"},
        {"decimal point", "1.5"},
        {"exponent", "1e3"},
        {"comma", "1,2"},
        {"above int32", "2147483648"},
        {"below int32", "-2147483649"},
        {"hex above int32", "$80000000"},
        {"hex all ones", "0xFFFFFFFF"},
        {"twenty digits", "99999999999999999999"},
        {"non-ASCII", "\xC3\xA9"},
    };
    for (const auto& [label, input] : cases) {
        try {
            readIntegers(input, 1);
            ADD_FAILURE() << label << ": accepted";
        } catch (const FileError& error) {
            EXPECT_EQ(error.code(), 106) << label;
            EXPECT_STREQ(error.what(), "Invalid numeric input") << label;
        }
    }
}

// Produces a first line of the given length without ever holding it, so that a
// test can show the reader does not hold it either.
class LongLineSource final : public std::streambuf {
public:
    LongLineSource(std::string head, std::size_t fill, char filler, std::string tail)
        : m_head(std::move(head)), m_fill(fill), m_filler(filler), m_tail(std::move(tail)) {}

protected:
    int_type underflow() override {
        if (!m_head.empty()) {
            m_chunk = std::exchange(m_head, {});
        } else if (m_fill > 0) {
            const std::size_t count = std::min<std::size_t>(m_fill, 1 << 16);
            m_chunk.assign(count, m_filler);
            m_fill -= count;
        } else if (!m_tail.empty()) {
            m_chunk = std::exchange(m_tail, {});
        } else {
            return traits_type::eof();
        }
        setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + m_chunk.size());
        return traits_type::to_int_type(m_chunk.front());
    }

private:
    std::string m_head;
    std::size_t m_fill;
    char m_filler;
    std::string m_tail;
    std::string m_chunk;
};

constexpr std::size_t kHugeLine = std::size_t{64} << 20;

TEST(MazeReaderLines, SkipsAHugeLineAsAStream) {
    LongLineSource source("1  0 ", kHugeLine, 'a', "\n5  6");
    MazeReader reader(source);
    EXPECT_EQ(reader.readInteger(), 1);
    EXPECT_EQ(reader.readInteger(), 0);
    reader.skipLine();
    EXPECT_EQ(reader.readInteger(), 5);
}

TEST(MazeReaderLines, ReadsAHugeRunOfLeadingZeros) {
    LongLineSource source("", kHugeLine, '0', "7");
    MazeReader reader(source);
    EXPECT_EQ(reader.readInteger(), 7);
}

TEST(MazeReaderLines, SkipsThroughLineFeedWithOrWithoutCarriageReturn) {
    const std::pair<const char*, std::string> cases[] = {
        {"CR LF", "1 2 junk\r\n3"},
        {"LF alone", "1 2 junk\n3"},
        {"CR alone ends no line", "1 2\r9\n3"},
        {"ctrl z inside the skipped rest", "1 2 \x1a\n3"},
    };
    for (const auto& [label, input] : cases) {
        std::stringbuf buffer(input);
        MazeReader reader(buffer);
        reader.readInteger();
        reader.readInteger();
        reader.skipLine();
        const int expected = input.find('\x1a') == std::string::npos ? 3 : 0;
        EXPECT_EQ(reader.readInteger(), expected) << label;
    }
}

struct CellsCase {
    const char* label;
    std::string file;
    std::vector<std::pair<int, int>> topLeft;  // cells row by row
};

TEST(MazeReaderFile, ReadsCellLinesLeniently) {
    const CellsCase cases[] = {
        {"as saved", "2  2\r\n1  1\r\n1  0\r\n0  1\r\n0  0\r\n", {{1, 1}, {1, 0}, {0, 1}, {0, 0}}},
        {"ends early", "2  2\r\n1  1\r\n0", {{1, 1}, {0, 0}, {0, 0}, {0, 0}}},
        {"extra lines ignored", "2 1\n1 1\n1 0\nzz\n", {{1, 1}, {1, 0}}},
        {"third number ignored", "2 1 7\n1 1 9\n0 1 zz\n", {{1, 1}, {0, 1}}},
        {"one number borrows the next line", "2 1\n1\n0 9 zz\n1 1\n", {{1, 0}, {1, 1}}},
        {"low byte kept",
         "2 2\n256 -1\n2 255\n$101 -256\n511 0\n",
         {{0, 255}, {2, 255}, {1, 0}, {255, 0}}},
        {"header rest skipped", "2 1 junk 3\n1 0\n0 1\n", {{1, 0}, {0, 1}}},
    };
    for (const CellsCase& row : cases) {
        std::stringbuf buffer(row.file);
        MazeReader reader(buffer);
        const MazeSize size = readMazeHeader(reader);
        const Maze walls = readMazeCells(reader, size.width, size.height);
        ASSERT_EQ(walls.columns(), size.width + 1) << row.label;
        ASSERT_EQ(walls.rows(), size.height + 1) << row.label;
        for (int y = 0; y <= size.height; ++y) {
            for (int x = 0; x <= size.width; ++x) {
                const WallPair pair = walls[x][y];
                const bool border = x == size.width || y == size.height;
                const auto [top, left] =
                    border ? std::pair{1, 1} : row.topLeft.at(y * size.width + x);
                EXPECT_EQ(pair.Top, top) << row.label << " at " << x << "," << y;
                EXPECT_EQ(pair.Left, left) << row.label << " at " << x << "," << y;
            }
        }
    }
}

TEST(MazeReaderFile, RefusesABadTokenInACellLine) {
    std::stringbuf buffer("2  1\r\n1  1\r\n1  one\r\n");
    MazeReader reader(buffer);
    readMazeHeader(reader);
    EXPECT_THROW(readMazeCells(reader, 2, 1), FileError);
}

}  // namespace
}  // namespace nitka
