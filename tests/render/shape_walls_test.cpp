#include "render/shape_walls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/shape_fixture.h"

namespace nitka {
namespace {

double length(const Side& side) {
    return std::hypot(side.to.x - side.from.x, side.to.y - side.from.y);
}

// Whether `part` lies along `whole`, both straight.
bool within(const Side& part, const Side& whole) {
    const auto on = [&](Point point) {
        const double along = ((point.x - whole.from.x) * (whole.to.x - whole.from.x) +
                              (point.y - whole.from.y) * (whole.to.y - whole.from.y)) /
                             length(whole);
        const double off = std::abs((point.x - whole.from.x) * (whole.to.y - whole.from.y) -
                                    (point.y - whole.from.y) * (whole.to.x - whole.from.x)) /
                           length(whole);
        return off < 1e-9 && along > -1e-9 && along < length(whole) + 1e-9;
    };
    return on(part.from) && on(part.to);
}

// Whatever its table, the merger hands on exactly the walls it was given: each
// within one line it gives back, the lines' lengths adding up to theirs. With
// a table roomy enough for a row's runs it merges more than with a tiny one.
TEST(WallMerger, GivesBackTheSameWallsWhateverItsTable) {
    const ShapeMaze maze =
        testing::carvedMaze(std::make_shared<RectTopology>(testing::maskFromPicture({
                                "..........",
                                "...##.....",
                                "..........",
                                ".........#",
                                "..........",
                            })),
                            7);
    std::vector<Side> pieces;
    withMazeView(maze, [&](const auto& view) {
        forEachDrawnSide(
            view, EndMarks{}, [](CellId) { return true; },
            [&](const Side& side) { pieces.push_back(side); });
    });
    double total = 0;
    for (const Side& piece : pieces) {
        total += length(piece);
    }
    std::vector<std::size_t> counts;
    for (const std::size_t slots : {std::size_t{256}, std::size_t{4}, std::size_t{1}}) {
        std::vector<Side> lines;
        WallMerger merger([&](const Side& line) { lines.push_back(line); }, slots);
        for (const Side& piece : pieces) {
            merger.add(piece);
        }
        merger.finish();
        double drawn = 0;
        for (const Side& line : lines) {
            drawn += length(line);
        }
        EXPECT_NEAR(drawn, total, 1e-9) << slots;
        for (const Side& piece : pieces) {
            int holders = 0;
            for (const Side& line : lines) {
                holders += within(piece, line) ? 1 : 0;
            }
            EXPECT_EQ(holders, 1) << slots;
        }
        EXPECT_LT(lines.size(), pieces.size()) << slots;
        counts.push_back(lines.size());
    }
    EXPECT_LT(counts.front(), counts.back());
}

// A piece that bridges two runs makes them one line, which grows on at its far
// end like any other.
TEST(WallMerger, JoinsRunsThatAPieceBridges) {
    const Side pieces[] = {
        {{0, 0}, {1, 0}, false, {}, kNoCell},
        {{2, 0}, {3, 0}, false, {}, kNoCell},
        {{2, 0}, {1, 0}, false, {}, kNoCell},
        {{4, 0}, {3, 0}, false, {}, kNoCell},
    };
    std::vector<Side> lines;
    WallMerger merger([&](const Side& line) { lines.push_back(line); });
    for (const Side& piece : pieces) {
        merger.add(piece);
    }
    merger.finish();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from, (Point{0, 0}));
    EXPECT_EQ(lines[0].to, (Point{4, 0}));
}

}  // namespace
}  // namespace nitka
