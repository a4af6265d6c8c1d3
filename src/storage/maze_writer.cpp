#include "storage/maze_writer.h"

#include <array>
#include <cassert>
#include <charconv>
#include <string>

namespace nitka {
namespace {

void appendNumber(std::string& text, int value) {
    std::array<char, 11> digits{};  // "-2147483648"
    char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    text.append(digits.data(), end);
}

void appendLine(std::string& text, int first, int second) {
    appendNumber(text, first);
    text += "  ";
    appendNumber(text, second);
    text += "\r\n";
}

}  // namespace

void writeMaze(std::ostream& out, const Maze& walls, int width, int height) {
    assert(width >= 0 && height >= 0 && walls.columns() >= width && walls.rows() >= height);
    // One write of the whole text: a stream write per number costs more than
    // the formatting.
    std::string text;
    text.reserve(static_cast<std::size_t>(width) * height * 6 + 16);
    appendLine(text, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const WallPair pair = walls[x][y];
            appendLine(text, pair.Top, pair.Left);
        }
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace nitka
