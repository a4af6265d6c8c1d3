#pragma once

#include <cstdint>
#include <sstream>
#include <string>

#include "grid/wall_grid.h"
#include "storage/grid_writer.h"

namespace nitka::testing {

// FNV-1a of the maze file a grid is written as: a seed's promise pinned in
// eight bytes.
inline std::uint64_t mazeFileHash(const WallGrid& grid) {
    std::stringbuf out;
    writeGrid(out, grid);
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char byte : out.str()) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
    }
    return hash;
}

}  // namespace nitka::testing
