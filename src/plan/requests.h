#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "animate/animation.h"
#include "carve/carve_method.h"
#include "grid/wall_grid.h"
#include "render/render_options.h"
#include "shape/cell_mask.h"
#include "shape/topology.h"

namespace nitka {

// The options a front end was given, by their long names ("--cell"), so that
// the planner can refuse one that the chosen command or format has no use for
// instead of ignoring it.
struct GivenOptions {
    std::vector<std::string> names;
    bool has(std::string_view name) const {
        return std::find(names.begin(), names.end(), name) != names.end();
    }
};

// A new maze: its layout, method and seed, as generate takes them.
struct GenerateRequest {
    int width = 50;
    int height = 50;
    // Drawn at random when not given, and then told on stderr.
    std::optional<std::uint64_t> seed;
    std::string output = "-";
    // The method, growing tree's pick and the share of dead ends to braid.
    CarveOptions carve;
    bool quiet = false;
    ShapeKind shape = ShapeKind::Rect;
    // A picture of the cells to keep, which also sets the size; none if empty.
    std::string mask;
    // Start and target on the outer edge as far apart as the maze allows,
    // kept in the file (which makes it a shape file, a rectangle too).
    bool farthestExits = false;
    // --difficulty as typed: a band's name or a number; empty when not asked.
    std::string difficulty;
    // Which of size and method the command line gave: --difficulty chooses
    // the others.
    bool sizeGiven = false;
    bool methodGiven = false;
    GivenOptions given;
    // The mask's cells once read: the planner reads a mask once for a
    // command, however many mazes it carves on it.
    std::shared_ptr<const CellMask> maskCells;
};

// The cells a route runs between, as the command line gave them or the
// corners: (0, 0) and the bottom-right cell.
struct RouteEnds {
    std::optional<GridCell> from;
    std::optional<GridCell> to;
};

// The route through a maze file.
struct SolveRequest {
    std::string input;
    bool shortest = false;
    RouteEnds ends;
    bool quiet = false;
    GivenOptions given;
};

// A picture, or (Json) the maze as a graph for other programs.
enum class ImageFormat { Ascii, Svg, Png, Pdf, Json, Stl };

// A picture of a maze file.
struct RenderRequest {
    std::string input;
    std::string output = "-";
    // Told by the output's name when not given.
    std::optional<ImageFormat> format;
    // Dots along the route on the picture.
    bool route = false;
    // The route is a shortest one rather than the window's.
    bool shortest = false;
    // Pixels a cell; the size's default when not given.
    std::optional<int> cell;
    Paper paper = Paper::A4;
    // PDF only: a second page with the route.
    bool answer = false;
    bool quiet = false;
    // How the start and target show; the format's default when not given:
    // openings in PDF and SVG, nothing in PNG (the window's pixels).
    std::optional<Marks> marks;
    // SVG: the walls as few long strokes for a pen plotter, in millimetres.
    bool plotter = false;
    // The plotter's SVG and the STL solid.
    Millimetres mm = {};
    GivenOptions given;
};

// Measures of a maze file.
struct InfoRequest {
    std::string input;
    bool json = false;
    bool quiet = false;
    GivenOptions given;
};

// The carving of generate's maze, step by step, then the window's route
// search, as an animated GIF or WebP or a folder of PNGs.
struct AnimateRequest {
    // The maze, as generate takes it; its output is not used.
    GenerateRequest maze;
    // The animation's file (.gif or .webp), or else the folder for PNG frames.
    std::string output;
    std::string framesFolder;
    // A maze file whose route search alone is animated.
    std::string solveOnly;
    AnimationPlan plan;
    GivenOptions given;
};

// Many mazes of one size, shape and method, for a dataset: maze i carved
// from a seed derived from the batch's seed and i.
struct BatchRequest {
    std::int64_t count = 1;
    // Size, shape and method of every maze; its seed is the batch's.
    GenerateRequest maze;
    // Scores a maze must have, both ends included; unset for any.
    std::optional<std::pair<double, double>> difficulty;
    // No two mazes with the same passages.
    bool unique = false;
    // Threads carving at once; 0 for one a core.
    int threads = 0;
    std::string output = "-";
    bool quiet = false;
    GivenOptions given;
};

// Many mazes in one PDF, an answer section at the back.
struct BookRequest {
    int count = 10;
    // Size, shape and method of every maze (size and method as --difficulty
    // chooses them when not given); the seed is the book's.
    GenerateRequest maze;
    // "" for none, a band, a number, or "rising": from easy to expert across
    // the book.
    std::string difficulty;
    Paper paper = Paper::A4;
    int perPage = 1;
    std::string title;
    std::string output = "-";
    bool quiet = false;
    GivenOptions given;
};

}  // namespace nitka
