#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "tool/memory_limit.h"
#include "tool/memory_need.h"

namespace nitka {
namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
constexpr std::uint64_t kAll = UINT64_MAX;

TEST(MemoryLimit, TakesTheLeastRoomOfEverySource) {
    const std::string meminfo = "MemTotal: 8000000 kB\nMemAvailable:    4096 kB\nCached: 1 kB\n";
    const std::string status = "Name: nitka-maze\nVmSize:\t  2048 kB\nVmData:\t   512 kB\n";
    // label, sources, room
    const std::tuple<const char*, MemorySources, std::uint64_t> cases[] = {
        {"nothing readable", {}, kAll},
        {"available memory", {meminfo, status, "", "", kAll, kAll}, 4 * kMiB},
        {"cgroup v2 limit less its usage",
         {meminfo, status, "3145728\n", "1048576\n", kAll, kAll},
         2 * kMiB},
        {"cgroup v2 without a limit",
         {meminfo, status, "max\n", "1048576\n", kAll, kAll},
         4 * kMiB},
        {"cgroup v1 without a limit", {"", "", "9223372036854771712\n", "5\n", kAll, kAll}, kAll},
        {"a group over its limit", {"", "", "100\n", "200\n", kAll, kAll}, 0},
        {"address space less what is mapped", {meminfo, status, "", "", 3 * kMiB, kAll}, kMiB},
        {"data less the data segment", {meminfo, status, "", "", kAll, kMiB}, kMiB / 2},
        {"a limit already used up", {"", status, "", "", kMiB, kAll}, 0},
    };
    for (const auto& [label, sources, room] : cases) {
        EXPECT_EQ(memoryLimitFrom(sources), room) << label;
    }
    EXPECT_GT(processMemoryLimit(), 64 * kMiB);
}

TEST(MemoryNeed, AddsWhatEachLayerHolds) {
    const std::int64_t side = 10'000;
    const std::uint64_t grid = 100'000'000;
    // A route through every cell at two bits a move, three times.
    EXPECT_GE(generateNeed(side, side, CarveMethod::DepthFirst), grid);
    EXPECT_LE(generateNeed(side, side, CarveMethod::DepthFirst), grid + 2 * kMiB);
    EXPECT_GT(generateNeed(side, side, CarveMethod::Kruskal), 10 * grid);
    EXPECT_GE(searchNeed(side, side), grid + 75'000'000);
    EXPECT_LE(searchNeed(side, side), grid + 80'000'000);
    EXPECT_EQ(renderNeed(side, side) - searchNeed(side, side), 64 * kMiB);
    EXPECT_EQ(searchNeed(INT64_MAX, INT64_MAX), kAll);
    EXPECT_EQ(generateNeed(INT64_MAX, 2, CarveMethod::Prim), kAll);
    EXPECT_EQ(memoryRefusal(side, side, searchNeed(side, side)), std::nullopt);
    EXPECT_EQ(memoryRefusal(side, side, kAll - 1).value_or("").substr(0, 50),
              "10000 x 10000 cells need 16384.0 PiB; this process");
}

}  // namespace
}  // namespace nitka
