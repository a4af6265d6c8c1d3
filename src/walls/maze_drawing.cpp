#include "walls/maze_drawing.h"

#include <cassert>

namespace nitka {

void ShowMaze(const MazeState& maze, PictureSurface& picture, const Maze& walls) {
    const int width = maze.MazeWidth;
    const int height = maze.MazeHeight;
    const int size = maze.CellSize;
    const int margin = maze.Margin;
    assert(walls.columns() >= width && walls.rows() >= height);

    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const WallPair pair = walls[x][y];
            const int left = x * size + margin;
            const int top = y * size + margin;
            if (pair.Top != 0) {
                picture.setPenColour(Colour::Black);
                picture.moveTo(left, top);
                picture.lineTo(left + size, top);
            }
            if (pair.Left != 0) {
                picture.setPenColour(Colour::Black);
                picture.moveTo(left, top);
                picture.lineTo(left, top + size);
            }
        }
    }

    const int right = width * size + margin;
    const int bottom = height * size + margin;
    picture.setPenColour(Colour::Black);
    picture.moveTo(0, bottom);
    picture.lineTo(right, bottom);
    picture.lineTo(right, 0);
}

}  // namespace nitka
