#include "carve/carve_method.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/maze_hash.h"
#include "support/perfect_maze.h"

namespace nitka {
namespace {

using testing::flagText;
using testing::isPerfectMaze;

TEST(CarveMethodTable, ListsEveryMethodUnderItsCommandLineName) {
    constexpr std::array<std::string_view, 11> kNames{
        "depth-first",  "prim",  "kruskal",     "wilson",     "aldous-broder",     "hunt-and-kill",
        "growing-tree", "eller", "binary-tree", "sidewinder", "recursive-division"};
    ASSERT_EQ(carveMethods().size(), kNames.size());
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const CarveMethodInfo& info = carveMethods()[i];
        EXPECT_EQ(info.method, static_cast<CarveMethod>(i));
        EXPECT_EQ(info.name, kNames[i]);
        EXPECT_EQ(carveMethodNamed(kNames[i]), info.method);
        EXPECT_FALSE(info.help.empty()) << info.name;
    }
    for (const char* unknown : {"", "Prim", "depth_first", "prim ", "division"}) {
        EXPECT_EQ(carveMethodNamed(unknown), std::nullopt) << unknown;
    }
}

struct PickRow {
    const char* text;
    GrowingTreePick pick;
    double share;
};

TEST(GrowingTreePickParse, ReadsEveryPick) {
    const PickRow kAccepted[] = {
        {"newest", GrowingTreePick::Newest, 0.5}, {"random", GrowingTreePick::Random, 0.5},
        {"oldest", GrowingTreePick::Oldest, 0.5}, {"mix:0.25", GrowingTreePick::Mix, 0.25},
        {"mix:0", GrowingTreePick::Mix, 0},       {"mix:1", GrowingTreePick::Mix, 1},
        {"mix:1.000", GrowingTreePick::Mix, 1},
    };
    for (const PickRow& row : kAccepted) {
        CarveOptions options;
        EXPECT_EQ(parseGrowingTreePick(row.text, options), "") << row.text;
        EXPECT_EQ(options.pick, row.pick) << row.text;
        EXPECT_EQ(options.pickShare, row.share) << row.text;
    }
}

TEST(GrowingTreePickParse, RefusesAnythingElseAndKeepsTheOptions) {
    for (const char* text : {"", "Newest", "newest ", "mix", "mix:", "mix:1.5", "mix:-0.1",
                             "mix:nan", "mix:inf", "mix:0.5x", "mix: 0.5", "mix:1e-1", "mix:0,5"}) {
        CarveOptions options;
        options.pick = GrowingTreePick::Oldest;
        options.pickShare = 0.75;
        const std::string error = parseGrowingTreePick(text, options);
        EXPECT_NE(error.find(std::string("'") + text + "'"), std::string::npos) << error;
        EXPECT_EQ(options.pick, GrowingTreePick::Oldest) << text;
        EXPECT_EQ(options.pickShare, 0.75) << text;
    }
}

struct SizeRow {
    CarveMethod method;
    int width;
    int height;
    bool refused;
};

TEST(CarveRefusal, RandomWalksRefuseSizesTheyCannotCoverInTime) {
    constexpr int kMaxSide = std::numeric_limits<int>::max();
    const SizeRow kRows[] = {
        {CarveMethod::AldousBroder, 1000, 1000, false},
        {CarveMethod::AldousBroder, 3000, 3000, false},
        {CarveMethod::AldousBroder, 5000, 5000, true},
        {CarveMethod::AldousBroder, 1, 40000, true},
        {CarveMethod::Wilson, 5000, 5000, false},
        {CarveMethod::Wilson, 1, 5000, false},
        {CarveMethod::Wilson, 40000, 1, true},
        {CarveMethod::Prim, 100000, 100000, false},
        {CarveMethod::BinaryTree, kMaxSide, kMaxSide, false},
    };
    for (const SizeRow& row : kRows) {
        const std::string name(carveMethodInfo(row.method).name);
        const std::string refusal = carveRefusal(row.method, row.width, row.height);
        SCOPED_TRACE(name + " " + std::to_string(row.width) + " x " + std::to_string(row.height));
        EXPECT_EQ(!refusal.empty(), row.refused) << refusal;
        if (row.refused) {
            EXPECT_EQ(refusal.find(name + ": a " + std::to_string(row.width) + " x " +
                                   std::to_string(row.height) + " maze"),
                      0u)
                << refusal;
        }
    }
}

struct BytesRow {
    CarveMethod method;
    int width;
    int height;
    std::uint64_t bytes;
};

TEST(CarveExtraBytes, CountsListsInFourBytesAnEntryUpTo2To31Cells) {
    constexpr int kMaxSide = std::numeric_limits<int>::max();
    constexpr std::uint64_t k2To31 = std::uint64_t{1} << 31;
    const BytesRow kRows[] = {
        {CarveMethod::Wilson, 5000, 5000, 0},
        {CarveMethod::Sidewinder, 5000, 5000, 0},
        {CarveMethod::Eller, 100, 7, 2000},
        {CarveMethod::Prim, 100, 100, 40000},
        {CarveMethod::Kruskal, 100, 100, (9900 + 9900 + 10000) * 4},
        {CarveMethod::GrowingTree, 65536, 32768, k2To31 * 4},
        {CarveMethod::GrowingTree, 65537, 32768, (k2To31 + 32768) * 8},
        {CarveMethod::Kruskal, kMaxSide, kMaxSide, UINT64_MAX},
        {CarveMethod::Prim, kMaxSide, kMaxSide, UINT64_MAX},
    };
    for (const BytesRow& row : kRows) {
        EXPECT_EQ(carveExtraBytes(row.method, row.width, row.height), row.bytes)
            << carveMethodInfo(row.method).name << " " << row.width << " x " << row.height;
    }
}

// Every spanning tree of the 3 x 3 grid, by its flags, numbered: each of the
// twelve inner walls open or not.
std::map<std::string, int> spanningTrees3x3() {
    std::map<std::string, int> trees;
    for (unsigned mask = 0; mask < 1u << 12; ++mask) {
        WallGrid grid(3, 3);
        for (std::size_t i = 0, bit = 0; i < 9; ++i) {
            if (i % 3 > 0 && (mask >> bit++ & 1u) != 0) {
                grid.setLeft(i, Flag::Open);
            }
            if (i >= 3 && (mask >> bit++ & 1u) != 0) {
                grid.setTop(i, Flag::Open);
            }
        }
        if (isPerfectMaze(grid)) {
            trees.emplace(flagText(grid), static_cast<int>(trees.size()));
        }
    }
    return trees;
}

// Pearson's chi-squared of how often each spanning tree came out.
double treeChiSquared(const CarveOptions& options, const std::map<std::string, int>& trees) {
    constexpr int kPerTree = 200;
    std::vector<int> counts(trees.size());
    SeededRandom random(2026);
    for (std::size_t n = 0; n < trees.size() * kPerTree; ++n) {
        WallGrid grid(3, 3);
        carveMaze(grid, options, random);
        ++counts[static_cast<std::size_t>(trees.at(flagText(grid)))];
    }
    double sum = 0;
    for (const int count : counts) {
        sum += double(count - kPerTree) * (count - kPerTree) / kPerTree;
    }
    return sum;
}

TEST(CarveUniformity, RandomWalksMakeEverySpanningTreeEquallyLikely) {
    const auto trees = spanningTrees3x3();
    ASSERT_EQ(trees.size(), 192u);
    // With 191 degrees of freedom chi-squared passes 300 by chance less than
    // once in a million runs.
    constexpr double kLimit = 300;
    EXPECT_LT(treeChiSquared({CarveMethod::Wilson}, trees), kLimit);
    EXPECT_LT(treeChiSquared({CarveMethod::AldousBroder}, trees), kLimit);
    // The same test must catch a method that favours some trees.
    EXPECT_GT(treeChiSquared({CarveMethod::DepthFirst}, trees), kLimit);
    EXPECT_GT(treeChiSquared({CarveMethod::BinaryTree}, trees), kLimit);
    EXPECT_GT(treeChiSquared({CarveMethod::HuntAndKill}, trees), kLimit);
}

// Seeds are a promise for every method, as for depth-first: a change that
// alters any method's mazes, its picks' or braiding's, fails here.
TEST(CarveMethodSeeds, EveryMethodKeepsItsMazeForASeed) {
    // method, pick ("" for none), braid share, hash of the 23 x 17 maze of seed 7
    const std::tuple<std::string_view, std::string_view, double, std::uint64_t> pinned[] = {
        {"depth-first", "", 0, 0x5f26108bd53452dcu},
        {"prim", "", 0, 0xf7756841d616bcaau},
        {"kruskal", "", 0, 0x1bcd429737435728u},
        {"wilson", "", 0, 0x74baa22474259c90u},
        {"aldous-broder", "", 0, 0x6dd144bec4fe697au},
        {"hunt-and-kill", "", 0, 0x55a62b06e3f3882cu},
        {"growing-tree", "newest", 0, 0xc3d5c81bd44544e4u},
        {"growing-tree", "random", 0, 0xdd91f4a4efc91a7eu},
        {"growing-tree", "oldest", 0, 0x983c202fc60e2b30u},
        {"growing-tree", "mix:0.25", 0, 0xbdf415649a1a449au},
        {"eller", "", 0, 0x4bb1b2c4e4a51400u},
        {"binary-tree", "", 0, 0x595f42cc2b04dc42u},
        {"sidewinder", "", 0, 0x53c043c563bc6206u},
        {"recursive-division", "", 0, 0x13815d13fea37376u},
        {"kruskal", "", 0.5, 0xd9c15dfc81059352u},
    };
    for (const auto& [name, pick, braid, hash] : pinned) {
        CarveOptions options;
        options.method = *carveMethodNamed(name);
        if (!pick.empty()) {
            ASSERT_EQ(parseGrowingTreePick(pick, options), "");
        }
        options.braid = braid;
        WallGrid grid(23, 17);
        SeededRandom random(7);
        carveMaze(grid, options, random);
        EXPECT_EQ(testing::mazeFileHash(grid), hash) << name << " " << pick << " " << braid;
    }
}

}  // namespace
}  // namespace nitka
