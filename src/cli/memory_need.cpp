#include "cli/memory_need.h"

#include "cli/memory_limit.h"
#include "grid/grid_route.h"
#include "grid/size_limits.h"
#include "grid/wall_grid.h"
#include "render/render_options.h"
#include "storage/file_calls.h"

namespace nitka {
namespace {

std::uint64_t mazeAndFiles(std::int64_t width, std::int64_t height) {
    return saturatingAdd(WallGrid::bytesFor(width, height), kFileBufferBytes);
}

std::uint64_t routeThroughAll(std::int64_t width, std::int64_t height) {
    return GridRoute::bytesFor(cellsOf(width, height));
}

}  // namespace

std::uint64_t generateNeed(std::int64_t width, std::int64_t height, CarveMethod method) {
    const bool carvable = width >= 1 && height >= 1 && width <= kMaxGridSide &&
                          height <= kMaxGridSide && cellsOf(width, height) <= kMaxGridCells;
    return saturatingAdd(
        mazeAndFiles(width, height),
        carvable ? carveExtraBytes(method, static_cast<int>(width), static_cast<int>(height)) : 0);
}

std::uint64_t searchNeed(std::int64_t width, std::int64_t height) {
    return saturatingAdd(mazeAndFiles(width, height), routeThroughAll(width, height));
}

std::uint64_t renderNeed(std::int64_t width, std::int64_t height) {
    return saturatingAdd(searchNeed(width, height), kPictureWriterBytes);
}

std::optional<std::string> memoryRefusal(std::int64_t width, std::int64_t height,
                                         std::uint64_t need) {
    return refusal(width, height, need, processMemoryLimit());
}

}  // namespace nitka
