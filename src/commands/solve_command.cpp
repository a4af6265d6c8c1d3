#include "commands/solve_command.h"

#include <vector>

#include "solver/route_search.h"

namespace nitka {

void BtCheminClick(MazeState& maze, WindowControls& controls, PictureSurface& picture) {
    if (maze.MazeReady == 0) {
        return;
    }
    // An odd size is one column (or row) more than the generator carved.
    maze.SolveWidth = maze.MazeWidth % 2 != 0 ? maze.MazeWidth - 1 : maze.MazeWidth;
    maze.SolveHeight = maze.MazeHeight % 2 != 0 ? maze.MazeHeight - 1 : maze.MazeHeight;

    const bool drawing = maze.PathHidden != 0;
    maze.ErasePath = drawing ? 0 : 1;
    RecursiveSolve(maze, picture, maze.Walls, 0, 0, maze.SolveWidth - 1, maze.SolveHeight - 1);
    // Switched even without a route, so that presses keep alternating.
    maze.PathHidden = drawing ? 0 : 1;
    controls.setRouteCaption(drawing ? "SHOW" : "SOLVE");
}

void RecursiveSolve(const MazeState& maze, PictureSurface& picture, const Maze& walls, int StartX,
                    int StartY, int TargetX, int TargetY) {
    const std::vector<Position> PathPoints =
        findRoute(walls, maze.MazeWidth, maze.MazeHeight, {StartX, StartY}, {TargetX, TargetY});
    if (PathPoints.empty()) {
        return;
    }

    const int margin = maze.Margin;
    picture.setBrushColour(Colour::Black);
    for (const Position& point : PathPoints) {
        if (point == kEndMarker) {
            break;
        }
        picture.setPenColour(Colour::Black);
        if (maze.ErasePath == 1) {
            picture.setPenColour(Colour::Background);
            picture.setBrushColour(Colour::Background);
        }
        const int cx = (2 * point.x + 1) * maze.CellSize / 2;
        const int cy = (2 * point.y + 1) * maze.CellSize / 2;
        picture.ellipse(cx + margin - 1, cy + margin - 1, cx + margin + 4, cy + margin + 4);
    }
    picture.setBrushColour(Colour::Background);
}

}  // namespace nitka
