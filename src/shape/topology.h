#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace nitka {

// The layouts a maze can take. Rect is the window's rectangle of squares.
enum class ShapeKind : std::uint8_t { Rect, Hex, Triangle, Polar };

// A cell's number: its place in reading order over the whole layout, holes of
// a mask included (row by row from the top, left to right; a polar maze ring
// by ring from the centre, each ring from its position 0).
using CellId = std::uint64_t;
inline constexpr CellId kNoCell = ~CellId{0};

// The most neighbours any cell of any shape has (a hexagon's six; a polar
// centre has the first ring's cells, six of them).
inline constexpr int kMaxNeighbours = 6;
using NeighbourList = std::span<CellId, kMaxNeighbours>;

// The most sides one cell holds the state of (see Topology::heldSide).
inline constexpr int kMaxHeldSides = 4;

// A cell as the user names it on the command line and `solve` prints it: x
// along the row (polar: the position along the ring), y the row (polar: the
// ring, 0 being the centre).
struct CellPosition {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// A point of the drawing, in units of about a cell's width, x to the right and
// y downward, the whole maze inside (0, 0) .. Topology::extent().
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// One side of a cell's outline: a straight segment from `from` to `to`, or an
// arc of the circle around `centre` through both ends (the shorter way), and
// the cell across it, kNoCell on the maze's outer edge or beside a hole.
struct Side {
    Point from;
    Point to;
    bool arc = false;
    Point centre;
    CellId across = kNoCell;
};

// Where the open or closed state of the side two neighbours share is kept:
// in slot `slot` (0 .. kMaxHeldSides - 1) of cell `holder`, one of the two.
struct HeldSide {
    CellId holder = kNoCell;
    int slot = 0;
    friend bool operator==(const HeldSide&, const HeldSide&) = default;
};

// A neighbour with the side shared with it: a step as the engine's per-cell
// loops take it. A layout finds both from the cell's position in one go, where
// heldSide would have to find the holder's position again (a division on
// rows, a search on rings) for every side a loop looks at.
struct Link {
    CellId next = kNoCell;
    HeldSide side;
    friend bool operator==(const Link&, const Link&) = default;
};
using LinkArray = std::array<Link, kMaxNeighbours>;

// The place of cell among count links; count when it is none of them.
inline int placeIn(const LinkArray& links, int count, CellId cell) {
    int place = 0;
    while (place < count && links[static_cast<std::size_t>(place)].next != cell) {
        ++place;
    }
    return place;
}

// A layout's neighbours read from its links, for the layouts that answer
// Topology::neighbours by their links.
template <typename L>
int cellsOfLinks(const L& layout, CellId cell, NeighbourList out) {
    LinkArray links;
    const int count = layout.links(cell, links);
    for (int i = 0; i < count; ++i) {
        out[static_cast<std::size_t>(i)] = links[static_cast<std::size_t>(i)].next;
    }
    return count;
}

// How the cells of one maze layout lie and touch: every shape answers these
// few questions by arithmetic on the cell number, and carving methods,
// searches, measures, files and pictures ask nothing else. Immutable; safe to
// share.
class Topology {
public:
    virtual ~Topology() = default;

    virtual ShapeKind kind() const = 0;
    // The size as the user gave it; for a polar maze width() is the outermost
    // ring's cell count and height() the number of rings around the centre.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Numbers 0 .. slotCount() - 1 name the layout's places; those of a
    // mask's holes are no cells.
    virtual CellId slotCount() const = 0;
    virtual bool isCell(CellId id) const = 0;
    virtual CellId cellCount() const = 0;

    // The cells that share a side with cell, in the shape's one fixed order,
    // written to the front of out; returns how many. Holes are left out.
    // Requires: isCell(cell).
    virtual int neighbours(CellId cell, NeighbourList out) const = 0;

    // Which of two neighbours keeps the state of their shared side, and where.
    // Each cell holds at most kMaxHeldSides sides. Requires: a and b share a side.
    virtual HeldSide heldSide(CellId a, CellId b) const = 0;

    // Requires: isCell(cell).
    virtual CellPosition position(CellId cell) const = 0;
    // The cell at a position, or kNoCell outside the layout or on a hole.
    virtual CellId cellAt(CellPosition position) const = 0;

    // Drawing. Requires: isCell(cell).
    virtual Point centre(CellId cell) const = 0;
    // The cell's outline, clockwise on the page, replacing out's contents.
    // Every side shared with a neighbour appears, once in each of the two
    // cells' outlines, with the same ends.
    virtual void outline(CellId cell, std::vector<Side>& out) const = 0;
    virtual Point extent() const = 0;

    // Where a route starts and ends unless told otherwise.
    virtual CellId start() const = 0;
    virtual CellId target() const = 0;

    // The shape's own layout under any wrapper that only moves the ends: the
    // object whose concrete type visitLayout binds the engine to.
    virtual const Topology& baseLayout() const { return *this; }
};

// The name of a shape as typed after --shape and written in files.
std::string_view shapeName(ShapeKind kind);

}  // namespace nitka
