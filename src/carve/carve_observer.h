#pragma once

#include <cstdint>

#include "shape/topology.h"

namespace nitka {

// What a cell is to the method working on it, as an animation colours it.
// Untouched and Done draw as plain paper; the rest are the method's own lists.
enum class CellRole : std::uint8_t {
    Untouched,
    Stack,     // depth-first: entered, not yet backed out of
    Frontier,  // a cell the growing maze may take next
    Walk,      // a random walk's path not yet joined to the maze
    Done,      // part of the maze, the method is through with it
    Tried,     // the route search: on the way it is trying
    GivenUp,   // the route search: every way on from here failed
};
inline constexpr int kCellRoleCount = 7;

// Told, as a method carves or a search explores, what it does in its own
// terms. Cells are numbered as the maze's topology numbers them (on a
// WallGrid: its row-by-row index). Carvers take it as a template parameter:
// NoCarveObserver compiles away, so carving unobserved costs nothing.
class CarveObserver {
public:
    virtual ~CarveObserver() = default;
    // The cell the method works at now.
    virtual void current(CellId cell) = 0;
    virtual void mark(CellId cell, CellRole role) = 0;
    // The side between two neighbours opened.
    virtual void opened(CellId a, CellId b) = 0;
    // The side between two neighbours closed: recursive division raises walls
    // in open space (see carvesFromOpenSpace).
    virtual void closed(CellId a, CellId b) = 0;
};

struct NoCarveObserver {
    void current(CellId) {}
    void mark(CellId, CellRole) {}
    void opened(CellId, CellId) {}
    void closed(CellId, CellId) {}
};

}  // namespace nitka
