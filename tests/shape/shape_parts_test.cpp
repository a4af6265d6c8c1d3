#include "shape/shape_parts.h"

#include <gtest/gtest.h>

#include "shape/layouts.h"
#include "shape/make_topology.h"

namespace nitka {
namespace {

using testing::maskOf;

struct PartsCase {
    const char* label;
    ShapeKind kind;
    std::vector<std::string_view> mask;
    std::uint64_t count;
    std::vector<CellId> firsts;
};

class FindParts : public ::testing::TestWithParam<PartsCase> {};

TEST_P(FindParts, CountsCellsJoinedThroughSides) {
    const PartsCase& test = GetParam();
    const CellMask mask = maskOf(test.mask);
    const ShapeParts parts = findParts(*makeTopology(test.kind, mask.width(), mask.height(), mask));
    EXPECT_EQ(parts.count, test.count);
    EXPECT_EQ(parts.firsts, test.firsts);
}

// The same picture falls apart differently by shape: squares meeting at a
// corner lie apart, while the offset hexagon rows join them.
INSTANTIATE_TEST_SUITE_P(
    Masks, FindParts,
    ::testing::Values(
        PartsCase{"RectCornerApart", ShapeKind::Rect, {"##.#", "#..#", ".#.."}, 3, {0, 3, 9}},
        PartsCase{"HexCornerJoined", ShapeKind::Hex, {"##.#", "#..#", ".#.."}, 2, {0, 3}},
        PartsCase{"RectWhole", ShapeKind::Rect, {"###", "#.#", "###"}, 1, {0}},
        PartsCase{"TriangleOneWideTwo", ShapeKind::Triangle, {"#", "#"}, 1, {0}},
        PartsCase{"TriangleOneWideThree", ShapeKind::Triangle, {"#", "#", "#"}, 2, {0, 2}},
        PartsCase{
            "TriangleOneWideFive", ShapeKind::Triangle, {"#", "#", "#", "#", "#"}, 3, {0, 2, 4}},
        PartsCase{"TriangleTipsTouch", ShapeKind::Triangle, {"#.#"}, 2, {0, 2}},
        PartsCase{"CheckerboardListsEight",
                  ShapeKind::Rect,
                  {"#.#.#.", ".#.#.#", "#.#.#."},
                  9,
                  {0, 2, 4, 7, 9, 11, 12, 14}}),
    [](const auto& row) { return std::string(row.param.label); });

TEST(FindParts, WalksALargeLayoutInOnePiece) {
    const ShapeParts parts = searchParts(*makeTopology(ShapeKind::Hex, 1000, 1000));
    EXPECT_EQ(parts.count, 1u);
    EXPECT_EQ(parts.firsts, std::vector<CellId>{0});
}

// What findParts tells of a layout without holes, unsearched, is what a
// search finds, on every shape and the narrowest sizes.
TEST(FindParts, TellsAHoleFreeLayoutAsASearchFindsIt) {
    for (const ShapeKind kind :
         {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle, ShapeKind::Polar}) {
        for (int width = 1; width <= 4; ++width) {
            for (int height = 1; height <= 6; ++height) {
                const auto layout = makeTopology(kind, width, height);
                const ShapeParts told = findParts(*layout);
                const ShapeParts searched = searchParts(*layout);
                EXPECT_EQ(told.count, searched.count) << shapeName(kind) << width << 'x' << height;
                EXPECT_EQ(told.firsts, searched.firsts)
                    << shapeName(kind) << width << 'x' << height;
            }
        }
    }
}

}  // namespace
}  // namespace nitka
