#include "tool/maze_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "render/graph_json.h"
#include "solver/measured_maze.h"
#include "tool/dataset_file.h"
#include "tool/difficulty_choice.h"
#include "tool/maze_arrays.h"
#include "tool/maze_making.h"
#include "tool/system_facts.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

struct Kind {
    ShapeKind shape;
    CarveMethod method;
    int width;
    int height;
};

const Kind kKinds[] = {
    {ShapeKind::Rect, CarveMethod::DepthFirst, 6, 4},
    {ShapeKind::Rect, CarveMethod::Eller, 2, 5},
    {ShapeKind::Hex, CarveMethod::Wilson, 5, 5},
    {ShapeKind::Triangle, CarveMethod::Prim, 6, 3},
    {ShapeKind::Polar, CarveMethod::Kruskal, 1, 3},
};

struct Filter {
    std::optional<std::pair<double, double>> difficulty;
    bool unique = false;
};

const Filter kFilters[] = {{}, {std::pair(0.5, 4.0), false}, {std::nullopt, true}};

BatchPlan planOf(const Kind& kind, const Filter& filter, std::int64_t count, int threads) {
    BatchRequest request;
    request.count = count;
    request.maze.shape = kind.shape;
    request.maze.carve.method = kind.method;
    request.maze.width = kind.width;
    request.maze.height = kind.height;
    request.maze.seed = 77;
    request.difficulty = filter.difficulty;
    request.unique = filter.unique;
    request.threads = threads;
    return planned(planBatch(request, systemFacts()));
}

template <typename Value>
std::vector<Value> firstOf(const std::vector<Value>& values, std::size_t count) {
    return {values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count)};
}

// Row i of a batch is the maze generate carves from seeds[i], measured as
// info measures it; the rows passed by a filter pass it, and the first rows
// are the same whatever the count and the threads.
TEST(MazeBatch, RowsAreGeneratesMazesAndDoNotDependOnCountOrThreads) {
    for (const Kind& kind : kKinds) {
        for (const Filter& filter : kFilters) {
            SCOPED_TRACE(std::string(shapeName(kind.shape)) + " " +
                         std::string(carveMethodInfo(kind.method).name) +
                         (filter.difficulty ? " scored" : "") + (filter.unique ? " unique" : ""));
            const BatchPlan plan = planOf(kind, filter, 9, 1);
            const MazeBatch many = carveBatch(plan);
            const MazeBatch few = carveBatch(planOf(kind, filter, 4, 3));
            ASSERT_EQ(many.count, 9);
            EXPECT_EQ(firstOf(many.seeds, 4), few.seeds);
            EXPECT_EQ(firstOf(many.passages, few.passages.size()), few.passages);
            EXPECT_EQ(firstOf(many.walls, few.walls.size()), few.walls);
            EXPECT_EQ(firstOf(many.difficulty, 4), few.difficulty);
            if (!filter.difficulty && !filter.unique) {
                EXPECT_EQ(many.seeds.front(), 77u);
                EXPECT_EQ(many.tries, 9u);
            }
            std::set<std::vector<std::int32_t>> seen;
            for (std::size_t i = 0; i < 9; ++i) {
                AnyMaze maze = carveGenerated(plan.maze, many.seeds[i]);
                const auto passages = std::visit(
                    [](const auto& held) { return graphList(held, GraphList::Passages); }, maze);
                const auto from = many.passages.begin() + 2 * many.passageOffsets[i];
                const auto to = many.passages.begin() + 2 * many.passageOffsets[i + 1];
                EXPECT_EQ(std::vector<std::int32_t>(from, to), passages) << i;
                seen.insert(passages);
                const MeasuredMaze measured =
                    std::visit([](auto& held) { return measureWithDifficulty(held); }, maze);
                EXPECT_EQ(many.difficulty[i], measured.difficulty.value_or(0)) << i;
                EXPECT_EQ(static_cast<std::uint64_t>(many.routeLengths[i]),
                          measured.stats.shortestCells.value_or(0));
                EXPECT_EQ(many.starts[2 * i], startOf(maze).x);
                EXPECT_EQ(many.targets[2 * i + 1], targetOf(maze).y);
                if (filter.difficulty) {
                    EXPECT_GE(many.difficulty[i], filter.difficulty->first);
                    EXPECT_LE(many.difficulty[i], filter.difficulty->second);
                }
                if (kind.shape == ShapeKind::Rect) {
                    const std::vector<std::uint8_t> walls = wallPicture(maze).walls;
                    EXPECT_TRUE(std::equal(
                        walls.begin(), walls.end(),
                        many.walls.begin() + static_cast<std::ptrdiff_t>(i * walls.size())));
                }
            }
            if (filter.unique) {
                EXPECT_EQ(seen.size(), 9u);
            }
        }
    }
}

// A 2 x 2 rectangle has four mazes: four unique ones are found, a fifth is
// not, and the failure says how many of how many tries passed.
TEST(MazeBatch, TooRareAFilterFailsSayingWhatPassed) {
    const Kind tiny{ShapeKind::Rect, CarveMethod::Wilson, 2, 2};
    EXPECT_EQ(carveBatch(planOf(tiny, {std::nullopt, true}, 4, 2)).count, 4);
    try {
        carveBatch(planOf(tiny, {std::nullopt, true}, 5, 2));
        ADD_FAILURE() << "a fifth 2 x 2 maze";
    } catch (const ToolError& error) {
        EXPECT_EQ(error.subject(), "--unique");
        EXPECT_EQ(std::string(error.what()),
                  "only 4 of 1500 mazes tried differed from the others; ask for fewer, or widen "
                  "the filters");
    }
    EXPECT_THROW(carveBatch(planOf(tiny, {std::pair(50.0, 60.0), false}, 1, 1)), ToolError);
}

// The file's options tell what made it, scores in their shortest exact text,
// and its length is known before it is written.
TEST(DatasetFile, TellsItsOptionsAndLength) {
    const BatchPlan plan = planOf(kKinds[2], kFilters[1], 3, 2);
    const MazeBatch batch = carveBatch(plan);
    EXPECT_EQ(datasetOptions(batch, plan.request),
              "{\"count\": 3, \"width\": 5, \"height\": 5, \"shape\": \"hex\", \"method\": "
              "\"wilson\", \"seed\": 77, \"difficulty\": [0.5, 4], \"unique\": false, \"tries\": " +
                  std::to_string(batch.tries) + "}");
    std::stringbuf out;
    writeDataset(out, batch, plan.request);
    EXPECT_EQ(out.str().size(), datasetBytes(batch, plan.request));
    EXPECT_EQ(out.str().find("grids.npy"), std::string::npos);
    EXPECT_NE(out.str().find("passage_offsets.npy"), std::string::npos);
}

}  // namespace
}  // namespace nitka
