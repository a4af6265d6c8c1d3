#include "carve/carve_method.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "carve/carve_with.h"
#include "carve/cell_index.h"

namespace nitka {
namespace {

constexpr std::array<CarveMethodInfo, 11> kMethods{{
    {CarveMethod::DepthFirst, true, "depth-first",
     "long winding passages with few dead ends, the window's own method"},
    {CarveMethod::Prim, true, "prim", "many short dead ends spreading out from a random cell"},
    {CarveMethod::Kruskal, true, "kruskal", "many short dead ends, evenly spread"},
    {CarveMethod::Wilson, true, "wilson",
     "every perfect maze equally likely, by loop-erased walks"},
    {CarveMethod::AldousBroder, true, "aldous-broder",
     "every perfect maze equally likely, by one random walk; slow, refuses giant sizes"},
    {CarveMethod::HuntAndKill, true, "hunt-and-kill",
     "long winding passages, walking on from the first unvisited cell at each dead end"},
    {CarveMethod::GrowingTree, true, "growing-tree",
     "depth-first to prim and between, by its pick: newest, random, oldest or mix:P (mix:0.5)"},
    {CarveMethod::Eller, false, "eller",
     "row by row: runs along the rows, any height in little memory"},
    {CarveMethod::BinaryTree, false, "binary-tree",
     "fastest; open top row and left column, passages lean to the top left"},
    {CarveMethod::Sidewinder, false, "sidewinder",
     "row by row: open top row, runs along the rows each with one way up"},
    {CarveMethod::RecursiveDivision, false, "recursive-division",
     "long straight walls dividing the maze into boxes"},
}};

// What the random walks may take, in expected steps: ten to twenty seconds.
constexpr double kWalkStepBudget = 2e9;

// Expected steps of the walks, fitted to measured runs and rounded up. A
// square maze costs about n ln(n)^2 / 2 steps to cover (Aldous-Broder) and
// n ln(n) / 2 for Wilson's walks; a long narrow maze costs a walk about four
// times its length squared to cross, whatever its cell count.
double expectedWalkSteps(CarveMethod method, std::uint64_t cells, int length) {
    const auto count = static_cast<double>(std::max<std::uint64_t>(cells, 1));
    const double logCells = std::log(count);
    const double spread = method == CarveMethod::AldousBroder ? logCells * logCells : logCells;
    return count * spread / 2 + 4 * static_cast<double>(length) * length;
}

// a * b, or the largest number where that overflows: a size no memory holds.
std::uint64_t saturatingTimes(std::uint64_t a, std::uint64_t b) {
    return b != 0 && a > UINT64_MAX / b ? UINT64_MAX : a * b;
}

}  // namespace

std::span<const CarveMethodInfo> carveMethods() {
    return kMethods;
}

const CarveMethodInfo& carveMethodInfo(CarveMethod method) {
    const auto& info = kMethods[static_cast<std::size_t>(method)];
    assert(info.method == method);
    return info;
}

std::optional<CarveMethod> carveMethodNamed(std::string_view name) {
    for (const auto& info : kMethods) {
        if (info.name == name) {
            return info.method;
        }
    }
    return std::nullopt;
}

std::string parseShare(std::string_view text, double& share) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || error != std::errc{} || stop != end || !(value >= 0 && value <= 1)) {
        std::string message = "'";
        message.append(text).append("' is not a share from 0 to 1");
        return message;
    }
    share = value;
    return {};
}

std::string parseGrowingTreePick(std::string_view text, CarveOptions& options) {
    static constexpr std::array<std::pair<std::string_view, GrowingTreePick>, 3> kPlain{{
        {"newest", GrowingTreePick::Newest},
        {"random", GrowingTreePick::Random},
        {"oldest", GrowingTreePick::Oldest},
    }};
    for (const auto& [name, pick] : kPlain) {
        if (text == name) {
            options.pick = pick;
            return {};
        }
    }
    constexpr std::string_view kMix = "mix:";
    if (text.starts_with(kMix)) {
        double share = 0;
        if (std::string error = parseShare(text.substr(kMix.size()), share); !error.empty()) {
            return "pick '" + std::string(text) + "': " + error;
        }
        options.pick = GrowingTreePick::Mix;
        options.pickShare = share;
        return {};
    }
    return "pick '" + std::string(text) + "' is not newest, random, oldest or mix:P";
}

std::string walkRefusal(CarveMethod method, std::string_view maze, std::uint64_t cells,
                        int length) {
    if (method != CarveMethod::AldousBroder && method != CarveMethod::Wilson) {
        return {};
    }
    const double steps = expectedWalkSteps(method, cells, length);
    if (steps <= kWalkStepBudget) {
        return {};
    }
    std::array<char, 120> line{};
    std::snprintf(line.data(), line.size(), " takes about %.1f billion random steps, too many; ",
                  steps / 1e9);
    return std::string(carveMethodInfo(method).name) + ": " + std::string(maze) + line.data() +
           (method == CarveMethod::AldousBroder
                ? "wilson makes the same kind of maze faster"
                : "a method that does not walk at random is fast at this size");
}

std::string carveRefusal(CarveMethod method, int width, int height) {
    assert(width >= 1 && height >= 1);
    const std::string maze =
        "a " + std::to_string(width) + " x " + std::to_string(height) + " maze";
    return walkRefusal(method, maze,
                       static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height),
                       std::max(width, height));
}

std::uint64_t carveExtraBytes(CarveMethod method, int width, int height) {
    assert(width >= 1 && height >= 1);
    const auto columns = static_cast<std::uint64_t>(width);
    const auto rows = static_cast<std::uint64_t>(height);
    const std::uint64_t cells = columns * rows;
    switch (method) {
        case CarveMethod::Prim:
        case CarveMethod::GrowingTree:
            return saturatingTimes(cells, indexBytes(cells));
        case CarveMethod::Kruskal: {
            // Fits 64 bits even for the largest sides an int allows.
            const std::uint64_t innerWalls = (columns - 1) * rows + columns * (rows - 1);
            return saturatingTimes(innerWalls + cells, indexBytes(cells));
        }
        case CarveMethod::Eller:
            return 20 * columns;
        case CarveMethod::RecursiveDivision:
            return 16 * (static_cast<std::uint64_t>(std::bit_width(cells)) + 2);
        case CarveMethod::DepthFirst:
        case CarveMethod::Wilson:
        case CarveMethod::AldousBroder:
        case CarveMethod::HuntAndKill:
        case CarveMethod::BinaryTree:
        case CarveMethod::Sidewinder:
            return 0;
    }
    return 0;
}

void carveMaze(WallGrid& grid, const CarveOptions& options, SeededRandom& random) {
    carveWith(grid, options, random);
}

}  // namespace nitka
