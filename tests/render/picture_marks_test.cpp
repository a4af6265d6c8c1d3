#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "carve/grid_shape_copy.h"
#include "render/mark_places.h"
#include "render/picture_layout.h"
#include "render/png_render.h"
#include "render/render_fixture.h"
#include "render/shape_fixture.h"
#include "render/shape_png_render.h"
#include "shape/make_topology.h"
#include "shape/moved_ends.h"

namespace nitka {
namespace {

using testing::decodePng;
using testing::GreyImage;
using testing::rendered;

std::string shapePng(const ShapeMaze& maze, const RenderOptions& options) {
    std::stringbuf out;
    if (isPlainRectangle(maze.topology())) {
        renderRectanglePng(maze, options, out);
    } else {
        renderShapePng(maze, options, out);
    }
    return std::move(out).str();
}

// Route dots stay inside their cells: in the PNG, and so in the PDF, drawn by
// the same code, no pixel of a dot is a pixel of a wall.
TEST(RouteDots, NeverInkOverWallsInThePng) {
    for (const ShapeKind kind : {ShapeKind::Triangle, ShapeKind::Hex, ShapeKind::Polar}) {
        ShapeMaze maze = testing::carvedMaze(makeTopology(kind, 7, 5), 6);
        // Smaller cells have no room for a dot a pixel and a half off the walls.
        for (const int cell : {16, 20, 30, 40}) {
            const GreyImage dotted = decodePng(shapePng(maze, {.cell = cell, .route = true}));
            const GreyImage plain = decodePng(shapePng(maze, {.cell = cell}));
            int dotPixels = 0;
            int touching = 0;
            for (std::size_t k = 0; k < plain.grey.size(); ++k) {
                if (dotted.grey[k] != plain.grey[k]) {
                    ++dotPixels;
                    touching += plain.grey[k] != 255 ? 1 : 0;
                }
            }
            EXPECT_GT(dotPixels, 0) << shapeName(kind) << " at " << cell;
            EXPECT_EQ(touching, 0) << shapeName(kind) << " at " << cell << " px";
        }
    }
}

// The columns of ink that the letters add to a picture of a maze one cell
// big: S and F apart means two runs with white between them.
int inkRuns(const GreyImage& lettered, const GreyImage& plain) {
    std::vector<bool> inked(static_cast<std::size_t>(plain.width), false);
    for (int y = 0; y < plain.height; ++y) {
        for (int x = 0; x < plain.width; ++x) {
            if (lettered.dark(x, y) && !plain.dark(x, y)) {
                inked[static_cast<std::size_t>(x)] = true;
            }
        }
    }
    int runs = 0;
    for (std::size_t x = 0; x < inked.size(); ++x) {
        runs += inked[x] && (x == 0 || !inked[x - 1]) ? 1 : 0;
    }
    return runs;
}

// S and F in one cell print side by side, apart.
TEST(EndLetters, NeverPrintOverEachOther) {
    for (const int cell : {16, 24, 40}) {
        const RenderOptions letters{.cell = cell, .marks = Marks::Letters};
        const RenderOptions none{.cell = cell};
        for (const ShapeKind kind : {ShapeKind::Rect, ShapeKind::Hex, ShapeKind::Triangle}) {
            const ShapeMaze maze(makeTopology(kind, 1, 1));
            EXPECT_EQ(inkRuns(decodePng(shapePng(maze, letters)), decodePng(shapePng(maze, none))),
                      2)
                << shapeName(kind) << " at " << cell;
        }
    }
}

bool oneBitPng(const std::string& png) {
    // IHDR's bit depth, after the signature, the chunk's length and type,
    // and the width and height.
    return png.size() > 24 && png[24] == 1;
}

// Pixels of the marked picture unlike the plain one, all inside the boxes of
// the marked cells (walls around them included).
void expectChangesOnlyIn(const GreyImage& marked, const GreyImage& plain,
                         const PictureLayout& layout, int width, const std::set<CellId>& cells,
                         const std::string& label) {
    int changed = 0;
    for (int y = 0; y < plain.height; ++y) {
        for (int x = 0; x < plain.width; ++x) {
            if (marked.dark(x, y) == plain.dark(x, y)) {
                continue;
            }
            ++changed;
            bool inBox = false;
            for (const CellId cell : cells) {
                const int cx = static_cast<int>(cell % static_cast<CellId>(width));
                const int cy = static_cast<int>(cell / static_cast<CellId>(width));
                inBox = inBox || (x >= layout.left(cx) && x <= layout.left(cx + 1) &&
                                  y >= layout.top(cy) && y <= layout.top(cy + 1));
            }
            EXPECT_TRUE(inBox) << label << ": pixel " << x << ", " << y;
        }
    }
    EXPECT_GT(changed, 0) << label;
}

// A rectangle's PNG keeps the window's one-bit walls with marks, its exits
// moved or not: the plain picture is the window's pixel for pixel, and marks
// change only the pixels of the cells they mark.
TEST(RectanglePng, MarksKeepTheWindowsWalls) {
    const auto base = makeTopology(ShapeKind::Rect, 5, 4);
    for (const auto& [start, target] : {std::pair<CellId, CellId>{0, 19}, {7, 15}}) {
        ShapeMaze maze = testing::carvedMaze(withEnds(base, start, target), 5);
        WallGrid copy = gridFromShape(maze);
        for (CellId cell = 0; cell < 20; ++cell) {
            copy.setScratch(static_cast<std::size_t>(cell), maze.scratch(cell) != 0 ? 1 : 0);
        }
        for (const int cell : {4, 8, 16}) {
            const std::string label = "ends " + std::to_string(start) + ", " +
                                      std::to_string(target) + " at " + std::to_string(cell);
            const RenderOptions route{.cell = cell, .route = true};
            const std::string plain = shapePng(maze, route);
            EXPECT_EQ(plain, rendered(renderPng, copy, route)) << label;
            for (const Marks marks : {Marks::Openings, Marks::Letters}) {
                RenderOptions options = route;
                options.marks = marks;
                const std::string marked = shapePng(maze, options);
                EXPECT_TRUE(oneBitPng(marked)) << label;
                expectChangesOnlyIn(decodePng(marked), decodePng(plain), PictureLayout(5, 4, cell),
                                    5, {start, target}, label);
            }
        }
    }
}

}  // namespace
}  // namespace nitka
