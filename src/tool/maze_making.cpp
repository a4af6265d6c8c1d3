#include "tool/maze_making.h"

#include <optional>
#include <random>
#include <string>
#include <variant>

#include "carve/grid_shape_copy.h"
#include "carve/shape_carve.h"
#include "model/seeded_random.h"
#include "shape/make_topology.h"
#include "solver/difficulty.h"
#include "solver/farthest_exits.h"
#include "solver/measured_maze.h"
#include "storage/shape_file.h"
#include "tool/progress.h"
#include "tool/system_facts.h"

namespace nitka {
namespace {

// Any 64-bit value may come out, so that every seed is reachable from a run
// that drew its own.
std::uint64_t drawSeed() {
    try {
        std::random_device device;
        return std::uint64_t{device()} << 32 | device();
    } catch (const std::exception&) {
        // No entropy source here: the clock still differs from run to run.
        return clockSeed();
    }
}

}  // namespace

ShapeMaze carvePlannedMaze(const GeneratePlan& plan, std::uint64_t seed) {
    ShapeMaze maze(plan.layout);
    SeededRandom random(seed);
    carveShapeMaze(maze, plan.request.carve, random);
    return plan.request.farthestExits ? withFarthestExits(maze) : std::move(maze);
}

ShapeMaze carveShapeRequest(const GenerateRequest& request, std::uint64_t seed) {
    return carvePlannedMaze(planned(planGenerate(request, systemFacts())), seed);
}

ShapeMaze carveRectangleRequest(const GenerateRequest& request, std::uint64_t seed) {
    ShapeMaze maze(makeTopology(ShapeKind::Rect, request.width, request.height));
    {
        WallGrid grid(request.width, request.height);
        SeededRandom random(seed);
        carveMaze(grid, request.carve, random);
        copyGridToShape(grid, maze);
    }
    return request.farthestExits ? withFarthestExits(maze) : std::move(maze);
}

void generateShapeMaze(const GeneratePlan& plan, std::ostream& notices, OutputTarget* opened) {
    const GenerateRequest& request = plan.request;
    // Before any work: an output that cannot be written costs none.
    std::optional<OutputTarget> own;
    OutputTarget& output = opened ? *opened : own.emplace(request.output);
    const std::uint64_t seed = chooseSeed(request, notices);
    const auto cells = static_cast<double>(plan.layout->cellCount());
    Progress progress("generate", !request.quiet && Progress::terminalAttached(),
                      {cells * 3 * carveSecondsPerCell(request.carve.method), cells * 10e-9});
    ShapeMaze maze = carvePlannedMaze(plan, seed);
    progress.nextStage();
    output.write([&](std::streambuf& out) { writeShapeMaze(out, maze); });
}

std::uint64_t chooseSeed(const GenerateRequest& request, std::ostream& notices) {
    const std::uint64_t seed = request.seed ? *request.seed : drawSeed();
    if (!request.seed && !request.quiet) {
        notices << "seed " << seed << std::endl;
    }
    return seed;
}

bool writesShapeFile(const GenerateRequest& request) {
    return request.shape != ShapeKind::Rect || !request.mask.empty() || request.farthestExits;
}

ShapeMaze generatedShapeMaze(const GenerateRequest& request, std::uint64_t seed) {
    return writesShapeFile(request) ? carveShapeRequest(request, seed)
                                    : carveRectangleRequest(request, seed);
}

std::optional<double> generatedDifficulty(const GenerateRequest& request, std::uint64_t seed) {
    // The search tries many sizes: each is planned as generate plans it,
    // rather than run out of memory or time on the way.
    AnyMaze maze = carveGenerated(planned(planGenerate(request, systemFacts())), seed);
    return std::visit([](auto& held) { return measureWithDifficulty(held).difficulty; }, maze);
}

AnyMaze carveGenerated(const GeneratePlan& plan, std::uint64_t seed) {
    const GenerateRequest& request = plan.request;
    if (writesShapeFile(request)) {
        return carvePlannedMaze(plan, seed);
    }
    WallGrid grid(request.width, request.height);
    SeededRandom random(seed);
    carveMaze(grid, request.carve, random);
    return grid;
}

}  // namespace nitka
