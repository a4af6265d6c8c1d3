// Feeds arbitrary bytes to the maze file reader. Beyond the sanitizers' own
// checks it requires that the only failure is an invalid number, that the
// border of a loaded maze is walled, and that what loads saves and loads back
// to the same flags.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "fuzz_input.h"
#include "model/maze_state.h"
#include "storage/file_error.h"
#include "storage/maze_reader.h"
#include "storage/maze_writer.h"

namespace {

using nitka::fuzzing::ByteBuffer;
using nitka::fuzzing::require;

bool usableSize(const nitka::MazeSize& size) {
    return size.width >= 1 && size.width <= nitka::kMaxMazeSide && size.height >= 1 &&
           size.height <= nitka::kMaxMazeSide;
}

void checkBorder(const nitka::Maze& walls, int width, int height) {
    require(walls.columns() == width + 1 && walls.rows() == height + 1);
    const nitka::WallPair wall{1, 1};
    for (int x = 0; x <= width; ++x) {
        require(walls[x][height] == wall);
    }
    for (int y = 0; y <= height; ++y) {
        require(walls[width][y] == wall);
    }
}

void checkRoundTrip(const nitka::Maze& walls, int width, int height) {
    std::ostringstream saved;
    nitka::writeMaze(saved, walls, width, height);
    std::stringbuf again(saved.str());
    nitka::MazeReader reader(again);
    const nitka::MazeSize size = nitka::readMazeHeader(reader);
    require(size.width == width && size.height == height);
    require(nitka::readMazeCells(reader, width, height) == walls);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteBuffer bytes(data, size);
    nitka::MazeReader reader(bytes);
    try {
        const nitka::MazeSize mazeSize = nitka::readMazeHeader(reader);
        if (!usableSize(mazeSize)) {
            return 0;
        }
        const nitka::Maze walls = nitka::readMazeCells(reader, mazeSize.width, mazeSize.height);
        checkBorder(walls, mazeSize.width, mazeSize.height);
        checkRoundTrip(walls, mazeSize.width, mazeSize.height);
    } catch (const nitka::FileError& error) {
        require(error.code() == nitka::file_error_code::kInvalidNumber);
    }
    return 0;
}
