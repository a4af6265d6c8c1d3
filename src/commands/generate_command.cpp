#include "commands/generate_command.h"

#include <algorithm>

#include "model/generator.h"
#include "walls/maze_drawing.h"
#include "walls/text_form.h"
#include "walls/wall_parser.h"

namespace nitka {

void BtGoClick(MazeState& maze, WindowControls& controls, PictureSurface& picture,
               RandomSource& random) {
    // The boxes clamp on losing focus, before any click reaches here; clamping
    // again keeps the carving inside the grid whatever a box might report.
    maze.MazeWidth = std::clamp(controls.spinValue(SpinBox::SpinEdit1), kMinMazeSide, kMaxMazeSide);
    maze.MazeHeight =
        std::clamp(controls.spinValue(SpinBox::SpinEdit2), kMinMazeSide, kMaxMazeSide);
    if (maze.MazeWidth % 2 != 0 || maze.MazeHeight % 2 != 0) {
        controls.showNotice("Числа ширины и высоты должны быть чётными!");
    }
    controls.setRouteCaption("SOLVE");
    maze.PathHidden = 1;
    // An odd size carves one column (or row) fewer than it names.
    maze.GridMaxX = 4 * (maze.MazeWidth / 2);
    maze.GridMaxY = 4 * (maze.MazeHeight / 2);
    picture.repaint();
    maze.CellSize = cellSizeFor(maze.MazeWidth, maze.MazeHeight);
    maze.ErasePath = 0;

    Initialise(maze);
    startCarving(maze, random);
    while (maze.CarveCount > 0) {
        CelluleSuite(maze, random);
    }

    // The grid reaches the wall array through its text form, as it always has:
    // for odd sizes the text carries what an earlier maze left in the grid.
    ploh25_(maze, picture);
    ploh15_(maze);
    ShowMaze(maze, picture, maze.Walls);
    maze.MazeReady = 1;
}

}  // namespace nitka
