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
    const std::uint64_t solveHundredThousand = 17'500'000'000;
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
             "100000 x 100000 cells need 16.3 GiB; this process may use 8.0 GiB"},
            {"a byte more than the memory", 8, 8, 1025, 1024,
             "8 x 8 cells need 1.0 KiB; this process may use 1.0 KiB"},
        };
    for (const auto& [label, width, height, bytes, memory, expected] : cases) {
        EXPECT_EQ(refusal(width, height, bytes, memory).value_or(""), expected) << label;
    }
}

}  // namespace
}  // namespace nitka
