#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "carve/carve_method.h"
#include "plan/requests.h"
#include "render/render_options.h"
#include "shape/cell_mask.h"
#include "shape/topology.h"

namespace nitka {

// The commands a request can come from.
enum class Command { Generate, Solve, Render, Info, Animate, Book, Dataset };

// What a command writes.
enum class OutputKind {
    MazeFile,
    Lines,
    Ascii,
    Svg,
    PlotterSvg,
    Png,
    Pdf,
    Json,
    Stl,
    Gif,
    Webp,
    PngFrames,
    Npz
};

// The maze a request works on, as far as it is known before any of it is
// held: carved from the command line, or the header of a file.
struct MazeShape {
    ShapeKind shape = ShapeKind::Rect;
    std::int64_t width = 0;
    std::int64_t height = 0;
    // The mask of a carved maze, read once for the whole command; a file
    // read brings its own.
    std::shared_ptr<const CellMask> mask;
    // The file the size comes from, empty when the command line gave it.
    std::string file;
    // A file read as a stream: no length stands behind its header, and its
    // storage grows with the cells that arrive, so memory is judged then.
    bool stream = false;
};

// Every request, whatever its command, described for the rules of the plan:
// one table of small checks reads this and nothing else (plan_rules.h).
struct Job {
    Command command = Command::Generate;
    const GivenOptions* given = nullptr;
    // Nothing when the output's name tells no format the command writes.
    std::optional<OutputKind> output = OutputKind::MazeFile;
    // "-" for standard output; a folder for PNG frames.
    std::string outputName = "-";
    // The files read besides the maze file: masks, --solve-only's maze.
    std::vector<std::string> inputs;
    // How the maze is carved, when it is.
    std::optional<CarveOptions> carve;
    bool farthestExits = false;
    // A --difficulty search, which carves the maze again and again.
    bool difficultySearch = false;
    // The maze as far as it is known; unknown until a file's header is read.
    std::optional<MazeShape> maze;
    // The layout, made once the rules on the request pass: a carved maze
    // with a mask or of any shape but the plain rectangle.
    std::shared_ptr<const Topology> layout;
    // Pictures: pixels a cell (0 for the size's default), paper, mazes a page.
    int cell = 0;
    Paper paper = Paper::A4;
    int perPage = 0;
    int fps = 0;
    std::string title;
    // animate: the maze file whose search alone is animated, and whether the
    // search is left out; both an output file and a folder of frames named.
    std::string solveOnly;
    bool noSolve = false;
    bool twoOutputs = false;
    // book: difficulty rising across the book.
    bool rising = false;
    // dataset: mazes carved, threads carving them, the scores they must have.
    std::int64_t mazeCount = 1;
    int threads = 1;
    std::optional<std::pair<double, double>> difficultyRange;
    // A plotter's SVG and an STL solid.
    Millimetres mm = {};
};

// Whether the output is a picture of pixels, and whether it is binary data.
bool isPixelOutput(OutputKind output);
bool isBinaryOutput(OutputKind output);

}  // namespace nitka
