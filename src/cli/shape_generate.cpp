#include "cli/shape_generate.h"

#include <optional>
#include <string>

#include "carve/grid_shape_copy.h"
#include "carve/shape_carve.h"
#include "cli/progress.h"
#include "cli/system_facts.h"
#include "model/seeded_random.h"
#include "shape/make_topology.h"
#include "solver/farthest_exits.h"
#include "storage/shape_file.h"

namespace nitka {

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

}  // namespace nitka
