#include "animate/animation_scene.h"

#include <utility>

#include "animate/route_exploration.h"
#include "shape/maze_view.h"

namespace nitka {
namespace {

template <typename Maze>
CellId slotsOf(const Maze& maze) {
    return withMazeView(maze, [](const auto& view) { return view.layout().slotCount(); });
}

}  // namespace

template <typename Maze>
MazeScene<Maze>::MazeScene(Maze shown, int cell, CellRole initial)
    : AnimationScene(slotsOf(shown), initial), m_maze(std::move(shown)), m_painter(m_maze, cell) {}

template <typename Maze>
void MazeScene<Maze>::open(CellId a, CellId b) {
    withMazeView(m_maze, [&](const auto& view) { view.setOpen(a, b, true); });
}

template <typename Maze>
void MazeScene<Maze>::close(CellId a, CellId b) {
    withMazeView(m_maze, [&](const auto& view) { view.setOpen(a, b, false); });
}

template <typename Maze>
bool MazeScene<Maze>::showRoute() {
    const CellId slots = slotsOf(m_maze);
    for (CellId cell = 0; cell < slots; ++cell) {
        setRole(cell, CellRole::Done);
    }
    setCurrent(kNoCell);
    return markWindowRoute(m_maze);
}

template class MazeScene<WallGrid>;
template class MazeScene<ShapeMaze>;

}  // namespace nitka
