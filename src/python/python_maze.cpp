#include "python/python_maze.h"

#include <array>
#include <limits>
#include <sstream>
#include <variant>

#include "plan/memory_need.h"
#include "shape/maze_view.h"
#include "solver/measured_maze.h"
#include "solver/view_route.h"
#include "storage/grid_writer.h"
#include "storage/shape_file.h"
#include "tool/difficulty_choice.h"
#include "tool/info_text.h"
#include "tool/maze_command.h"
#include "tool/maze_making.h"
#include "tool/option_values.h"
#include "tool/output_target.h"
#include "tool/picture_writing.h"
#include "tool/route_choice.h"
#include "tool/tool_error.h"

namespace nitka::python {
namespace {

// What errors call the maze: it has no file name.
constexpr const char* kMazeName = "the maze";

}  // namespace

GenerateRequest generateRequestOf(const GenerateArguments& arguments) {
    GenerateRequest request;
    request.quiet = true;
    std::vector<std::string>& given = request.given.names;
    const auto setSide = [&](const std::optional<std::string>& value, int& side,
                             const char* option) {
        if (value) {
            side = static_cast<int>(parseWholeNumber(*value, option, 1, kMaxGridSide));
            request.sizeGiven = true;
            given.emplace_back(option);
        }
    };
    setSide(arguments.width, request.width, "--width");
    setSide(arguments.height, request.height, "--height");
    request.shape = parseShape(arguments.shape);
    request.carve.method = parseMethod(arguments.method);
    request.methodGiven = request.carve.method != CarveMethod::DepthFirst;
    if (request.shape != ShapeKind::Rect) {
        given.emplace_back("--shape");
    }
    if (request.methodGiven) {
        given.emplace_back("--algorithm");
    }
    if (arguments.seed) {
        request.seed = parseSeed(*arguments.seed, "--seed");
        given.emplace_back("--seed");
    }
    if (arguments.pick) {
        if (const std::string why = parseGrowingTreePick(*arguments.pick, request.carve);
            !why.empty()) {
            throw UsageError("--pick", why);
        }
        given.emplace_back("--pick");
    }
    if (arguments.braid) {
        if (const std::string why = parseShare(*arguments.braid, request.carve.braid);
            !why.empty()) {
            throw UsageError("--braid", why);
        }
        given.emplace_back("--braid");
    }
    if (arguments.mask) {
        request.mask = *arguments.mask;
        given.emplace_back("--mask");
    }
    if (arguments.exits) {
        if (*arguments.exits != "farthest") {
            throw UsageError("--exits", "'" + *arguments.exits + "' is not farthest");
        }
        request.farthestExits = true;
        given.emplace_back("--exits");
    }
    if (arguments.difficulty) {
        parseDifficultyAsk(*arguments.difficulty);
        request.difficulty = *arguments.difficulty;
        given.emplace_back("--difficulty");
    }
    return request;
}

namespace {

// One question put one way to a plain rectangle, another to any other maze.
template <typename OnGrid, typename OnShape>
auto askEither(const AnyMaze& maze, OnGrid onGrid, OnShape onShape) {
    if (const auto* grid = std::get_if<WallGrid>(&maze)) {
        return onGrid(*grid);
    }
    return onShape(std::get<ShapeMaze>(maze));
}

// chooseRoute, an end outside the maze being a bad argument here: the tool
// learns it only from the file, Python from the caller.
template <typename Maze>
auto routeBetween(Maze& maze, const RouteEnds& ends, bool shortest) {
    try {
        return chooseRoute(maze, ends, shortest, kMazeName);
    } catch (const ToolError& error) {
        if (error.subject() == "--from" || error.subject() == "--to") {
            throw UsageError(error.subject(), error.what());
        }
        throw;
    }
}

// The render request the tool's command line would make of the same options.
RenderRequest requestOf(const RenderArguments& arguments) {
    RenderRequest request;
    request.input = kMazeName;
    request.quiet = true;
    std::vector<std::string>& given = request.given.names;
    request.format = parseFormat(arguments.format);
    given.emplace_back("--format");
    if (arguments.route) {
        request.route = true;
        given.emplace_back("--route");
    }
    if (arguments.shortest) {
        request.shortest = true;
        given.emplace_back("--shortest");
    }
    if (arguments.cell) {
        request.cell = static_cast<int>(parseWholeNumber(*arguments.cell, "--cell", 2, 1000));
        given.emplace_back("--cell");
    }
    if (arguments.marks) {
        request.marks = parseMarks(*arguments.marks);
        given.emplace_back("--marks");
    }
    if (arguments.plotter) {
        request.plotter = true;
        given.emplace_back("--plotter");
    }
    const std::array<std::pair<const char*, double Millimetres::*>, 5> sizes = {{
        {"--cell-mm", &Millimetres::cell},
        {"--pen-mm", &Millimetres::pen},
        {"--wall-mm", &Millimetres::wall},
        {"--height-mm", &Millimetres::height},
        {"--base-mm", &Millimetres::base},
    }};
    for (const auto& [option, text] : arguments.millimetres) {
        for (const auto& [name, size] : sizes) {
            if (option == name) {
                request.mm.*size = parseMillimetres(text, option);
                given.push_back(option);
            }
        }
    }
    return request;
}

// The size the planner judges a picture by, as a file's header would give it.
FileMaze headerOf(const AnyMaze& maze) {
    return askEither(
        maze,
        [](const WallGrid& grid) {
            return FileMaze{ShapeKind::Rect, grid.width(), grid.height(), nullptr, kMazeName};
        },
        [](const ShapeMaze& shape) {
            const Topology& layout = shape.topology();
            return FileMaze{layout.kind(), layout.width(), layout.height(), nullptr, kMazeName};
        });
}

}  // namespace

PythonMaze PythonMaze::generate(const GenerateArguments& arguments) {
    const GenerateRequest asked = generateRequestOf(arguments);
    const SystemFacts facts = systemFacts();
    GeneratePlan plan = planned(planGenerate(asked, facts));
    // Quiet: nothing is told, and the seed is the maze's own attribute.
    std::ostringstream untold;
    std::uint64_t seed = chooseSeed(asked, untold);
    if (!asked.difficulty.empty()) {
        const GenerateRequest settled = settleDifficulty(plan.request, seed, untold);
        plan = planned(planGenerate(settled, facts));
        seed = settled.seed.value_or(seed);
    }
    return {carveGenerated(plan, seed), seed};
}

PythonMaze PythonMaze::load(const std::string& path) {
    InfoRequest request;
    request.input = path;
    request.quiet = true;
    const MazeCommand command(request, planInfo);
    Progress progress = command.progress("load", {});
    return {command.read(progress, searchNeed), std::nullopt};
}

std::string PythonMaze::shape() const {
    return askEither(
        m_maze, [](const WallGrid&) { return std::string("rect"); },
        [](const ShapeMaze& maze) { return std::string(shapeName(maze.topology().kind())); });
}

std::int64_t PythonMaze::width() const {
    return askEither(
        m_maze, [](const WallGrid& grid) -> std::int64_t { return grid.width(); },
        [](const ShapeMaze& maze) -> std::int64_t { return maze.topology().width(); });
}

std::int64_t PythonMaze::height() const {
    return askEither(
        m_maze, [](const WallGrid& grid) -> std::int64_t { return grid.height(); },
        [](const ShapeMaze& maze) -> std::int64_t { return maze.topology().height(); });
}

Position PythonMaze::start() const {
    return startOf(m_maze);
}

Position PythonMaze::target() const {
    return targetOf(m_maze);
}

std::uint64_t PythonMaze::cellCount() const {
    return askEither(
        m_maze, [](const WallGrid& grid) -> std::uint64_t { return grid.cellCount(); },
        [](const ShapeMaze& maze) -> std::uint64_t { return maze.topology().cellCount(); });
}

std::vector<std::int32_t> PythonMaze::graph(GraphList list) const {
    return std::visit([list](const auto& held) { return graphList(held, list); }, m_maze);
}

WallPicture PythonMaze::grid() const {
    return wallPicture(m_maze);
}

std::vector<std::int32_t> PythonMaze::solve(bool shortest, std::optional<Position> from,
                                            std::optional<Position> to) {
    // A position past what the tool reads is outside every maze.
    const auto cellOf = [](const std::optional<Position>& position,
                           const char* option) -> std::optional<GridCell> {
        if (!position) {
            return std::nullopt;
        }
        const auto fits = [](std::int64_t value) {
            return value >= std::numeric_limits<int>::min() &&
                   value <= std::numeric_limits<int>::max();
        };
        if (!fits(position->x) || !fits(position->y)) {
            throw UsageError(option, std::to_string(position->x) + "," +
                                         std::to_string(position->y) + " lies outside the maze");
        }
        return GridCell{static_cast<int>(position->x), static_cast<int>(position->y)};
    };
    const RouteEnds ends{cellOf(from, "--from"), cellOf(to, "--to")};
    return std::visit(
        [&](auto& held) {
            const auto route = routeBetween(held, ends, shortest);
            std::vector<std::int32_t> positions;
            positions.reserve(2 * (route.moves() + 1));
            withMazeView(held, [&](const auto& view) {
                forEachRouteCell(view, route, [&](CellId cell) {
                    const CellPosition at = view.layout().position(cell);
                    positions.push_back(static_cast<std::int32_t>(at.x));
                    positions.push_back(static_cast<std::int32_t>(at.y));
                });
            });
            return positions;
        },
        m_maze);
}

std::string PythonMaze::infoJson() {
    const auto [stats, difficulty] =
        std::visit([](auto& held) { return measureWithDifficulty(held); }, m_maze);
    return nitka::infoJson(stats, difficulty);
}

std::string PythonMaze::render(const RenderArguments& arguments) const {
    const RenderRequest request = requestOf(arguments);
    SystemFacts facts = systemFacts();
    // The picture goes to the caller as bytes, never to the terminal.
    facts.standardOutputIsTerminal = false;
    planned(planRender(request, facts));
    const FileMaze header = headerOf(m_maze);
    const RenderPlan plan = planned(planRender(request, facts, &header));
    // The route is marked on a copy: the maze itself stays as it was.
    AnyMaze drawn = m_maze;
    std::vector<Point> route = prepareForPicture(drawn, request, plan, kMazeName);
    std::stringbuf picture;
    try {
        const RenderOptions options = pictureOptions(request, plan);
        if (options.plotter) {
            writePlotterPicture(drawn, options, std::move(route), picture);
        } else {
            writePicture(drawn, plan.format, options, picture);
        }
    } catch (const RenderError& error) {
        throw ToolError("render", error.what());
    }
    return std::move(picture).str();
}

void PythonMaze::save(const std::string& path) const {
    askEither(
        m_maze,
        [&path](const WallGrid& grid) {
            OutputTarget output(path, gridFileBytes(grid.width(), grid.height()));
            output.write([&](std::streambuf& out) { writeGrid(out, grid); });
        },
        [&path](const ShapeMaze& maze) {
            OutputTarget output(path);
            output.write([&](std::streambuf& out) { writeShapeMaze(out, maze); });
        });
}

}  // namespace nitka::python
