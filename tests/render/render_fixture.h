#pragma once

#include <png.h>

#include <cassert>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "grid/grid_route.h"
#include "grid/wall_grid.h"
#include "model/maze_state.h"
#include "render/render_options.h"
#include "solver/maze_pictures.h"

namespace nitka::testing {

// The first width x height cells of a window's wall array as a WallGrid.
inline WallGrid gridOf(const Maze& walls, int width, int height) {
    WallGrid grid(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t index = grid.index({x, y});
            grid.setTop(index, flagOf(walls[x][y].Top));
            grid.setLeft(index, flagOf(walls[x][y].Left));
        }
    }
    return grid;
}

// A 4 x 3 maze with a flag of 2 (':'), for the writers' exact output. Across
// it run four walls along its rows and four down its columns.
inline WallGrid picturedGrid() {
    const SizedMaze maze = mazeFromPicture({
        "+--+--+--+--+",
        "|        |  |",
        "+  +--+--+  +",
        "|  |     :  |",
        "+--+  +--+  +",
        "|     |     |",
        "+--+--+--+--+",
    });
    return gridOf(maze.walls, maze.width, maze.height);
}

// The route through the window's PathPoints (up to the end marker), as a GridRoute.
inline GridRoute routeOf(const std::vector<Position>& points) {
    GridRoute route({points.front().x, points.front().y});
    for (std::size_t i = 1; i < points.size() && points[i] != Position{-1, -1}; ++i) {
        const int dx = points[i].x - points[i - 1].x;
        const int dy = points[i].y - points[i - 1].y;
        for (int step = 0; step < 4; ++step) {
            if (kStepDx[step] == dx && kStepDy[step] == dy) {
                route.push(static_cast<Step>(step));
            }
        }
    }
    return route;
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
