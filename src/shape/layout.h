#pragma once

#include <concepts>
#include <cstdint>
#include <vector>

#include "shape/hex_topology.h"
#include "shape/polar_topology.h"
#include "shape/rect_topology.h"
#include "shape/topology.h"
#include "shape/triangle_topology.h"

namespace nitka {

// What the engine asks of a layout in its per-cell loops: the questions of
// Topology, answered by a concrete type whose calls the compiler can inline.
// Carvers, searches and measures are templates over it, and a command picks
// the concrete layout once (visitLayout).
template <typename L>
concept Layout = requires(const L& layout, CellId cell, NeighbourList out, LinkArray& links,
                          CellPosition at) {
    { layout.width() } -> std::convertible_to<int>;
    { layout.height() } -> std::convertible_to<int>;
    { layout.slotCount() } -> std::same_as<CellId>;
    { layout.cellCount() } -> std::same_as<CellId>;
    { layout.isCell(cell) } -> std::same_as<bool>;
    { layout.neighbours(cell, out) } -> std::same_as<int>;
    { layout.links(cell, links) } -> std::same_as<int>;
    { layout.heldSide(cell, cell) } -> std::same_as<HeldSide>;
    { layout.position(cell) } -> std::same_as<CellPosition>;
    { layout.cellAt(at) } -> std::same_as<CellId>;
};

// A rectangle of squares without a mask: RectTopology's numbering, neighbour
// order and held sides by arithmetic alone. Slot 0 is a cell's top side and
// slot 1 its left side, as WallGrid keeps them.
class GridLayout {
public:
    GridLayout(int width, int height) : m_width(width), m_height(height) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    CellId slotCount() const {
        return static_cast<CellId>(m_width) * static_cast<CellId>(m_height);
    }
    CellId cellCount() const { return slotCount(); }
    bool isCell(CellId id) const { return id < slotCount(); }

    CellPosition position(CellId cell) const { return rowPosition(cell, m_width); }
    CellId cellAt(CellPosition at) const {
        if (at.x < 0 || at.y < 0 || at.x >= m_width || at.y >= m_height) {
            return kNoCell;
        }
        return static_cast<CellId>(at.y) * static_cast<CellId>(m_width) + static_cast<CellId>(at.x);
    }

    int links(CellId cell, LinkArray& out) const {
        return squareLinks(
            cell, position(cell), m_width, m_height, [](CellId) { return true; }, out);
    }
    int neighbours(CellId cell, NeighbourList out) const { return cellsOfLinks(*this, cell, out); }

    HeldSide heldSide(CellId a, CellId b) const {
        const CellId holder = a > b ? a : b;
        const CellId other = a > b ? b : a;
        // The row test first: in a maze one cell wide the cell above is also one back.
        return {holder, holder - other == static_cast<CellId>(m_width) ? 0 : 1};
    }

    // As RectTopology draws a cell: unit squares, sides top, right, bottom, left.
    Point centre(CellId cell) const {
        const CellPosition at = position(cell);
        return {static_cast<double>(at.x) + 0.5, static_cast<double>(at.y) + 0.5};
    }
    void outline(CellId cell, std::vector<Side>& out) const {
        const CellPosition at = position(cell);
        const auto x = static_cast<double>(at.x);
        const auto y = static_cast<double>(at.y);
        const auto width = static_cast<CellId>(m_width);
        const auto across = [](bool inside, CellId next) { return inside ? next : kNoCell; };
        out.clear();
        out.push_back({{x, y}, {x + 1, y}, false, {}, across(at.y > 0, cell - width)});
        out.push_back(
            {{x + 1, y}, {x + 1, y + 1}, false, {}, across(at.x + 1 < m_width, cell + 1)});
        out.push_back(
            {{x + 1, y + 1}, {x, y + 1}, false, {}, across(at.y + 1 < m_height, cell + width)});
        out.push_back({{x, y + 1}, {x, y}, false, {}, across(at.x > 0, cell - 1)});
    }

private:
    int m_width;
    int m_height;
};

static_assert(Layout<GridLayout>);
static_assert(Layout<RectTopology>);
static_assert(Layout<HexTopology>);
static_assert(Layout<TriangleTopology>);
static_assert(Layout<PolarTopology>);

// Whether the layout is a rectangle of squares without holes: the window's
// kind of maze, which a WallGrid holds.
inline bool isPlainRectangle(const Topology& topology) {
    return topology.kind() == ShapeKind::Rect && topology.cellCount() == topology.slotCount();
}

// Calls run with the topology's concrete layout: a GridLayout for a plain
// rectangle, else the shape's layout as its own final type. The one place a
// command's layout is chosen; everything run calls is bound at compile time.
// The layout answers every question but where a route starts and ends, which
// only the topology knows once a maze's exits have moved.
template <typename Run>
decltype(auto) visitLayout(const Topology& wrapped, Run&& run) {
    const Topology& topology = wrapped.baseLayout();
    switch (topology.kind()) {
        case ShapeKind::Rect:
            if (isPlainRectangle(topology)) {
                return run(GridLayout(topology.width(), topology.height()));
            }
            return run(static_cast<const RectTopology&>(topology));
        case ShapeKind::Hex:
            return run(static_cast<const HexTopology&>(topology));
        case ShapeKind::Triangle:
            return run(static_cast<const TriangleTopology&>(topology));
        case ShapeKind::Polar:
            break;
    }
    return run(static_cast<const PolarTopology&>(topology));
}

}  // namespace nitka
