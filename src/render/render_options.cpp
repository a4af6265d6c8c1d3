#include "render/render_options.h"

#include <algorithm>
#include <cstdint>

#include "model/maze_walls.h"
#include "render/picture_layout.h"

namespace nitka {
namespace {

// Beyond this many pixels a side, common viewers struggle to open a picture.
constexpr std::int64_t kComfortableSide = 20'000;

}  // namespace

void failPictureWrite(int /*error*/) {
    throw RenderError("cannot write the picture");
}

int defaultCellSize(int width, int height) {
    if (width <= kMaxMazeSide && height <= kMaxMazeSide) {
        return cellSizeFor(width, height);
    }
    const std::int64_t longer = std::max(width, height);
    for (const int cell : {8, 4, 2}) {
        if (longer * cell + 2 * PictureLayout::kMargin + 1 < kComfortableSide) {
            return cell;
        }
    }
    return 2;
}

int cellSizeOf(const RenderOptions& options, int width, int height) {
    return options.cell == 0 ? defaultCellSize(width, height) : options.cell;
}

}  // namespace nitka
