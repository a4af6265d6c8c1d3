#include "render/graph_json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "render/shape_fixture.h"

namespace nitka {
namespace {

template <typename Maze>
std::string jsonOf(const Maze& maze) {
    std::stringbuf out;
    writeGraphJson(maze, out);
    return std::move(out).str();
}

// Rectangles of the given size (with holes where the picture has '#') and open
// sides.
ShapeMaze rectMaze(const std::vector<std::string>& mask,
                   const std::vector<std::pair<CellId, CellId>>& open) {
    ShapeMaze maze(std::make_shared<RectTopology>(testing::maskFromPicture(mask)));
    for (const auto& [a, b] : open) {
        maze.setOpen(a, b, true);
    }
    return maze;
}

TEST(GraphJson, WritesCellsPairsAndEndsAsIndices) {
    // Rows: label, mask, open sides (cell numbers), the whole text.
    struct Row {
        const char* label;
        std::vector<std::string> mask;
        std::vector<std::pair<CellId, CellId>> open;
        std::string json;
    };
    const Row kRows[] = {
        {"2 x 2",
         {"..", ".."},
         {{0, 1}, {1, 3}},
         "{\"shape\": \"rect\", \"width\": 2, \"height\": 2,\n"
         "\"cells\": [[0, 0], [1, 0], [0, 1], [1, 1]],\n"
         "\"neighbours\": [[0, 1], [0, 2], [1, 3], [2, 3]],\n"
         "\"passages\": [[0, 1], [1, 3]],\n"
         "\"start\": 0, \"target\": 3}\n"},
        // Cell 1 is a hole: cells 2 .. 5 are indices 1 .. 4.
        {"3 x 2 with a hole",
         {".#.", "..."},
         {{0, 3}, {3, 4}, {4, 5}},
         "{\"shape\": \"rect\", \"width\": 3, \"height\": 2,\n"
         "\"cells\": [[0, 0], [2, 0], [0, 1], [1, 1], [2, 1]],\n"
         "\"neighbours\": [[0, 2], [1, 4], [2, 3], [3, 4]],\n"
         "\"passages\": [[0, 2], [2, 3], [3, 4]],\n"
         "\"start\": 0, \"target\": 4}\n"},
        {"one cell",
         {"."},
         {},
         "{\"shape\": \"rect\", \"width\": 1, \"height\": 1,\n"
         "\"cells\": [[0, 0]],\n\"neighbours\": [],\n\"passages\": [],\n"
         "\"start\": 0, \"target\": 0}\n"},
    };
    for (const Row& row : kRows) {
        EXPECT_EQ(jsonOf(rectMaze(row.mask, row.open)), row.json) << row.label;
    }
}

// The numbers between two keys of the text.
std::vector<std::int64_t> numbersBetween(const std::string& json, const std::string& from,
                                         const std::string& to) {
    const std::size_t start = json.find("\"" + from + "\"");
    const std::size_t end = json.find("\"" + to + "\"");
    const std::string part = json.substr(start, end - start);
    std::vector<std::int64_t> numbers;
    const std::regex number(R"(-?\d+)");
    for (std::sregex_iterator it(part.begin(), part.end(), number), stop; it != stop; ++it) {
        numbers.push_back(std::stoll(it->str()));
    }
    return numbers;
}

// Read back by position, every pair names two cells that share a side, in
// rising order, and the passages are the open ones among them; on a mask with
// holes across several 64-place words and on the round maze too.
TEST(GraphJson, PairsNameNeighboursAndOpenSidesByIndex) {
    std::vector<std::string> holes(5, std::string(70, '.'));
    std::mt19937 random(11);
    for (std::string& row : holes) {
        for (char& place : row) {
            place = random() % 4 == 0 ? '#' : '.';
        }
    }
    holes[0][0] = '.';
    const ShapeMaze mazes[] = {
        testing::carvedMaze(std::make_shared<RectTopology>(testing::maskFromPicture(holes)), 5),
        testing::ringMaze(4),
        testing::maskedRectMaze(2),
    };
    for (const ShapeMaze& maze : mazes) {
        const Topology& topology = maze.topology();
        const std::string json = jsonOf(maze);
        const std::vector<std::int64_t> cells = numbersBetween(json, "cells", "neighbours");
        ASSERT_EQ(cells.size(), 2 * topology.cellCount());
        std::vector<CellId> ids;
        for (std::size_t k = 0; k < cells.size(); k += 2) {
            ids.push_back(topology.cellAt({cells[k], cells[k + 1]}));
            ASSERT_NE(ids.back(), kNoCell);
            if (k > 0) {
                ASSERT_LT(ids[ids.size() - 2], ids.back()) << "cells in number order";
            }
        }
        std::size_t sides = 0;
        std::size_t openSides = 0;
        std::array<CellId, kMaxNeighbours> around{};
        for (const CellId cell : ids) {
            const int count = topology.neighbours(cell, NeighbourList(around));
            for (int k = 0; k < count; ++k) {
                const CellId other = around[static_cast<std::size_t>(k)];
                sides += other > cell ? 1 : 0;
                openSides += other > cell && maze.isOpen(cell, other) ? 1 : 0;
            }
        }
        for (const bool open : {false, true}) {
            const std::vector<std::int64_t> pairs =
                open ? numbersBetween(json, "passages", "start")
                     : numbersBetween(json, "neighbours", "passages");
            ASSERT_EQ(pairs.size(), 2 * (open ? openSides : sides));
            for (std::size_t k = 0; k < pairs.size(); k += 2) {
                ASSERT_LT(pairs[k], pairs[k + 1]);
                if (k > 0) {
                    ASSERT_LE(pairs[k - 2], pairs[k]);
                }
                const CellId a = ids[static_cast<std::size_t>(pairs[k])];
                const CellId b = ids[static_cast<std::size_t>(pairs[k + 1])];
                const int count = topology.neighbours(a, NeighbourList(around));
                EXPECT_NE(std::find(around.begin(), around.begin() + count, b),
                          around.begin() + count);
                if (open) {
                    EXPECT_TRUE(maze.isOpen(a, b));
                }
            }
        }
        const std::vector<std::int64_t> ends = numbersBetween(json, "start", "~");
        ASSERT_EQ(ends.size(), 2u);
        EXPECT_EQ(ids[static_cast<std::size_t>(ends[0])], topology.start());
        EXPECT_EQ(ids[static_cast<std::size_t>(ends[1])], topology.target());
    }
}

// The window's rectangle gives the text and lists of the rectangle topology
// with the same open sides, a flag other than 0 or 1 counting as open: its
// passages' fast path among them.
TEST(GraphJson, WallGridWritesWhatItsRectTopologyWrites) {
    std::mt19937 random(21);
    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{1, 1}, {1, 5}, {5, 1}, {7, 6}, {70, 3}}) {
        WallGrid grid(width, height);
        ShapeMaze maze(std::make_shared<RectTopology>(CellMask(width, height)));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::size_t cell = grid.index({x, y});
                const auto top = static_cast<Flag>(random() % 3);
                const auto left = static_cast<Flag>(random() % 3);
                grid.setTop(cell, top);
                grid.setLeft(cell, left);
                if (y > 0) {
                    maze.setOpen(cell, cell - static_cast<std::size_t>(width), top != Flag::Wall);
                }
                if (x > 0) {
                    maze.setOpen(cell, cell - 1, left != Flag::Wall);
                }
            }
        }
        EXPECT_EQ(jsonOf(grid), jsonOf(maze)) << width << " x " << height;
        for (const GraphList list :
             {GraphList::Cells, GraphList::Neighbours, GraphList::Passages}) {
            EXPECT_EQ(graphList(grid, list), graphList(maze, list)) << width << " x " << height;
        }
    }
}

}  // namespace
}  // namespace nitka
