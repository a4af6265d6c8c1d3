#include "render/ascii_render.h"

#include <cassert>
#include <cstddef>
#include <string>
#include <string_view>

#include "render/end_marks.h"
#include "shape/moved_ends.h"
#include "storage/byte_sink.h"

namespace nitka {
namespace {

constexpr std::string_view kEmpty = "   ";
constexpr std::string_view kDot = " o ";

// The sides of a rectangle's cell in the order of its outline.
enum RectSide { kTop = 0, kRight = 1, kBottom = 2, kLeft = 3 };

// The text of a width x height rectangle, written row by row. walls answers
// for the cell at reading-order index: top(cell) and left(cell), whether that
// side is a wall; right(cell) and bottom(cell), the same of the outer edge
// beside a cell of the last column or row; inside(cell), the three characters
// within it.
template <typename Walls>
void writeRows(int width, int height, const Walls& walls, std::streambuf& out) {
    const auto columns = static_cast<std::size_t>(width);
    ByteSink sink(out, failPictureWrite);
    std::string line;
    line.reserve(4 * columns + 2);
    for (int y = 0; y < height; ++y) {
        const std::size_t rowStart = static_cast<std::size_t>(y) * columns;
        line.clear();
        for (std::size_t x = 0; x < columns; ++x) {
            line += walls.top(rowStart + x) ? "+---" : "+   ";
        }
        line += "+\n";
        sink.put(line);

        line.clear();
        for (std::size_t x = 0; x < columns; ++x) {
            line += walls.left(rowStart + x) ? '|' : ' ';
            line += walls.inside(rowStart + x);
        }
        line += walls.right(rowStart + columns - 1) ? "|\n" : " \n";
        sink.put(line);
    }
    const std::size_t lastRow = static_cast<std::size_t>(height - 1) * columns;
    line.clear();
    for (std::size_t x = 0; x < columns; ++x) {
        line += walls.bottom(lastRow + x) ? "+---" : "+   ";
    }
    line += "+\n";
    sink.put(line);
    sink.flush();
}

// The window's rectangle: its outer wall closed all round, as it always was.
class GridWalls {
public:
    GridWalls(const WallGrid& grid, bool route) : m_grid(grid), m_route(route) {}

    bool top(std::size_t cell) const { return m_grid.top(cell) != Flag::Open; }
    bool left(std::size_t cell) const { return m_grid.left(cell) != Flag::Open; }
    bool right(std::size_t) const { return true; }
    bool bottom(std::size_t) const { return true; }
    std::string_view inside(std::size_t cell) const {
        return m_route && m_grid.scratch(cell) != 0 ? kDot : kEmpty;
    }

private:
    const WallGrid& m_grid;
    bool m_route;
};

// A rectangle held as a maze of squares of the general kind, whose start and
// target may lie anywhere.
class ShapeWalls {
public:
    ShapeWalls(const ShapeMaze& maze, bool route)
        : m_maze(maze),
          m_width(static_cast<CellId>(maze.topology().width())),
          m_route(route),
          // At the corners the window puts them the ends go unmarked, as in
          // the window's own rectangle: the same maze draws the same.
          m_marks(hasMovedEnds(maze.topology()) ? placeEndMarks(maze.topology(), Marks::Openings)
                                                : EndMarks{}) {}

    bool top(CellId cell) const {
        return cell < m_width ? !m_marks.opens(cell, kTop) : !m_maze.isOpen(cell, cell - m_width);
    }
    bool left(CellId cell) const {
        return cell % m_width == 0 ? !m_marks.opens(cell, kLeft) : !m_maze.isOpen(cell, cell - 1);
    }
    bool right(CellId cell) const { return !m_marks.opens(cell, kRight); }
    bool bottom(CellId cell) const { return !m_marks.opens(cell, kBottom); }
    std::string_view inside(CellId cell) const {
        if (const char letter = letterIn(cell); letter != 0) {
            return letter == 'S' ? " S " : " F ";
        }
        return m_route && m_maze.scratch(cell) != 0 ? kDot : kEmpty;
    }

private:
    char letterIn(CellId cell) const {
        if (cell == m_marks.start.cell && m_marks.start.letter != 0) {
            return m_marks.start.letter;
        }
        return cell == m_marks.target.cell ? m_marks.target.letter : char{0};
    }

    const ShapeMaze& m_maze;
    CellId m_width;
    bool m_route;
    EndMarks m_marks;
};

}  // namespace

void renderAscii(const WallGrid& grid, const RenderOptions& options, std::streambuf& out) {
    writeRows(grid.width(), grid.height(), GridWalls(grid, options.route), out);
}

bool drawsInAscii(const Topology& topology) {
    return topology.kind() == ShapeKind::Rect && topology.cellCount() == topology.slotCount();
}

void renderShapeAscii(const ShapeMaze& maze, const RenderOptions& options, std::streambuf& out) {
    assert(drawsInAscii(maze.topology()));
    const Topology& topology = maze.topology();
    writeRows(topology.width(), topology.height(), ShapeWalls(maze, options.route), out);
}

}  // namespace nitka
