#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "plan/requests.h"
#include "render/graph_json.h"
#include "tool/maze_arrays.h"
#include "tool/maze_input.h"

namespace nitka::python {

// What nitka.generate was given, each option as the text the tool's command
// line would read; unset for one not given.
struct GenerateArguments {
    std::optional<std::string> width;
    std::optional<std::string> height;
    std::string shape = "rect";
    std::string method = "depth-first";
    std::optional<std::string> seed;
    std::optional<std::string> pick;
    std::optional<std::string> braid;
    std::optional<std::string> mask;
    std::optional<std::string> exits;
    std::optional<std::string> difficulty;
};

// The request generate's command line would make of the same options, each
// read by the tool's own reader so that a bad one gets the tool's words.
GenerateRequest generateRequestOf(const GenerateArguments& arguments);

// What Maze.render was given, as the tool's options would read.
struct RenderArguments {
    std::string format = "png";
    bool route = false;
    bool shortest = false;
    std::optional<std::string> cell;
    std::optional<std::string> marks;
    bool plotter = false;
    // Millimetre sizes by their options' names ("--cell-mm"), as text.
    std::vector<std::pair<std::string, std::string>> millimetres;
};

// One maze as the package holds it: as the file it is saved to holds it, so
// that every answer is the tool's answer for that file. Every call that
// works on the maze may run without the interpreter's lock; one maze is not
// for two threads at once, as its searches mark its cells.
class PythonMaze {
public:
    // The maze `nitka-maze generate` writes for the same options. Throws
    // ToolError as the tool refuses them.
    static PythonMaze generate(const GenerateArguments& arguments);
    // A maze file of either format, read whole as the tool reads it.
    static PythonMaze load(const std::string& path);

    std::string shape() const;
    std::int64_t width() const;
    std::int64_t height() const;
    std::optional<std::uint64_t> seed() const { return m_seed; }
    Position start() const;
    Position target() const;
    std::uint64_t cellCount() const;

    // render --format json's lists, flattened: cells as x, y; pairs as i, j.
    std::vector<std::int32_t> graph(GraphList list) const;
    // Throws ToolError for any maze but a rectangle.
    WallPicture grid() const;
    // The route's positions, flattened, as solve prints them.
    std::vector<std::int32_t> solve(bool shortest, std::optional<Position> from,
                                    std::optional<Position> to);
    // info --json's line.
    std::string infoJson();
    // The bytes `nitka-maze render` writes of this maze's file.
    std::string render(const RenderArguments& arguments) const;
    // Writes the maze as generate writes it, with the tool's file safety.
    void save(const std::string& path) const;

private:
    PythonMaze(AnyMaze maze, std::optional<std::uint64_t> seed)
        : m_maze(std::move(maze)), m_seed(seed) {}

    AnyMaze m_maze;
    std::optional<std::uint64_t> m_seed;
};

}  // namespace nitka::python
