#include "walls/wall_parser.h"

#include <string_view>

namespace nitka {
namespace {

// Whether the character at a 1-based position is mark; past the end it is not.
bool holds(std::string_view line, int position, char mark) {
    const auto index = static_cast<std::size_t>(position - 1);
    return index < line.size() && line[index] == mark;
}

}  // namespace

void ploh15_(MazeState& maze) {
    const int width = maze.MazeWidth;
    const int height = maze.MazeHeight;
    maze.Walls.resize(width + 1, height + 1);
    for (int i = 0; i <= height; ++i) {
        for (int j = 0; j <= width; ++j) {
            WallPair& pair = maze.Walls[j][i];
            if (i == height || j == width) {
                pair = WallPair{1, 1};
                continue;
            }
            pair.Top = holds(maze.MazeText[2 * i], 2 * j + 3, '-') ? 1 : 0;
            pair.Left = holds(maze.MazeText[2 * i + 1], 2 * j + 2, '|') ? 1 : 0;
        }
    }
}

}  // namespace nitka
