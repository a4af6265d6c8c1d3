#include "render/pen_strokes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "carve/carve_method.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "stroke_count.h"

namespace nitka {
namespace {

// A grid maze's walls, each one cell long, its frame included.
std::vector<PenEdge> wallsOf(const WallGrid& grid) {
    std::vector<PenEdge> walls;
    const auto add = [&](double x1, double y1, double x2, double y2) {
        walls.push_back({{x1, y1}, {x2, y2}});
    };
    for (int y = 0; y < grid.height(); ++y) {
        for (int x = 0; x < grid.width(); ++x) {
            const std::size_t cell = grid.index({x, y});
            if (grid.top(cell) == Flag::Wall) {
                add(x, y, x + 1, y);
            }
            if (grid.left(cell) == Flag::Wall) {
                add(x, y, x, y + 1);
            }
        }
        add(grid.width(), y, grid.width(), y + 1);
    }
    for (int x = 0; x < grid.width(); ++x) {
        add(x, grid.height(), x + 1, grid.height());
    }
    return walls;
}

// Every wall drawn exactly once, each stroke's walls end to end.
void expectEveryWallOnceEndToEnd(const std::vector<Stroke>& strokes,
                                 const std::vector<PenEdge>& edges) {
    std::vector<int> drawn(edges.size(), 0);
    for (const Stroke& stroke : strokes) {
        ASSERT_FALSE(stroke.empty());
        for (std::size_t k = 0; k < stroke.size(); ++k) {
            ++drawn[stroke[k].edge];
            if (k > 0) {
                const PenEdge& before = edges[stroke[k - 1].edge];
                const PenEdge& now = edges[stroke[k].edge];
                EXPECT_EQ(testing::strokeKeyOf(stroke[k - 1].reversed ? before.from : before.to),
                          testing::strokeKeyOf(stroke[k].reversed ? now.to : now.from));
            }
        }
    }
    EXPECT_TRUE(std::all_of(drawn.begin(), drawn.end(), [](int times) { return times == 1; }));
}

// On mazes of every kind and size, and on random tangles of lines with
// crossings, repeats and loops: every wall once, end to end, in the fewest
// strokes; ordered, each next stroke starts at the nearest free end.
TEST(PenStrokes, JoinEveryWallOnceInTheFewestStrokesAndTakeTheNearestNext) {
    std::vector<std::vector<PenEdge>> drawings;
    std::uint64_t seed = 0;
    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{1, 1}, {1, 6}, {5, 1}, {7, 4}, {30, 20}}) {
        for (const CarveOptions& carve :
             {CarveOptions{}, CarveOptions{CarveMethod::Kruskal, GrowingTreePick::Mix, 0.5, 0.6},
              CarveOptions{CarveMethod::Sidewinder, GrowingTreePick::Mix, 0.5, 0}}) {
            WallGrid grid(width, height);
            SeededRandom random(++seed);
            carveMaze(grid, carve, random);
            drawings.push_back(wallsOf(grid));
        }
    }
    std::mt19937 random(7);
    for (int tangle = 0; tangle < 20; ++tangle) {
        std::vector<PenEdge> edges;
        std::uniform_int_distribution<int> at(0, 4);
        const int count = 1 + tangle * 3;
        for (int k = 0; k < count; ++k) {
            edges.push_back({{double(at(random)), double(at(random))},
                             {double(at(random)), double(at(random))}});
        }
        drawings.push_back(edges);
    }
    drawings.push_back({});
    for (std::size_t d = 0; d < drawings.size(); ++d) {
        SCOPED_TRACE("drawing " + std::to_string(d));
        const std::vector<PenEdge>& edges = drawings[d];
        std::vector<Stroke> strokes = joinStrokes(edges);
        expectEveryWallOnceEndToEnd(strokes, edges);
        EXPECT_EQ(strokes.size(), edges.empty() ? 0 : testing::fewestStrokes(edges));
        const Point pen{-1, -1};
        const std::vector<Stroke> joined = strokes;
        orderStrokes(strokes, edges, pen);
        expectEveryWallOnceEndToEnd(strokes, edges);
        ASSERT_EQ(strokes.size(), joined.size());
        // Greedy: no free end lies nearer than the one taken.
        Point at = pen;
        for (std::size_t s = 0; s < strokes.size(); ++s) {
            const double taken = std::hypot(strokeStart(strokes[s], edges).x - at.x,
                                            strokeStart(strokes[s], edges).y - at.y);
            for (std::size_t later = s + 1; later < strokes.size(); ++later) {
                for (const Point end :
                     {strokeStart(strokes[later], edges), strokeEnd(strokes[later], edges)}) {
                    EXPECT_GE(std::hypot(end.x - at.x, end.y - at.y) + 1e-9, taken);
                }
            }
            at = strokeEnd(strokes[s], edges);
        }
        const StrokeTally tally = tallyStrokes(strokes, edges, pen);
        EXPECT_EQ(tally.penLifts, strokes.empty() ? 0 : strokes.size() - 1);
        EXPECT_LE(tally.travel, tallyStrokes(joined, edges, pen).travel + 1e-9);
    }
}

}  // namespace
}  // namespace nitka
