#include "storage/shape_file.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <sstream>
#include <string>
#include <tuple>

#include "shape/layouts.h"
#include "shape/make_topology.h"
#include "shape/moved_ends.h"
#include "storage/file_error.h"

namespace nitka {
namespace {

// Opens a random half of the sides each cell holds.
ShapeMaze randomMaze(std::shared_ptr<const Topology> topology, unsigned seed) {
    ShapeMaze maze(std::move(topology));
    std::mt19937 random(seed);
    std::array<CellId, kMaxNeighbours> near{};
    for (CellId cell = 0; cell < maze.topology().slotCount(); ++cell) {
        if (!maze.topology().isCell(cell)) {
            continue;
        }
        const int count = maze.topology().neighbours(cell, near);
        for (int i = 0; i < count; ++i) {
            if (random() % 2 == 0) {
                maze.setOpen(cell, near[static_cast<std::size_t>(i)], true);
            }
        }
    }
    return maze;
}

std::string written(const ShapeMaze& maze) {
    std::stringbuf out;
    writeShapeMaze(out, maze);
    return out.str();
}

ShapeMaze readBack(const std::string& text) {
    std::stringbuf in(text);
    return readShapeMaze(in);
}

class ShapeFileRoundTrip : public ::testing::TestWithParam<testing::Layout> {};

TEST_P(ShapeFileRoundTrip, GivesBackLayoutHolesAndOpenSides) {
    const ShapeMaze maze = randomMaze(GetParam().topology, 7);
    const std::string text = written(maze);
    const ShapeMaze back = readBack(text);
    const Topology& was = maze.topology();
    const Topology& is = back.topology();
    ASSERT_EQ(is.kind(), was.kind());
    ASSERT_EQ(is.width(), was.width());
    ASSERT_EQ(is.height(), was.height());
    ASSERT_EQ(is.slotCount(), was.slotCount());
    for (CellId place = 0; place < was.slotCount(); ++place) {
        ASSERT_EQ(is.isCell(place), was.isCell(place)) << place;
        if (was.isCell(place)) {
            ASSERT_EQ(back.heldBits(place), maze.heldBits(place)) << place;
        }
    }
    EXPECT_EQ(written(back), text);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ShapeFileRoundTrip, ::testing::ValuesIn(testing::everyLayout()),
                         [](const auto& row) { return row.param.label; });

// The fewest body bytes are what the writer's body takes less its last line
// feed, and the reader takes that body with it cut off.
TEST_P(ShapeFileRoundTrip, TheLeastBodyIsTheWrittenOneWithoutItsLastLineFeed) {
    const ShapeMaze maze = randomMaze(GetParam().topology, 5);
    const std::string text = written(maze);
    const std::size_t firstLineEnd = text.find('\n') + 1;
    const Topology& topology = maze.topology();
    const ShapeFileHeader header =
        parseShapeFileHeader(std::string_view(text).substr(0, firstLineEnd - 1));
    EXPECT_EQ((std::tuple{header.kind, header.width, header.height}),
              (std::tuple{topology.kind(), topology.width(), topology.height()}));
    EXPECT_EQ(shapeBodyLeastBytes(header), text.size() - firstLineEnd - 1);
    EXPECT_EQ(written(readBack(text.substr(0, text.size() - 1))), text);
}

// Start and target moved off the shape's own, as --exits leaves them, come
// back as they were; a maze with its shape's own writes no line for them.
TEST_P(ShapeFileRoundTrip, KeepsMovedStartAndTarget) {
    const auto& layout = GetParam().topology;
    CellId middle = layout->slotCount() / 2;
    while (!layout->isCell(middle)) {
        ++middle;
    }
    const ShapeMaze maze = randomMaze(withEnds(layout, middle, layout->start()), 3);
    const std::string text = written(maze);
    // A maze of one cell has nowhere to move them.
    EXPECT_EQ(text.find("\nstart ") != std::string::npos, layout->cellCount() > 1);
    const ShapeMaze back = readBack(text);
    EXPECT_EQ(back.topology().start(), middle);
    EXPECT_EQ(back.topology().target(), layout->start());
    EXPECT_EQ(written(back), text);

    const std::string plain =
        written(randomMaze(withEnds(layout, layout->start(), layout->target()), 3));
    EXPECT_EQ(plain.find("start"), std::string::npos);
}

TEST(ShapeFile, WritesRowsOfHeldSideDigits) {
    const auto topology =
        makeTopology(ShapeKind::Hex, 4, 3, testing::maskOf({"####", "#.##", "####"}));
    ShapeMaze maze(topology);
    const auto open = [&](CellPosition a, CellPosition b) {
        maze.setOpen(topology->cellAt(a), topology->cellAt(b), true);
    };
    open({0, 0}, {1, 0});
    open({1, 0}, {2, 0});
    open({2, 0}, {3, 0});
    open({0, 1}, {0, 0});
    open({2, 1}, {2, 0});
    open({3, 1}, {2, 1});
    open({0, 2}, {0, 1});
    open({0, 2}, {1, 2});
    open({1, 2}, {2, 2});
    open({2, 2}, {3, 2});
    // The example of docs/file-format.md.
    EXPECT_EQ(written(maze), "nitka-maze-shape 1 hex 4 3\ncells\n0111\n2.21\n4111\n");
}

TEST(ShapeFile, TellsItsFirstLineFromTheWindowsFile) {
    EXPECT_TRUE(isShapeFileFirstLine("nitka-maze-shape 1 hex 30 20"));
    EXPECT_TRUE(isShapeFileFirstLine("nitka-maze-shape 2 blob"));
    EXPECT_TRUE(isShapeFileFirstLine("nitka-maze-shape\r"));
    EXPECT_FALSE(isShapeFileFirstLine("30  20"));
    EXPECT_FALSE(isShapeFileFirstLine("nitka-maze-shapes 1 hex 3 3"));
    EXPECT_FALSE(isShapeFileFirstLine(" nitka-maze-shape 1 hex 3 3"));
    EXPECT_FALSE(isShapeFileFirstLine(""));
}

TEST(ShapeFile, ReadsCarriageReturnsAndSkipsUnknownHeaderLines) {
    const ShapeMaze maze = readBack(
        "nitka-maze-shape 1 triangle 3 2\r\nstart 0 0\r\nlater-thing\r\ncells\r\n011\r\n.02\r\n");
    EXPECT_EQ(maze.topology().kind(), ShapeKind::Triangle);
    EXPECT_EQ(maze.topology().cellCount(), 5u);
    EXPECT_EQ(maze.heldBits(5), 2u);
}

struct BadFile {
    const char* label;
    std::string text;
    int code;
    std::string message;
};

class MalformedShapeFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(MalformedShapeFile, IsRefusedSayingWhere) {
    try {
        readBack(GetParam().text);
        ADD_FAILURE() << "read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.what(), GetParam().message);
        EXPECT_EQ(error.code(), GetParam().code);
    }
}

constexpr int kMalformed = file_error_code::kInvalidNumber;
constexpr int kCut = file_error_code::kReadBeyondEnd;
const std::string kHex = "nitka-maze-shape 1 hex 3 2\ncells\n";

INSTANTIATE_TEST_SUITE_P(
    Refused, MalformedShapeFile,
    ::testing::Values(
        BadFile{"Empty", "", kMalformed, "line 1: the file is empty, not a maze shape file"},
        BadFile{"WindowsFile", "3  2\n0 0\n", kMalformed,
                "line 1: \"3  2\" is not the first line of a maze shape file"},
        BadFile{"Version", "nitka-maze-shape 2 hex 3 2\ncells\n", kMalformed,
                "line 1: version \"2\" is not one this program reads (1)"},
        BadFile{"Shape", "nitka-maze-shape 1 blob 3 2\n", kMalformed,
                "line 1: \"blob\" is not a shape (rect, hex, triangle, polar)"},
        BadFile{"Words", "nitka-maze-shape 1 hex 3\n", kMalformed,
                "line 1: \"nitka-maze-shape 1 hex 3\" is not \"nitka-maze-shape <version> "
                "<shape> <width> <height>\""},
        BadFile{"ZeroWidth", "nitka-maze-shape 1 hex 0 2\n", kMalformed,
                "line 1: \"0\" is not a width from 1 to 1000000"},
        BadFile{"SignedHeight", "nitka-maze-shape 1 hex 3 +2\n", kMalformed,
                "line 1: \"+2\" is not a height from 1 to 1000000"},
        BadFile{"TooManyPlaces", "nitka-maze-shape 1 rect 1000000 1000000\n", kMalformed,
                "line 1: 1000000000000 places are more than the 17179869184 a maze may have"},
        BadFile{"PolarWidth", "nitka-maze-shape 1 polar 7 2\ncells\n", kMalformed,
                "line 1: a polar maze of 2 rings has 12 cells in its outer ring, not 7"},
        BadFile{"HeaderLine", "nitka-maze-shape 1 hex 3 2\nStart 1\n", kMalformed,
                "line 2: \"Start 1\" is not a header line (a lowercase name, then its values) "
                "nor \"cells\""},
        BadFile{"StartWithOneNumber", "nitka-maze-shape 1 hex 3 2\nstart 1\ncells\n", kMalformed,
                "line 2: \"start 1\" is not \"start X Y\", a cell's position"},
        BadFile{"TargetWithASign", "nitka-maze-shape 1 hex 3 2\ntarget 1 +1\ncells\n", kMalformed,
                "line 2: \"target 1 +1\" is not \"target X Y\", a cell's position"},
        BadFile{"StartOutside", "nitka-maze-shape 1 hex 3 2\nstart 3 0\ncells\n000\n000\n",
                kMalformed, "line 2: 3,0 is no cell of the maze"},
        BadFile{"TargetOnAHole",
                "nitka-maze-shape 1 hex 3 2\nstart 0 0\ntarget 1 0\ncells\n0.0\n000\n", kMalformed,
                "line 3: 1,0 is no cell of the maze"},
        BadFile{"Digit", kHex + "018\n000\n", kMalformed,
                "line 3: \"018\" has \"8\" at place 3, which is not \".\" nor a digit from 0 "
                "to 7"},
        BadFile{"ShortRow", kHex + "01\n000\n", kMalformed,
                "line 3: \"01\" is not a row of 3 places"},
        BadFile{"LongRow", kHex + "0110\n000\n", kMalformed,
                "line 3: \"0110\" is longer than its 3 places"},
        BadFile{"ExtraRow", kHex + "011\n000\n000\n", kMalformed,
                "line 5: \"000\" follows the last of the 2 rows"},
        BadFile{"SideToTheEdge", kHex + "111\n000\n", kMalformed,
                "line 3: place 1 opens a side to no cell"},
        BadFile{"SideToAHole", kHex + "0.1\n000\n", kMalformed,
                "line 3: place 3 opens a side to no cell"},
        BadFile{"NoCells", kHex + "...\n...\n", kMalformed,
                "line 3: no cells: every place is a hole"},
        BadFile{"PolarHole", "nitka-maze-shape 1 polar 6 1\ncells\n0\n.11111\n", kMalformed,
                "line 4: \".11111\" has \".\" at place 1, which is not a digit from 0 to 3"},
        BadFile{"NoBody", "nitka-maze-shape 1 hex 3 2\n", kCut, "ends after 0 of 3 x 2 cells"},
        BadFile{"CutBetweenRows", kHex + "011\n", kCut, "ends after 3 of 3 x 2 cells"},
        BadFile{"CutInARow", kHex + "011\n00", kCut, "ends after 5 of 3 x 2 cells"},
        BadFile{"CutPolar", "nitka-maze-shape 1 polar 12 2\ncells\n0\n011111\n00", kCut,
                "ends after 9 of 19 places of 2 rings"}),
    [](const auto& row) { return std::string(row.param.label); });

TEST(ShapeFile, LastRowNeedsNoLineBreak) {
    EXPECT_EQ(readBack(kHex + "011\n000").topology().cellCount(), 6u);
}

// Takes nothing, as a full disk does.
class FullStream : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(ShapeFile, ReportsAStreamThatTakesNothing) {
    FullStream out;
    EXPECT_THROW(writeShapeMaze(out, ShapeMaze(makeTopology(ShapeKind::Hex, 3, 3))), FileError);
}

}  // namespace
}  // namespace nitka
