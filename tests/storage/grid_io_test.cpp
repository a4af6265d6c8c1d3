#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <sstream>
#include <string>
#include <tuple>

#include "model/seeded_random.h"
#include "storage/grid_reader.h"
#include "storage/grid_writer.h"
#include "storage/maze_writer.h"
#include "storage/storage_fixture.h"
#include "support/perfect_maze.h"

namespace nitka {
namespace {

using namespace std::string_literals;

// Flags of all three classes, so that a round trip also keeps Other.
WallGrid randomGrid(int width, int height, std::uint64_t seed) {
    SeededRandom random(seed);
    WallGrid grid(width, height);
    for (std::size_t cell = 0; cell < grid.cellCount(); ++cell) {
        grid.setTop(cell, static_cast<Flag>(random.Random(3)));
        grid.setLeft(cell, static_cast<Flag>(random.Random(3)));
    }
    return grid;
}

std::string gridBytes(const WallGrid& grid) {
    std::stringbuf out;
    writeGrid(out, grid);
    return std::move(out).str();
}

// What the window's writer makes of the same flags.
std::string windowBytes(const WallGrid& grid) {
    std::ostringstream out;
    writeMaze(out, testing::mazeFromGrid(grid), grid.width(), grid.height());
    return out.str();
}

WallGrid readGrid(const std::string& bytes) {
    std::stringbuf in(bytes);
    MazeReader reader(in);
    const MazeSize size = readMazeHeader(reader);
    WallGrid grid(size.width, size.height);
    readGridCells(reader, grid);
    return grid;
}

// Sizes from one cell to several times the writer's buffer.
TEST(GridFile, WritesTheWindowsBytesAndReadsBackEveryFlag) {
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 9}, {9, 1}, {8, 8}, {37, 23}, {300, 250}};
    for (const auto& [width, height] : sizes) {
        for (std::uint64_t seed = 0; seed < 3; ++seed) {
            SCOPED_TRACE(::testing::Message() << width << " x " << height << " seed " << seed);
            const WallGrid grid = randomGrid(width, height, seed);
            const std::string bytes = gridBytes(grid);
            ASSERT_EQ(bytes, windowBytes(grid));
            const WallGrid back = readGrid(bytes);
            ASSERT_EQ(back.width(), width);
            ASSERT_EQ(back.height(), height);
            ASSERT_TRUE(testing::flagText(back) == testing::flagText(grid));
        }
    }
}

TEST(GridFile, ReadsCellsUnderTheLenientRulesAndNoFurther) {
    // Words after the numbers, hexadecimal, low bytes (256 is 0, -1 is 255),
    // LF alone; the line after the last cell stays unread.
    std::stringbuf in("3  1\r\n1  1 and words\r\n$0  0x1\n256  -1\r\n7  7\r\n");
    MazeReader reader(in);
    const MazeSize size = readMazeHeader(reader);
    WallGrid grid(size.width, size.height);
    readGridCells(reader, grid);
    EXPECT_EQ((std::tuple{grid.top(0), grid.left(0)}), (std::tuple{Flag::Wall, Flag::Wall}));
    EXPECT_EQ((std::tuple{grid.top(1), grid.left(1)}), (std::tuple{Flag::Open, Flag::Wall}));
    EXPECT_EQ((std::tuple{grid.top(2), grid.left(2)}), (std::tuple{Flag::Open, Flag::Other}));
    EXPECT_EQ(reader.readInteger(), 7);

    const WallGrid cut = readGrid("2  1\r\n1"s);  // numbers missing at the end read 0
    EXPECT_EQ((std::tuple{cut.top(0), cut.left(0), cut.top(1), cut.left(1)}),
              (std::tuple{Flag::Wall, Flag::Open, Flag::Open, Flag::Open}));
}

// The smallest bodies the reader takes n cells from, each cell in four bytes
// of a different kind (the last in three), must hold exactly mostCellsIn's
// count: one byte fewer holds a cell fewer. Checked against the reader itself,
// so the bound follows its rules rather than restating them.
TEST(GridFile, TheFewestBytesForCellsAreFourACell) {
    const std::string cellForms[] = {"0 0\n", "1\t1\n", "0\n0\n", "9\r0\n",
                                     "2\x01"
                                     "3\n"};
    for (const std::string& form : cellForms) {
        for (int cells = 1; cells <= 9; ++cells) {
            SCOPED_TRACE(::testing::Message() << ::testing::PrintToString(form) << " x " << cells);
            std::string body;
            for (int i = 0; i < cells; ++i) {
                body += form;
            }
            body.pop_back();
            ASSERT_EQ(mostCellsIn(body.size()), static_cast<std::uint64_t>(cells));
            ASSERT_EQ(mostCellsIn(body.size() - 1), static_cast<std::uint64_t>(cells - 1));
            std::stringbuf in(body);
            MazeReader reader(in);
            WallGrid grid(cells, 1);
            ASSERT_EQ(readGridCells(reader, grid), static_cast<std::uint64_t>(cells));
        }
    }
}

// Pieces of a million cells: a grid across several must read as one read at once.
TEST(GridFile, StreamedCellsReadAsTheWholeGridDoes) {
    const std::pair<int, int> sizes[] = {{1, 1}, {7, 3}, {1500, 1400}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(::testing::Message() << width << " x " << height);
        const WallGrid grid = randomGrid(width, height, 11);
        const std::string bytes = gridBytes(grid);
        std::stringbuf in(bytes);
        MazeReader reader(in);
        readMazeHeader(reader);
        StreamedCells cells(reader, width, height);
        ASSERT_EQ(cells.whole(), grid.cellCount());
        const WallGrid back = std::move(cells).takeGrid();
        ASSERT_TRUE(testing::flagText(back) == testing::flagText(grid));
    }
}

// A stream cut anywhere says how many cells came whole, as readGridCells
// does, whatever its header promised; one that goes on past what the caller
// lets it hold is not cut short.
TEST(GridFile, StreamedCellsStopWhereTheStreamEnds) {
    const std::string bytes = gridBytes(randomGrid(5, 4, 2));
    for (std::size_t cut = 6; cut < bytes.size(); cut += 5) {
        SCOPED_TRACE(cut);
        std::stringbuf whole(bytes.substr(0, cut));
        MazeReader wholeReader(whole);
        readMazeHeader(wholeReader);
        WallGrid grid(5, 4);
        const std::uint64_t expected = readGridCells(wholeReader, grid);

        const std::size_t headerEnd = bytes.find('\r');
        std::stringbuf streamed("100000  100000" + bytes.substr(headerEnd, cut - headerEnd));
        MazeReader reader(streamed);
        readMazeHeader(reader);
        const StreamedCells cells(reader, 100000, 100000);
        EXPECT_EQ((std::tuple{cells.whole(), cells.cutShort()}), (std::tuple{expected, true}));
    }
    std::stringbuf in(bytes);
    MazeReader reader(in);
    readMazeHeader(reader);
    const StreamedCells held(reader, 5, 4, 5);
    EXPECT_EQ((std::tuple{held.whole(), held.cutShort()}), (std::tuple{5u, false}));
}

// Takes its first bytes and then no more, as a full disk or a closed pipe
// does, leaving error in errno when it refuses; or takes them all and fails
// to pass them on when synced.
class FailingSink final : public std::streambuf {
public:
    FailingSink(std::streamsize capacity, int error, bool syncFails)
        : m_left(capacity), m_error(error), m_syncFails(syncFails) {}

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        const std::streamsize taken = std::min(count, m_left);
        m_left -= taken;
        if (taken < count) {
            errno = m_error;
        }
        return taken;
    }
    int_type overflow(int_type) override { return traits_type::eof(); }
    int sync() override {
        if (m_syncFails) {
            errno = m_error;
        }
        return m_syncFails ? -1 : 0;
    }

private:
    std::streamsize m_left;
    int m_error;
    bool m_syncFails;
};

TEST(GridFile, AStreamThatStopsTakingBytesFailsTheWrite) {
    const WallGrid grid = randomGrid(300, 250, 1);  // 450,010 bytes
    const std::tuple<const char*, std::streamsize, int, bool, std::string> cases[] = {
        {"disk full mid-way", 200'000, ENOSPC, false, "101 Disk full"},
        {"no cause given", 200'000, 0, false, "5 I/O error 5"},
        {"pipe closed at once", 0, EPIPE, false, "32 I/O error 32"},
        {"last chunk short", 450'009, ENOSPC, false, "101 Disk full"},
        {"held back and lost", 450'010, ENOSPC, true, "101 Disk full"},
        {"all taken", 450'010, ENOSPC, false, ""},
    };
    for (const auto& [label, capacity, error, syncFails, expected] : cases) {
        FailingSink sink(capacity, error, syncFails);
        EXPECT_EQ(testing::failure([&] { writeGrid(sink, grid); }), expected) << label;
    }
}

}  // namespace
}  // namespace nitka
