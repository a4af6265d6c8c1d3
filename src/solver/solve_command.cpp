#include "solver/solve_command.h"

namespace nitka {

void BtCheminClick(MazeState&, WindowControls&, PictureSurface&) {}

void RecursiveSolve(const MazeState&, PictureSurface&, const Maze&, int, int, int, int) {}

}  // namespace nitka
