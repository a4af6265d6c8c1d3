#pragma once

#include <memory>
#include <optional>
#include <variant>

#include "plan/job.h"
#include "plan/refusal.h"
#include "plan/requests.h"
#include "plan/system_facts.h"
#include "shape/topology.h"

namespace nitka {

// What the planner answers: the plan to carry out, or why not. Every front
// end asks it before any work, allocation, output or seed line, so that the
// same mistake gets the same answer from the command line and from Python.
template <typename Plan>
using Planned = std::variant<Plan, Refusal>;

// A maze to carve: the request with its mask read, and the layout made for
// any maze but the plain rectangle, which its own carvers draw on a grid.
struct GeneratePlan {
    GenerateRequest request;
    std::shared_ptr<const Topology> layout;
};

// A maze read from a file: its size as the header gives it. Commands that
// read one are planned twice, before the file is opened (the command line
// alone) and once the header is read, before anything of its size is held.
using FileMaze = MazeShape;

// A picture of a maze file, its format and marks settled.
struct RenderPlan {
    ImageFormat format = ImageFormat::Ascii;
    Marks marks = Marks::None;
    // Dots along the route: asked for, or a shortest route asked for without
    // an answer page to put it on.
    bool route = false;
};

enum class AnimationOutput { Gif, Webp, PngFrames };

struct AnimatePlan {
    AnimationOutput output = AnimationOutput::Gif;
    // The maze carved, unless the search alone of a file is animated.
    std::optional<GeneratePlan> maze;
};

struct BookPlan {
    // Every maze's request but its seed (and, under --difficulty, its size).
    GeneratePlan maze;
};

// Mazes for a dataset: the request with its threads settled.
struct BatchPlan {
    BatchRequest request;
    GeneratePlan maze;
};

Planned<GeneratePlan> planGenerate(const GenerateRequest& request, const SystemFacts& facts);
Planned<std::monostate> planSolve(const SolveRequest& request, const SystemFacts& facts,
                                  const FileMaze* maze = nullptr);
Planned<std::monostate> planInfo(const InfoRequest& request, const SystemFacts& facts,
                                 const FileMaze* maze = nullptr);
Planned<RenderPlan> planRender(const RenderRequest& request, const SystemFacts& facts,
                               const FileMaze* maze = nullptr);
Planned<AnimatePlan> planAnimate(const AnimateRequest& request, const SystemFacts& facts,
                                 const FileMaze* maze = nullptr);
Planned<BookPlan> planBook(const BookRequest& request, const SystemFacts& facts);
Planned<BatchPlan> planBatch(const BatchRequest& request, const SystemFacts& facts);

// The format a picture's file name asks for by its extension (.txt is ASCII,
// and so is "-", standard output; .json the graph), if any.
std::optional<ImageFormat> formatOfName(const std::string& name);

// Whether name may take a dataset: standard output, or a name ending .npz, so
// that a dataset never lands on a maze file or a picture by a slip; and what
// is said of any other.
bool namesADataset(const std::string& name);
inline constexpr const char* kDatasetName = "a dataset is a NumPy .npz file; name it FILE.npz";

}  // namespace nitka
