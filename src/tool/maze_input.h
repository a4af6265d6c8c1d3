#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "grid/wall_grid.h"
#include "shape/shape_maze.h"
#include "storage/input_stream.h"
#include "storage/maze_reader.h"
#include "storage/shape_file.h"

namespace nitka {

// The maze file a command reads: the name given, else standard input ("-")
// when it is not a terminal, so that the tool works as a filter, else
// labird.txt beside the user, where the window saves.
std::string mazeFileOrDefault(const std::string& given);

// About how many cells the maze file holds, from its length (a line a cell),
// for a progress line's estimates only; 0 where it cannot be told (a pipe).
double expectedCells(const std::string& name);

// What reading a maze file takes a cell on this machine, for the same.
inline constexpr double kReadSecondsPerCell = 8e-9;

// Memory a command needs for a maze of the size a file's header gives.
using MemoryNeed = std::function<std::uint64_t(std::int64_t width, std::int64_t height)>;

// A maze as a file holds it: a plain rectangle in the window's format, on the
// compact grid that keeps its every flag, or any other shape.
using AnyMaze = std::variant<WallGrid, ShapeMaze>;

// What the first line of a maze file says: which format, and the size it
// promises. A polar maze's width is the cells of its outer ring, its height
// its rings.
struct MazeHeader {
    bool shapeFormat = false;
    ShapeKind shape = ShapeKind::Rect;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// A maze file, or standard input for "-", opened and read as far as its
// header, so that a caller can judge the size before anything of it is held.
// Named pipes, /dev/stdin and the like are read as streams. Either format is
// read, told by its first line: the window's under its lenient reading rules,
// but whole (a file that ends before its last cell is an error here, where
// the window reads the missing flags as 0); the shape format strictly.
// Throws ToolError naming the input when it cannot be read, is empty, starts
// with a byte-order mark, holds no maze (a width or height below 1), has a
// size past the caps (grid/size_limits.h), or is a regular file too short for
// the size its header promises.
class MazeInput {
public:
    explicit MazeInput(const std::string& name);
    ~MazeInput();
    MazeInput(const MazeInput&) = delete;
    MazeInput& operator=(const MazeInput&) = delete;

    const MazeHeader& header() const { return m_header; }
    // The input as messages name it: "standard input" for "-".
    const std::string& shownName() const { return m_shown; }
    // Whether the input is a stream whose length was not known beforehand,
    // whose storage therefore grows with the cells that arrive.
    bool isStream() const;

    // The rest, whole; ToolError ("ends after N of W x H cells") when the
    // input ends early. Call once.
    AnyMaze read();
    // The same, refusing a maze of the window's format that this process
    // cannot hold for need: a regular file's from its header, before anything
    // of it is held; a stream's once more has come than fits, so that a
    // stream that ends before says where it ended.
    AnyMaze read(const MemoryNeed& need);

private:
    void readHeader();
    void readShapeHeader();
    void refuseLongHeader() const;
    void refuseSizeBeyondBytes() const;
    AnyMaze readBody(std::uint64_t mostHeld, const std::string& tooLarge);
    // Holds at most mostHeld cells of a stream, refusing it with tooLarge
    // when it goes on past them.
    WallGrid readGrid(std::uint64_t mostHeld, const std::string& tooLarge);

    std::string m_shown;
    std::unique_ptr<InputStream> m_input;
    std::unique_ptr<MazeReader> m_reader;
    ShapeFileHeader m_shapeHeader;
    MazeHeader m_header;
};

// Reads the maze file name, or standard input for "-": MazeInput's read(need).
AnyMaze readMazeInput(const std::string& name, const MemoryNeed& need);

}  // namespace nitka
