#include "grid/size_limits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>

namespace nitka {
namespace {

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
constexpr std::int64_t kHuge = std::numeric_limits<std::int64_t>::max();
constexpr std::uint64_t kAll = std::numeric_limits<std::uint64_t>::max();

TEST(SizeLimits, RefusesSizesPastTheCapsOrTheMemory) {
    const std::uint64_t solveHundredThousand = bytesNeeded(MazeCommand::Solve, 100'000, 100'000);
    // label, width, height, bytes, memory, refusal ("" for none)
    const std::tuple<const char*, std::int64_t, std::int64_t, std::uint64_t, std::uint64_t,
                     std::string>
        cases[] = {
            {"one cell", 1, 1, 100, kGiB, ""},
            {"a side at the cap", 1'000'000, 3, 100, kGiB, ""},
            {"cells at the cap", 131'072, 131'072, 100, kAll, ""},
            {"bytes equal to the memory", 50, 50, kGiB, kGiB, ""},
            {"no width", 0, 5, 0, kGiB, "0 x 5 cells: each side must be at least 1"},
            {"negative height", 5, -3, 0, kGiB, "5 x -3 cells: each side must be at least 1"},
            {"a side past the cap", 3, 1'000'001, 100, kAll,
             "3 x 1000001 cells: a side may be at most 1,000,000"},
            {"a side far past the cap", kHuge, kHuge, kAll, kAll,
             "9223372036854775807 x 9223372036854775807 cells: a side may be at most 1,000,000"},
            {"cells past the cap", 131'072, 131'073, 100, kAll,
             "131072 x 131073 cells are 17,180,000,256; at most 17,179,869,184 are allowed"},
            {"more than the memory", 100'000, 100'000, solveHundredThousand, 8 * kGiB,
             "100000 x 100000 cells need 16.3 GiB; this machine has 8.0 GiB"},
            {"a byte more than the memory", 8, 8, 1025, 1024,
             "8 x 8 cells need 1.0 KiB; this machine has 1.0 KiB"},
        };
    for (const auto& [label, width, height, bytes, memory, expected] : cases) {
        EXPECT_EQ(refusal(width, height, bytes, memory).value_or(""), expected) << label;
    }
}

TEST(SizeLimits, CountsTheGridTheRouteAndTheBuffers) {
    // label, command, width, height, at least, at most
    const std::tuple<const char*, MazeCommand, std::int64_t, std::int64_t, std::uint64_t,
                     std::uint64_t>
        cases[] = {
            {"generate holds the grid", MazeCommand::Generate, 10'000, 10'000, 100'000'000,
             100'000'000 + 2 * (1 << 20)},
            {"solve adds a route through every cell", MazeCommand::Solve, 10'000, 10'000,
             125'000'000, 250'000'000},
            {"info finds the same routes", MazeCommand::Info, 10'000, 10'000, 125'000'000,
             250'000'000},
            {"render adds the route and picture rows", MazeCommand::Render, 10'000, 10'000,
             125'000'000, 300'000'000},
            {"no maze, buffers only", MazeCommand::Solve, 0, 0, 1, 256 * (1 << 20)},
            {"saturates", MazeCommand::Render, kHuge, kHuge, kAll, kAll},
        };
    for (const auto& [label, command, width, height, least, most] : cases) {
        const std::uint64_t bytes = bytesNeeded(command, width, height);
        EXPECT_GE(bytes, least) << label;
        EXPECT_LE(bytes, most) << label;
    }
}

TEST(SizeLimits, ThisMachineTakesSmallMazesAndRefusesGiantOnes) {
    EXPECT_GT(machineMemory(), 64u << 20);
    EXPECT_EQ(refusal(MazeCommand::Generate, 10'000, 10'000), std::nullopt);
    // A carver's own lists count too, and cannot overflow the sum.
    EXPECT_EQ(refusal(MazeCommand::Generate, 10'000, 10'000, 1 << 20), std::nullopt);
    EXPECT_NE(refusal(MazeCommand::Generate, 10'000, 10'000, kAll - (1 << 20)), std::nullopt);
    EXPECT_EQ(refusal(MazeCommand::Solve, 1'000'000, 1'000'000).value_or(""),
              "1000000 x 1000000 cells are 1,000,000,000,000; at most 17,179,869,184 are allowed");
}

}  // namespace
}  // namespace nitka
