#include "walls/text_form.h"

#include <cassert>

namespace nitka {

void ploh25_(MazeState& maze, PictureSurface& picture) {
    const int width = maze.MazeWidth;
    const int height = maze.MazeHeight;
    assert(width >= 1 && width <= kMaxMazeSide && height >= 1 && height <= kMaxMazeSide);
    const auto& grid = maze.CellGrid;
    auto& lines = maze.MazeText;

    for (int line = 0; line <= 2 * height; ++line) {
        lines[line].clear();
    }
    picture.setPenColour(Colour::Blue);

    // For an odd size the last pieces read grid positions beyond the carved
    // region: whatever an earlier, larger maze left there.
    for (int r = 0; r <= height; ++r) {
        std::string& line = lines[2 * r];
        line += ' ';
        for (int c = 0; c < width; ++c) {
            line += grid[2 * c + 1][2 * r] != 0 ? " -" : "  ";
        }
    }
    for (int r = 0; r < height; ++r) {
        std::string& line = lines[2 * r + 1];
        for (int c = 0; c <= width; ++c) {
            line += grid[2 * c][2 * r + 1] != 0 ? " |" : "  ";
        }
    }

    clearPicture(picture);
}

}  // namespace nitka
