#include "plan/planner.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

#include "plan/plan_rules.h"
#include "shape/make_topology.h"

namespace nitka {
namespace {

constexpr std::array<std::pair<const char*, ImageFormat>, 6> kExtensions = {{
    {".txt", ImageFormat::Ascii},
    {".svg", ImageFormat::Svg},
    {".png", ImageFormat::Png},
    {".pdf", ImageFormat::Pdf},
    {".json", ImageFormat::Json},
    {".stl", ImageFormat::Stl},
}};

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool hasExtension(const std::string& lowerName, std::string_view extension) {
    return lowerName.ends_with(extension) && lowerName.size() > extension.size();
}

OutputKind outputOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::Ascii:
            return OutputKind::Ascii;
        case ImageFormat::Svg:
            return OutputKind::Svg;
        case ImageFormat::Png:
            return OutputKind::Png;
        case ImageFormat::Pdf:
            return OutputKind::Pdf;
        case ImageFormat::Json:
            return OutputKind::Json;
        case ImageFormat::Stl:
            return OutputKind::Stl;
    }
    return OutputKind::Ascii;
}

std::optional<AnimationOutput> animationOutputOf(const AnimateRequest& request) {
    if (!request.framesFolder.empty()) {
        return AnimationOutput::PngFrames;
    }
    const std::string name = lowerCase(request.output);
    if (name == "-" || hasExtension(name, ".gif")) {
        return AnimationOutput::Gif;
    }
    if (hasExtension(name, ".webp")) {
        return AnimationOutput::Webp;
    }
    return std::nullopt;
}

OutputKind outputOf(AnimationOutput output) {
    switch (output) {
        case AnimationOutput::Gif:
            return OutputKind::Gif;
        case AnimationOutput::Webp:
            return OutputKind::Webp;
        case AnimationOutput::PngFrames:
            return OutputKind::PngFrames;
    }
    return OutputKind::Gif;
}

MazeShape carvedShape(const GenerateRequest& request) {
    return {request.shape, request.width, request.height, request.maskCells, {}, false};
}

// The job of carving request's maze; the command adds what it writes.
Job carvingJob(Command command, const GenerateRequest& request, const GivenOptions& given) {
    Job job;
    job.command = command;
    job.given = &given;
    job.carve = request.carve;
    job.farthestExits = request.farthestExits;
    job.difficultySearch = !request.difficulty.empty();
    job.maze = carvedShape(request);
    if (!request.mask.empty()) {
        job.inputs.push_back(request.mask);
    }
    return job;
}

// Asks the rules on the command line, reads the mask, asks them again with
// the size the mask sets, then makes the layout and asks the layout's rules.
Planned<GeneratePlan> planCarving(Job job, GenerateRequest request, const SystemFacts& facts) {
    if (auto refused = firstRefusal(job, facts, RuleStage::Request)) {
        return *refused;
    }
    if (!request.mask.empty() && !request.maskCells) {
        request.maskCells = std::make_shared<const CellMask>(facts.readMask(request.mask));
    }
    if (request.maskCells) {
        request.width = request.maskCells->width();
        request.height = request.maskCells->height();
        job.maze = carvedShape(request);
        if (auto refused = firstRefusal(job, facts, RuleStage::Request)) {
            return *refused;
        }
    }
    GeneratePlan plan{request, nullptr};
    // The shape file's maze, which a rectangle with moved exits is too.
    if (request.shape != ShapeKind::Rect || request.maskCells || request.farthestExits) {
        std::optional<CellMask> mask;
        if (request.maskCells) {
            mask = *request.maskCells;
        }
        plan.layout = makeTopology(request.shape, request.width, request.height, std::move(mask));
        job.layout = plan.layout;
        if (auto refused = firstRefusal(job, facts, RuleStage::Layout)) {
            return *refused;
        }
    }
    return plan;
}

// The job of a command that reads a maze file and writes text.
Job readingJob(Command command, const std::string& input, const GivenOptions& given,
               const FileMaze* maze) {
    Job job;
    job.command = command;
    job.given = &given;
    job.output = OutputKind::Lines;
    job.inputs.push_back(input);
    if (maze) {
        job.maze = *maze;
    }
    return job;
}

Planned<std::monostate> answer(const Job& job, const SystemFacts& facts) {
    if (auto refused = firstRefusal(job, facts, RuleStage::Request)) {
        return *refused;
    }
    return std::monostate{};
}

}  // namespace

std::optional<ImageFormat> formatOfName(const std::string& name) {
    if (name == "-") {
        return ImageFormat::Ascii;
    }
    const std::string lower = lowerCase(name);
    for (const auto& [extension, format] : kExtensions) {
        if (hasExtension(lower, extension)) {
            return format;
        }
    }
    return std::nullopt;
}

bool namesADataset(const std::string& name) {
    return name == "-" || hasExtension(lowerCase(name), ".npz");
}

Planned<GeneratePlan> planGenerate(const GenerateRequest& request, const SystemFacts& facts) {
    Job job = carvingJob(Command::Generate, request, request.given);
    job.outputName = request.output;
    return planCarving(std::move(job), request, facts);
}

Planned<std::monostate> planSolve(const SolveRequest& request, const SystemFacts& facts,
                                  const FileMaze* maze) {
    return answer(readingJob(Command::Solve, request.input, request.given, maze), facts);
}

Planned<std::monostate> planInfo(const InfoRequest& request, const SystemFacts& facts,
                                 const FileMaze* maze) {
    return answer(readingJob(Command::Info, request.input, request.given, maze), facts);
}

Planned<RenderPlan> planRender(const RenderRequest& request, const SystemFacts& facts,
                               const FileMaze* maze) {
    Job job = readingJob(Command::Render, request.input, request.given, maze);
    // A plotter draws SVG, also to standard output.
    const std::optional<ImageFormat> format = request.format ? request.format
                                              : request.plotter && request.output == "-"
                                                  ? ImageFormat::Svg
                                                  : formatOfName(request.output);
    job.output = format ? std::optional(outputOf(*format)) : std::nullopt;
    if (request.plotter && format == ImageFormat::Svg) {
        job.output = OutputKind::PlotterSvg;
    }
    job.outputName = request.output;
    job.cell = request.cell.value_or(0);
    job.paper = request.paper;
    job.mm = request.mm;
    if (auto refused = firstRefusal(job, facts, RuleStage::Request)) {
        return *refused;
    }
    // A solid always shows its ends as gaps in its outer wall.
    const bool drawnWithOpenings =
        *format == ImageFormat::Pdf || *format == ImageFormat::Svg || *format == ImageFormat::Stl;
    return RenderPlan{*format,
                      request.marks.value_or(drawnWithOpenings ? Marks::Openings : Marks::None),
                      request.route || (request.shortest && !request.answer)};
}

Planned<AnimatePlan> planAnimate(const AnimateRequest& request, const SystemFacts& facts,
                                 const FileMaze* maze) {
    const std::optional<AnimationOutput> output = animationOutputOf(request);
    Job job = request.solveOnly.empty()
                  ? carvingJob(Command::Animate, request.maze, request.given)
                  : readingJob(Command::Animate, request.solveOnly, request.given, maze);
    job.output = output ? std::optional(outputOf(*output)) : std::nullopt;
    job.outputName = request.framesFolder.empty() ? request.output : request.framesFolder;
    job.twoOutputs = !request.framesFolder.empty() && !request.output.empty();
    job.solveOnly = request.solveOnly;
    job.noSolve = !request.plan.solve;
    job.cell = request.plan.cell;
    job.fps = request.plan.timing.fps;
    if (!request.solveOnly.empty()) {
        job.carve.reset();
        if (auto refused = firstRefusal(job, facts, RuleStage::Request)) {
            return *refused;
        }
        return AnimatePlan{*output, std::nullopt};
    }
    auto carving = planCarving(std::move(job), request.maze, facts);
    if (auto* refused = std::get_if<Refusal>(&carving)) {
        return *refused;
    }
    return AnimatePlan{*output, std::get<GeneratePlan>(std::move(carving))};
}

Planned<BookPlan> planBook(const BookRequest& request, const SystemFacts& facts) {
    Job job = carvingJob(Command::Book, request.maze, request.given);
    job.output = OutputKind::Pdf;
    job.outputName = request.output;
    job.paper = request.paper;
    job.perPage = request.perPage;
    job.title = request.title;
    job.rising = request.difficulty == "rising";
    job.difficultySearch = !request.difficulty.empty();
    auto carving = planCarving(std::move(job), request.maze, facts);
    if (auto* refused = std::get_if<Refusal>(&carving)) {
        return *refused;
    }
    return BookPlan{std::get<GeneratePlan>(std::move(carving))};
}

Planned<BatchPlan> planBatch(const BatchRequest& request, const SystemFacts& facts) {
    BatchRequest settled = request;
    if (settled.threads == 0) {
        settled.threads = facts.cores;
    }
    Job job = carvingJob(Command::Dataset, request.maze, request.given);
    job.output = namesADataset(request.output) ? std::optional(OutputKind::Npz) : std::nullopt;
    job.outputName = request.output;
    job.mazeCount = request.count;
    job.threads = settled.threads;
    job.difficultyRange = request.difficulty;
    auto carving = planCarving(std::move(job), request.maze, facts);
    if (auto* refused = std::get_if<Refusal>(&carving)) {
        return *refused;
    }
    return BatchPlan{std::move(settled), std::get<GeneratePlan>(std::move(carving))};
}

}  // namespace nitka
