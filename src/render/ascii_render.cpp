#include "render/ascii_render.h"

#include <string>

#include "render/byte_sink.h"

namespace nitka {

void renderAscii(const WallGrid& grid, const RenderOptions& options, std::streambuf& out) {
    const int width = grid.width();
    ByteSink sink(out);
    std::string line;
    line.reserve(4 * static_cast<std::size_t>(width) + 2);
    for (int y = 0; y < grid.height(); ++y) {
        const std::size_t rowStart = grid.index({0, y});
        line.clear();
        for (int x = 0; x < width; ++x) {
            line +=
                grid.top(rowStart + static_cast<std::size_t>(x)) != Flag::Open ? "+---" : "+   ";
        }
        line += "+\n";
        sink.put(line);

        line.clear();
        for (int x = 0; x < width; ++x) {
            const std::size_t index = rowStart + static_cast<std::size_t>(x);
            line += grid.left(index) != Flag::Open ? '|' : ' ';
            line += options.route && grid.scratch(index) != 0 ? " o " : "   ";
        }
        line += "|\n";
        sink.put(line);
    }
    line.clear();
    for (int x = 0; x < width; ++x) {
        line += "+---";
    }
    line += "+\n";
    sink.put(line);
    sink.flush();
}

}  // namespace nitka
