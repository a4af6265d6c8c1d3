#include "cli/shape_generate.h"

#include <optional>
#include <string>

#include "carve/shape_carve.h"
#include "cli/file_identity.h"
#include "cli/memory_need.h"
#include "cli/output_target.h"
#include "cli/progress.h"
#include "cli/tool_error.h"
#include "grid/size_limits.h"
#include "model/seeded_random.h"
#include "shape/make_topology.h"
#include "shape/mask_source.h"
#include "shape/shape_error.h"
#include "shape/shape_parts.h"
#include "solver/farthest_exits.h"
#include "storage/file_calls.h"
#include "storage/shape_file.h"

namespace nitka {
namespace {

std::string everyShapeMethods() {
    std::string names;
    for (const CarveMethodInfo& info : carveMethods()) {
        if (carvesEveryShape(info.method)) {
            names += (names.empty() ? "" : ", ") + std::string(info.name);
        }
    }
    return names;
}

std::string layoutName(const GenerateRequest& request) {
    return std::string(shapeName(request.shape)) + (request.mask.empty() ? "" : " with a mask");
}

CellMask readMaskOf(const GenerateRequest& request) {
    const std::string shown = inputName(request.mask);
    return blamingFile(shown, [&] {
        try {
            return readMaskFile(request.mask);
        } catch (const ShapeError& error) {
            throw ToolError(shown, error.what());
        }
    });
}

std::string positionText(const Topology& topology, CellId cell) {
    const CellPosition at = topology.position(cell);
    return std::to_string(at.x) + ',' + std::to_string(at.y);
}

// A maze must be one piece, or some cells could never be reached.
void refuseLayoutInParts(const Topology& topology, const GenerateRequest& request) {
    const ShapeParts parts = findParts(topology);
    if (parts.count <= 1) {
        return;
    }
    std::string cells;
    for (const CellId first : parts.firsts) {
        cells += (cells.empty() ? "" : "; ") + positionText(topology, first);
    }
    const std::string more = parts.count > parts.firsts.size() ? "; ..." : "";
    const std::string why = "its cells fall in " + std::to_string(parts.count) +
                            " separate parts (cells meeting only at a corner are apart), "
                            "one holding each of " +
                            cells + more;
    if (!request.mask.empty()) {
        throw ToolError(inputName(request.mask), why);
    }
    throw ToolError("generate", "a " + std::to_string(request.width) + " x " +
                                    std::to_string(request.height) + " " +
                                    std::string(shapeName(request.shape)) + " layout: " + why);
}

// The maze's byte a place, a bit a place each for the mask and the search
// for parts, the file buffers and the method's lists. A polar maze's rings
// are counted as rows as wide as the outermost, which is more than it has.
std::uint64_t shapeGenerateNeed(const Topology& topology, CarveMethod method) {
    const std::uint64_t places = topology.slotCount();
    const std::uint64_t lists = carveExtraBytes(method, topology.width(), topology.height() + 1);
    return saturatingAdd(saturatingAdd(places, places / 4), saturatingAdd(lists, kFileBufferBytes));
}

void refuseRectangleOnlyMethod(const GenerateRequest& request) {
    const CarveMethod method = request.carve.method;
    if (!carvesEveryShape(method)) {
        throw UsageError("--algorithm", std::string(carveMethodInfo(method).name) +
                                            " keeps to a plain rectangle; on a " +
                                            layoutName(request) + " use " + everyShapeMethods());
    }
}

ShapeMaze carveOn(std::shared_ptr<const Topology> topology, const GenerateRequest& request,
                  std::uint64_t seed) {
    ShapeMaze maze(std::move(topology));
    SeededRandom random(seed);
    carveShapeMaze(maze, request.carve, random);
    return request.farthestExits ? withFarthestExits(maze) : std::move(maze);
}

}  // namespace

std::shared_ptr<const Topology> shapeLayoutOf(const GenerateRequest& request) {
    const CarveMethod method = request.carve.method;
    std::optional<CellMask> mask;
    if (!request.mask.empty()) {
        mask = readMaskOf(request);
    }
    const int width = mask ? mask->width() : request.width;
    const int height = mask ? mask->height() : request.height;
    // Small beside the maze: a polar maze keeps a table of its rings.
    auto topology = makeTopology(request.shape, width, height, std::move(mask));
    if (const auto why = memoryRefusal(topology->width(), topology->height(),
                                       shapeGenerateNeed(*topology, method))) {
        throw ToolError("generate", *why);
    }
    refuseLayoutInParts(*topology, request);
    if (const std::string why = shapeCarveRefusal(method, *topology); !why.empty()) {
        throw ToolError("generate", why);
    }
    return topology;
}

ShapeMaze carveShapeRequest(const GenerateRequest& request, std::uint64_t seed) {
    refuseRectangleOnlyMethod(request);
    return carveOn(shapeLayoutOf(request), request, seed);
}

void generateShapeMaze(const GenerateRequest& request, std::ostream& notices,
                       OutputTarget* opened) {
    const CarveMethod method = request.carve.method;
    refuseRectangleOnlyMethod(request);
    if (!request.mask.empty()) {
        refuseOutputOverInputs(request.output, {request.mask});
    }
    // Before any work: an output that cannot be written costs none.
    std::optional<OutputTarget> own;
    OutputTarget& output = opened ? *opened : own.emplace(request.output);
    const auto topology = shapeLayoutOf(request);
    const std::uint64_t seed = chooseSeed(request, notices);
    const auto cells = static_cast<double>(topology->cellCount());
    Progress progress("generate", !request.quiet && Progress::terminalAttached(),
                      {cells * 3 * carveSecondsPerCell(method), cells * 10e-9});
    ShapeMaze maze = carveOn(topology, request, seed);
    progress.nextStage();
    output.write([&](std::streambuf& out) { writeShapeMaze(out, maze); });
}

}  // namespace nitka
