#include "commands/file_commands.h"

#include <sstream>
#include <utility>

#include "storage/maze_file.h"
#include "storage/maze_reader.h"
#include "storage/maze_writer.h"
#include "walls/maze_drawing.h"

namespace nitka {

void Button5Click(const MazeState& maze) {
    if (maze.MazeReady == 0 || maze.MazeWidth == 0 || maze.MazeHeight == 0) {
        return;
    }
    std::ostringstream text;
    writeMaze(text, maze.Walls, maze.MazeWidth, maze.MazeHeight);
    replaceFile(maze.MazeFileName, text.view());
}

void Button4Click(MazeState& maze, WindowControls& controls, PictureSurface& picture) {
    maze.PathHidden = 1;
    controls.setRouteCaption("SOLVE");
    clearPicture(picture);

    InputFile file(maze.MazeFileName);
    MazeReader reader(file.stream());
    const MazeSize size = readMazeHeader(reader);
    if (size.width > kMaxMazeSide || size.height > kMaxMazeSide) {
        controls.showNotice("Ширина или высота больше > 100 !");
        file.close();
        return;
    }
    // An empty file reads as 0 by 0: there is no maze to make of it.
    if (size.width < 1 || size.height < 1) {
        controls.showNotice("Ширина или высота меньше 1 !");
        file.close();
        return;
    }
    // The whole file is read before anything changes, so a failure part way
    // leaves the previous maze whole.
    Maze walls = readMazeCells(reader, size.width, size.height);
    file.close();

    maze.MazeWidth = size.width;
    maze.MazeHeight = size.height;
    controls.setSpinValue(SpinBox::SpinEdit1, size.width);
    controls.setSpinValue(SpinBox::SpinEdit2, size.height);
    maze.CellSize = cellSizeFor(size.width, size.height);
    maze.Walls = std::move(walls);
    maze.MazeReady = 1;
    ShowMaze(maze, picture, maze.Walls);
}

}  // namespace nitka
