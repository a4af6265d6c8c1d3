#pragma once

#include <png.h>

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "grid/grid_from_maze.h"
#include "grid/wall_grid.h"
#include "render/render_options.h"
#include "render/route_marks.h"

namespace nitka::testing {

// A 4 x 3 maze with a flag of 2 (':'), for the writers' exact output. Across
// it run four walls along its rows and four down its columns. The route along
// its top row is marked, for the writers to draw only when asked.
inline WallGrid picturedGrid() {
    WallGrid grid = gridFromMaze(mazeFromPicture({
        "+--+--+--+--+",
        "|        |  |",
        "+  +--+--+  +",
        "|  |     :  |",
        "+--+  +--+  +",
        "|     |     |",
        "+--+--+--+--+",
    }));
    GridRoute route({0, 0});
    route.push(Step::Right);
    route.push(Step::Right);
    markRoute(grid, route);
    return grid;
}

template <typename Render>
std::string rendered(Render render, const WallGrid& grid, const RenderOptions& options) {
    std::stringbuf out;
    render(grid, options, out);
    return std::move(out).str();
}

// A decoded PNG as 8-bit grey, row by row.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> grey;

    bool dark(int x, int y) const {
        return grey[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)] < 128;
    }
};

// Decodes with libpng, which also checks every chunk's CRC and the zlib stream.
inline GreyImage decodePng(const std::string& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
        throw std::runtime_error(image.message);
    }
    image.format = PNG_FORMAT_GRAY;
    GreyImage result{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    result.grey.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, result.grey.data(), 0, nullptr) == 0) {
        throw std::runtime_error(image.message);
    }
    return result;
}

}  // namespace nitka::testing
