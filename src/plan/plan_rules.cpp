#include "plan/plan_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "animate/gif_sink.h"
#include "animate/webp_sink.h"
#include "carve/shape_carve.h"
#include "grid/size_limits.h"
#include "plan/memory_need.h"
#include "plan/planner.h"
#include "plan/work_cost.h"
#include "render/book_pdf.h"
#include "render/paper.h"
#include "render/picture_layout.h"
#include "shape/layout_extent.h"
#include "shape/shape_parts.h"

namespace nitka {
namespace {

using Outcome = std::optional<Refusal>;

const char* outputName(OutputKind output) {
    switch (output) {
        case OutputKind::MazeFile:
            return "a maze file";
        case OutputKind::Lines:
            return "text";
        case OutputKind::Ascii:
            return "ASCII";
        case OutputKind::Svg:
            return "SVG";
        case OutputKind::PlotterSvg:
            return "plotter SVG";
        case OutputKind::Png:
            return "PNG";
        case OutputKind::Pdf:
            return "PDF";
        case OutputKind::Json:
            return "JSON";
        case OutputKind::Stl:
            return "STL";
        case OutputKind::Gif:
            return "GIF";
        case OutputKind::Webp:
            return "WebP";
        case OutputKind::PngFrames:
            return "PNG frames";
        case OutputKind::Npz:
            return "NumPy .npz";
    }
    return "";
}

std::string sizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

bool isPlainRectangle(const MazeShape& maze) {
    return maze.shape == ShapeKind::Rect && !maze.mask;
}

// What the refusals about a maze's size blame: its file, else the option that
// set the size.
std::string sizeSubject(const Job& job, const char* option) {
    return job.maze && !job.maze->file.empty() ? job.maze->file : option;
}

Refusal::Kind sizeKind(const Job& job) {
    return job.maze && !job.maze->file.empty() ? Refusal::Kind::Failed : Refusal::Kind::Usage;
}

// --- Rules on the command line alone ----------------------------------------

Outcome formatKnown(const Job& job, const SystemFacts&) {
    if (job.output) {
        return {};
    }
    if (job.command == Command::Animate) {
        return usageRefusal(job.outputName,
                            "cannot tell the animation's format from its name; name it .gif or "
                            ".webp, or give --frames FOLDER for PNG frames");
    }
    if (job.command == Command::Dataset) {
        return usageRefusal(job.outputName, kDatasetName);
    }
    return usageRefusal(job.outputName,
                        "cannot tell the picture's format from its name; give --format");
}

Outcome oneOutput(const Job& job, const SystemFacts&) {
    if (job.command != Command::Animate) {
        return {};
    }
    if (job.twoOutputs) {
        return usageRefusal("--frames", "give either -o FILE or --frames FOLDER, not both");
    }
    if (job.outputName.empty()) {
        return usageRefusal("--output", "give -o FILE (.gif or .webp) or --frames FOLDER");
    }
    return {};
}

Outcome notOnTerminal(const Job& job, const SystemFacts& facts) {
    if (job.outputName != "-" || !job.output || !isBinaryOutput(*job.output) ||
        !facts.standardOutputIsTerminal) {
        return {};
    }
    return usageRefusal("standard output",
                        std::string("a ") + outputName(*job.output) +
                            " would garble the terminal; give -o FILE or send standard output "
                            "to a file or a pipe");
}

// An option that only some outputs use, and what the refusal says of it.
struct FormatOption {
    const char* name;
    std::vector<OutputKind> users;
    const char* refusal;
};

Outcome optionsTheOutputUses(const Job& job, const SystemFacts&) {
    using enum OutputKind;
    static const std::array<FormatOption, 12> kOptions = {{
        {"--plotter", {PlotterSvg}, "only an SVG is drawn for a plotter"},
        {"--cell", {Png, Svg}, "only a PNG or SVG picture has pixels a cell"},
        {"--cell-mm", {PlotterSvg, Stl}, "only a plotter's SVG or an STL is sized in millimetres"},
        {"--pen-mm", {PlotterSvg}, "only a plotter's SVG has a pen; add --plotter"},
        {"--wall-mm", {Stl}, "only an STL solid has walls of a thickness"},
        {"--height-mm", {Stl}, "only an STL solid has a height"},
        {"--base-mm", {Stl}, "only an STL solid has a base"},
        {"--paper", {Pdf}, "only a PDF is printed on paper"},
        {"--answer", {Pdf}, "only a PDF has a second page"},
        {"--marks", {Svg, PlotterSvg, Png, Pdf}, "only an SVG, PNG or PDF picture takes marks"},
        {"--route", {Ascii, Svg, PlotterSvg, Png, Pdf}, "only a picture shows the route"},
        {"--shortest", {Ascii, Svg, PlotterSvg, Png, Pdf}, "only a picture shows the route"},
    }};
    if (job.command != Command::Render || !job.output || !job.given) {
        return {};
    }
    for (const FormatOption& option : kOptions) {
        const bool used =
            std::find(option.users.begin(), option.users.end(), *job.output) != option.users.end();
        if (job.given->has(option.name) && !used) {
            return usageRefusal(option.name, std::string(option.refusal) + "; this output is " +
                                                 outputName(*job.output));
        }
    }
    return {};
}

Outcome optionsThatGoTogether(const Job& job, const SystemFacts&) {
    const GivenOptions none;
    const GivenOptions& given = job.given ? *job.given : none;
    if (!job.solveOnly.empty()) {
        for (const char* option : {"--width", "--height", "--shape", "--mask", "--seed",
                                   "--algorithm", "--pick", "--braid", "--exits"}) {
            if (given.has(option)) {
                return usageRefusal(option,
                                    "--solve-only takes its maze from FILE; leave out the options "
                                    "that make one");
            }
        }
        if (job.noSolve) {
            return usageRefusal("--no-solve", "--solve-only animates nothing but the search");
        }
        return {};
    }
    if (!job.carve || !job.maze) {
        return {};
    }
    if (given.has("--pick") && job.carve->method != CarveMethod::GrowingTree) {
        return usageRefusal("--pick", "only growing-tree has a pick; add --algorithm growing-tree");
    }
    if (job.maze->shape == ShapeKind::Polar && given.has("--width")) {
        return usageRefusal("--width",
                            "a polar maze has no width: its rings, -H, decide its cells");
    }
    if (job.maze->shape == ShapeKind::Polar && given.has("--mask")) {
        return usageRefusal("--mask", "a polar maze takes no mask");
    }
    if (given.has("--mask") && (given.has("--width") || given.has("--height"))) {
        return usageRefusal("--mask", "the mask sets the size; leave out -W and -H");
    }
    if (job.rising && (given.has("--width") || given.has("--height"))) {
        return usageRefusal("--difficulty",
                            "rising grows the mazes; leave out -W and -H to let it");
    }
    return {};
}

std::string everyShapeMethods() {
    std::string names;
    for (const CarveMethodInfo& info : carveMethods()) {
        if (carvesEveryShape(info.method)) {
            names += (names.empty() ? "" : ", ") + std::string(info.name);
        }
    }
    return names;
}

// A shape file's header tells its shape; a mask shows only in its cells, so a
// masked rectangle is refused once they are read.
Outcome asciiDrawsSquares(const Job& job, const SystemFacts&) {
    if (job.output != OutputKind::Ascii || !job.maze || job.maze->shape == ShapeKind::Rect) {
        return {};
    }
    return usageRefusal(job.maze->file.empty() ? "--format" : job.maze->file,
                        "ASCII draws only a plain rectangle and this is a " +
                            std::string(shapeName(job.maze->shape)) +
                            " maze; give --format svg, png, pdf or json");
}

Outcome methodFitsTheLayout(const Job& job, const SystemFacts&) {
    if (!job.carve || !job.maze || isPlainRectangle(*job.maze) ||
        carvesEveryShape(job.carve->method)) {
        return {};
    }
    const std::string layout =
        std::string(shapeName(job.maze->shape)) + (job.maze->mask ? " with a mask" : "");
    return usageRefusal("--algorithm", std::string(carveMethodInfo(job.carve->method).name) +
                                           " works on a plain rectangle only; on a " + layout +
                                           " use " + everyShapeMethods());
}

Outcome frameRate(const Job& job, const SystemFacts&) {
    if (job.output != OutputKind::Gif || job.fps <= kGifMostFps) {
        return {};
    }
    return usageRefusal("--fps", "GIF players slow a GIF of more than " +
                                     std::to_string(kGifMostFps) +
                                     " frames a second down; give --fps " +
                                     std::to_string(kGifMostFps) + " or less, or name a .webp");
}

// How many bytes follow a UTF-8 sequence's first byte; -1 for a byte that
// starts none (a continuation byte, or one of an overlong or too large code).
int continuationBytes(unsigned char lead) {
    if (lead < 0x80) {
        return 0;
    }
    if (lead >= 0xC2 && lead < 0xE0) {
        return 1;
    }
    if (lead >= 0xE0 && lead < 0xF0) {
        return 2;
    }
    if (lead >= 0xF0 && lead < 0xF5) {
        return 3;
    }
    return -1;
}

// Whether text is UTF-8 as a PDF's text must be: no broken or overlong
// sequence, no surrogate, nothing past U+10FFFF.
bool isUtf8(const std::string& text) {
    constexpr std::array<std::uint32_t, 4> kSmallest = {0, 0x80, 0x800, 0x10000};
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int more = continuationBytes(lead);
        if (more < 0 || text.size() - at <= static_cast<std::size_t>(more)) {
            return false;
        }
        std::uint32_t code = more == 0 ? lead : lead & (0x3Fu >> more);
        for (int next = 1; next <= more; ++next) {
            const auto byte = static_cast<unsigned char>(text[at + next]);
            if ((byte & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (byte & 0x3Fu);
        }
        if (code < kSmallest[more] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
            return false;
        }
        at += 1 + static_cast<std::size_t>(more);
    }
    return true;
}

Outcome titleText(const Job& job, const SystemFacts&) {
    if (isUtf8(job.title)) {
        return {};
    }
    return usageRefusal("--title", "is not UTF-8 text");
}

Outcome outputNotAnInput(const Job& job, const SystemFacts& facts) {
    std::vector<std::string> inputs = job.inputs;
    if (job.maze && !job.maze->file.empty()) {
        inputs.push_back(job.maze->file);
    }
    for (const std::string& input : inputs) {
        if (facts.sameFile(job.outputName, input)) {
            return usageRefusal(job.outputName == "-" ? "standard output" : job.outputName,
                                "is the same file as the input " +
                                    (input == "-" ? std::string("standard input") : input) +
                                    "; write the output to another file");
        }
    }
    return {};
}

// A pen as wide as half a corridor fills it; walls thicker than a quarter of
// a cell leave no room to walk, and their corners would overrun one another.
Outcome millimetresFit(const Job& job, const SystemFacts&) {
    if (job.output == OutputKind::PlotterSvg && job.mm.pen > job.mm.cell / 2) {
        return usageRefusal(
            "--pen-mm", "a pen of " + decimalText(job.mm.pen, "%g") + " mm would fill cells of " +
                            decimalText(job.mm.cell, "%g") + " mm; give at most half of --cell-mm");
    }
    if (job.output == OutputKind::Stl && job.mm.wall > job.mm.cell / 4) {
        return usageRefusal("--wall-mm", "walls of " + decimalText(job.mm.wall, "%g") +
                                             " mm leave no room in cells of " +
                                             decimalText(job.mm.cell, "%g") +
                                             " mm; give at most a quarter of --cell-mm");
    }
    return {};
}

// --- Rules on the maze's size -------------------------------------------------

Outcome sizesWithinCaps(const Job& job, const SystemFacts&) {
    if (!job.maze) {
        return {};
    }
    const MazeShape& maze = *job.maze;
    if (!maze.file.empty() && (maze.width < 1 || maze.height < 1)) {
        return failedRefusal(maze.file, "no maze: its width or height is below 1");
    }
    const std::string caps = "1 to " + std::to_string(kMaxGridSide);
    if (maze.file.empty() && (maze.width < 1 || maze.width > kMaxGridSide)) {
        return usageRefusal(
            "--width", "'" + std::to_string(maze.width) + "' is not a whole number from " + caps);
    }
    if (maze.file.empty() && (maze.height < 1 || maze.height > kMaxGridSide)) {
        return usageRefusal(
            "--height", "'" + std::to_string(maze.height) + "' is not a whole number from " + caps);
    }
    // The caps on the whole, which hold whatever the memory: asked of a
    // process that may take everything.
    if (const auto why =
            refusal(maze.width, maze.height, 0, std::numeric_limits<std::uint64_t>::max())) {
        return failedRefusal(maze.file, *why);
    }
    return {};
}

// The pixels a unit of the drawing takes, as the picture writers choose it.
int cellOf(const Job& job, const Point& extent) {
    if (job.cell != 0) {
        return job.cell;
    }
    const auto units = [](double side) {
        return static_cast<int>(
            std::clamp(std::ceil(side), 1.0, static_cast<double>(std::numeric_limits<int>::max())));
    };
    return defaultCellSize(units(extent.x), units(extent.y));
}

Point extentOf(const MazeShape& maze) {
    const auto side = [](std::int64_t value) {
        return static_cast<int>(std::clamp<std::int64_t>(value, 1, kMaxGridSide));
    };
    return layoutExtent(maze.shape, side(maze.width), side(maze.height));
}

Outcome pictureWithinTheFormat(const Job& job, const SystemFacts&) {
    const auto size = jobPictureSize(job);
    if (!size || !job.output) {
        return {};
    }
    std::int64_t most = PictureLayout::kMaxSide;
    if (*job.output == OutputKind::Gif) {
        most = kGifMaxSide;
    } else if (*job.output == OutputKind::Webp) {
        most = kWebpMaxSide;
    }
    if (size->width <= most && size->height <= most) {
        return {};
    }
    const std::string what = job.command == Command::Animate ? "animation" : "picture";
    // The smallest cell is no way out: the maze is too large for the format.
    return Refusal{sizeKind(job), job.cell > 2 ? "--cell" : sizeSubject(job, "--width"),
                   std::string("a ") + outputName(*job.output) + " is at most " +
                       std::to_string(most) + " pixels a side, and this " + what + " would be " +
                       sizeText(size->width, size->height) +
                       (job.cell > 2 || job.cell == 0 ? "; choose a smaller --cell or maze"
                                                      : "; choose a smaller maze")};
}

// A sheet or a solid larger than a kilometre is no drawing, and an STL's
// single-precision numbers lose its walls' corners past that.
Outcome millimetresWithinReach(const Job& job, const SystemFacts&) {
    if (!job.maze || !job.output ||
        (*job.output != OutputKind::PlotterSvg && *job.output != OutputKind::Stl)) {
        return {};
    }
    const Point extent = extentOf(*job.maze);
    const double side = std::max(extent.x, extent.y) * job.mm.cell;
    if (side <= kMostDrawingMm) {
        return {};
    }
    return Refusal{sizeKind(job),
                   job.given && job.given->has("--cell-mm") ? std::string("--cell-mm")
                                                            : sizeSubject(job, "--width"),
                   std::string("a ") + outputName(*job.output) + " is at most " +
                       grouped(static_cast<std::uint64_t>(kMostDrawingMm)) +
                       " mm a side, and this one would be " + decimalText(side, "%.0f") +
                       " mm; choose a smaller --cell-mm or maze"};
}

// An STL counts its triangles in 32 bits.
Outcome solidWithinItsCount(const Job& job, const SystemFacts&) {
    if (!job.maze || job.output != OutputKind::Stl) {
        return {};
    }
    constexpr std::uint64_t kMostTriangles = 0xFFFF'FFFFu;
    const std::uint64_t triangles =
        solidTriangles(job.maze->shape, job.maze->width, job.maze->height);
    if (triangles <= kMostTriangles) {
        return {};
    }
    return Refusal{sizeKind(job), sizeSubject(job, "--width"),
                   "an STL holds at most " + grouped(kMostTriangles) + " triangles, and a " +
                       sizeText(job.maze->width, job.maze->height) + " maze's solid may take " +
                       grouped(triangles) + "; choose a smaller maze"};
}

Outcome legibleOnPaper(const Job& job, const SystemFacts&) {
    if (!job.maze || !job.output || *job.output != OutputKind::Pdf) {
        return {};
    }
    const Point extent = extentOf(*job.maze);
    const double unit = job.command == Command::Book
                            ? bookPuzzleUnit({job.paper, job.perPage, {}}, extent)
                            : printing::sheetUnit(job.paper, extent.x, extent.y);
    const double smallest = printing::kSmallestCellMm * printing::kPointsPerMm;
    if (unit >= smallest) {
        return {};
    }
    const char* paper = job.paper == Paper::Letter ? "Letter" : "A4";
    const std::string where =
        job.command == Command::Book
            ? std::string(paper) + ", " + std::to_string(job.perPage) + " to a page"
            : std::string(paper);
    const char* option = job.maze->shape == ShapeKind::Polar ? "--height" : "--width";
    return Refusal{
        sizeKind(job), sizeSubject(job, option),
        "a " + sizeText(job.maze->width, job.maze->height) + " " +
            (job.maze->shape == ShapeKind::Rect ? std::string()
                                                : std::string(shapeName(job.maze->shape)) + " ") +
            "maze does not print legibly on " + where + ": its cells would be " +
            decimalText(unit / printing::kPointsPerMm) + " mm, less than " +
            decimalText(printing::kSmallestCellMm, "%.1f") + " mm"};
}

Outcome memoryEnough(const Job& job, const SystemFacts& facts) {
    if (!job.maze || job.maze->stream) {
        return {};
    }
    const MazeShape& maze = *job.maze;
    auto why = refusal(maze.width, maze.height, jobMemoryNeed(job), facts.memoryAvailable);
    if (!why) {
        return {};
    }
    if (job.command == Command::Dataset) {
        why = grouped(static_cast<std::uint64_t>(job.mazeCount)) + " mazes of " + *why;
    }
    // The message names the size: a carved maze's refusal needs no subject.
    // The same size refused with all the memory in the world is past a cap.
    const bool capped =
        refusal(maze.width, maze.height, 0, std::numeric_limits<std::uint64_t>::max()).has_value();
    return capped ? failedRefusal(maze.file, *why) : memoryRefusal(maze.file, *why);
}

// A dataset numbers a maze's cells in 32 bits and judges its scores by a
// range that is one.
Outcome datasetWithinItsNumbers(const Job& job, const SystemFacts&) {
    if (job.command != Command::Dataset || !job.maze) {
        return {};
    }
    constexpr auto kMostCells =
        static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    if (cellsOf(job.maze->width, job.maze->height) > kMostCells) {
        return usageRefusal(sizeSubject(job, "--width"),
                            "a dataset's maze has at most " + grouped(kMostCells) +
                                " cells, numbered in 32 bits; this one is " +
                                sizeText(job.maze->width, job.maze->height));
    }
    if (const auto& range = job.difficultyRange;
        range &&
        !(range->first >= 0 && range->first <= range->second && std::isfinite(range->second))) {
        return usageRefusal("--difficulty", "the scores LO:HI need 0 <= LO <= HI, both finite");
    }
    if (job.threads < 1 || job.threads > kMostThreads) {
        return usageRefusal("--threads", "give 1 to " + std::to_string(kMostThreads) + " threads");
    }
    return {};
}

Outcome randomWalkFinishes(const Job& job, const SystemFacts&) {
    if (!job.carve || !job.maze || !isPlainRectangle(*job.maze)) {
        return {};
    }
    const std::string why = carveRefusal(job.carve->method, static_cast<int>(job.maze->width),
                                         static_cast<int>(job.maze->height));
    return why.empty() ? Outcome{} : failedRefusal("", why);
}

Outcome difficultyTriesFit(const Job& job, const SystemFacts&) {
    if (!job.difficultySearch || !job.carve || !job.maze || !job.given ||
        !(job.given->has("--width") || job.given->has("--height") || job.maze->mask)) {
        return {};
    }
    // A try carves and measures the whole maze: a few tries must fit the time.
    const double cells = static_cast<double>(job.maze->width) * job.maze->height;
    if (cells * 4 * carveSecondsPerCell(job.carve->method) <= kDifficultyTrySeconds) {
        return {};
    }
    return usageRefusal("--difficulty",
                        "a " + sizeText(job.maze->width, job.maze->height) +
                            " maze takes too long to carve again and again until one scores "
                            "in the band; give a smaller size");
}

// --- Rules on the layout ------------------------------------------------------

Outcome walkFinishesOnTheLayout(const Job& job, const SystemFacts&) {
    if (!job.carve || !job.layout) {
        return {};
    }
    const std::string why = shapeCarveRefusal(job.carve->method, *job.layout);
    return why.empty() ? Outcome{} : failedRefusal("", why);
}

std::string positionText(const Topology& topology, CellId cell) {
    const CellPosition at = topology.position(cell);
    return std::to_string(at.x) + ',' + std::to_string(at.y);
}

// A maze must be one piece, or some cells could never be reached.
Outcome layoutInOnePiece(const Job& job, const SystemFacts&) {
    if (!job.carve || !job.layout) {
        return {};
    }
    const Topology& topology = *job.layout;
    const ShapeParts parts = findParts(topology);
    if (parts.count <= 1) {
        return {};
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
    if (!job.inputs.empty() && job.maze && job.maze->mask) {
        return failedRefusal(job.inputs.front(), why);
    }
    return failedRefusal("", "a " + sizeText(job.maze->width, job.maze->height) + " " +
                                 std::string(shapeName(job.maze->shape)) + " layout: " + why);
}

constexpr std::array<PlanRule, 22> kRules = {{
    {"one-output", RuleStage::Request, oneOutput},
    {"format-known", RuleStage::Request, formatKnown},
    {"not-on-a-terminal", RuleStage::Request, notOnTerminal},
    {"options-the-output-uses", RuleStage::Request, optionsTheOutputUses},
    {"options-that-go-together", RuleStage::Request, optionsThatGoTogether},
    {"ascii-draws-squares", RuleStage::Request, asciiDrawsSquares},
    {"method-fits-the-layout", RuleStage::Request, methodFitsTheLayout},
    {"frame-rate", RuleStage::Request, frameRate},
    {"title-text", RuleStage::Request, titleText},
    {"output-not-an-input", RuleStage::Request, outputNotAnInput},
    {"millimetres-fit", RuleStage::Request, millimetresFit},
    {"sizes-within-caps", RuleStage::Request, sizesWithinCaps},
    // What the sizes tell whatever the machine, before what this one can hold.
    {"picture-within-the-format", RuleStage::Request, pictureWithinTheFormat},
    {"millimetres-within-reach", RuleStage::Request, millimetresWithinReach},
    {"solid-within-its-count", RuleStage::Request, solidWithinItsCount},
    {"legible-on-paper", RuleStage::Request, legibleOnPaper},
    {"difficulty-tries-fit", RuleStage::Request, difficultyTriesFit},
    {"dataset-within-its-numbers", RuleStage::Request, datasetWithinItsNumbers},
    {"random-walk-finishes", RuleStage::Request, randomWalkFinishes},
    {"memory", RuleStage::Request, memoryEnough},
    {"walk-finishes-on-the-layout", RuleStage::Layout, walkFinishesOnTheLayout},
    {"layout-in-one-piece", RuleStage::Layout, layoutInOnePiece},
}};

}  // namespace

std::span<const PlanRule> planRules() {
    return kRules;
}

std::optional<Refusal> firstRefusal(const Job& job, const SystemFacts& facts, RuleStage stage) {
    for (const PlanRule& rule : kRules) {
        if (rule.stage == stage) {
            if (auto refused = rule.check(job, facts)) {
                return refused;
            }
        }
    }
    return std::nullopt;
}

std::optional<PixelSize> jobPictureSize(const Job& job) {
    if (!job.maze || !job.output || !isPixelOutput(*job.output)) {
        return std::nullopt;
    }
    const Point extent = extentOf(*job.maze);
    const double cell = cellOf(job, extent);
    const auto side = [&](double units) {
        const double pixels = std::ceil(units * cell) + 2 * PictureLayout::kMargin + 1;
        return static_cast<std::int64_t>(std::min(pixels, 1e18));
    };
    return PixelSize{side(extent.x), side(extent.y)};
}

std::uint64_t jobMemoryNeed(const Job& job) {
    if (!job.maze) {
        return 0;
    }
    const MazeShape& maze = *job.maze;
    const CarveMethod method = job.carve ? job.carve->method : CarveMethod::DepthFirst;
    std::uint64_t need = 0;
    if (!isPlainRectangle(maze)) {
        need = shapeNeed(maze.shape, maze.width, maze.height, job.carve ? &method : nullptr);
    } else if (job.carve) {
        need = generateNeed(maze.width, maze.height, method);
        if (job.farthestExits || job.command == Command::Book || job.command == Command::Animate) {
            // Copied onto the general maze to move its exits, print or draw it.
            need = saturatingAdd(need, shapeNeed(maze.shape, maze.width, maze.height, nullptr));
        }
    } else {
        need = job.command == Command::Render ? renderNeed(maze.width, maze.height)
                                              : searchNeed(maze.width, maze.height);
    }
    if (const auto picture = jobPictureSize(job); picture && job.command == Command::Animate) {
        // An animation keeps a few whole frames of three bytes a pixel.
        constexpr std::uint64_t kFrameCopies = 4;
        const std::uint64_t pixels = cellsOf(picture->width, picture->height);
        need = saturatingAdd(need, pixels > std::numeric_limits<std::uint64_t>::max() / 16
                                       ? std::numeric_limits<std::uint64_t>::max()
                                       : pixels * 3 * kFrameCopies);
    }
    if (job.output && isPixelOutput(*job.output)) {
        need = saturatingAdd(need, kPictureWriterBytes);
    }
    if (job.output == OutputKind::PlotterSvg) {
        need = saturatingAdd(need, plotterNeed(maze.shape, maze.width, maze.height));
    }
    if (job.output == OutputKind::Stl) {
        need = saturatingAdd(need, solidNeed(maze.shape, maze.width, maze.height));
    }
    if (job.command == Command::Dataset) {
        // Every thread carves one maze at a time; the arrays hold them all.
        need = saturatingAdd(saturatingProduct(need, static_cast<std::uint64_t>(job.threads)),
                             saturatingProduct(batchMazeBytes(maze.shape, maze.width, maze.height),
                                               static_cast<std::uint64_t>(job.mazeCount)));
    }
    return need;
}

bool isPixelOutput(OutputKind output) {
    return output == OutputKind::Png || output == OutputKind::Gif || output == OutputKind::Webp ||
           output == OutputKind::PngFrames;
}

bool isBinaryOutput(OutputKind output) {
    return output == OutputKind::Png || output == OutputKind::Pdf || output == OutputKind::Gif ||
           output == OutputKind::Webp || output == OutputKind::Npz || output == OutputKind::Stl;
}

}  // namespace nitka
