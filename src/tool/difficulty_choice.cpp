#include "tool/difficulty_choice.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>
#include <string_view>

#include "tool/maze_making.h"
#include "tool/option_values.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

struct Band {
    std::string_view name;
    DifficultyAsk ask;
};

// The sides are where depth-first lands near each aim (docs/difficulty.md).
constexpr std::array<Band, 4> kBands = {{
    {"easy", {0, 30, 15, 10}},
    {"medium", {30, 120, 70, 22}},
    {"hard", {120, 400, 240, 42}},
    {"expert", {400, 1e300, 600, 70}},
}};

constexpr int kLargestSide = 2000;

std::uint64_t mixed(std::uint64_t value) {
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

// Sets the size of a square of about side x side cells; a polar maze of the
// same area has about side / sqrt(pi) rings.
void setSide(GenerateRequest& request, int side) {
    request.width = side;
    request.height = request.shape == ShapeKind::Polar
                         ? std::max(1, static_cast<int>(std::lround(side / std::sqrt(M_PI))))
                         : side;
}

std::string fixed(double value) {
    return std::to_string(std::lround(value * 10) / 10) + "." +
           std::to_string(std::lround(value * 10) % 10);
}

std::string range(const DifficultyAsk& ask) {
    return ask.high > 1e299 ? "from " + fixed(ask.low) : fixed(ask.low) + " to " + fixed(ask.high);
}

// Digits, and at most one point with digits on both sides, as info prints a
// score ("11.3"): no sign, exponent, or name of infinity.
}  // namespace

DifficultyAsk parseDifficultyAsk(const std::string& text) {
    for (const Band& band : kBands) {
        if (text == band.name) {
            return band.ask;
        }
    }
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) {
        throw UsageError("--difficulty",
                         "'" + text + "' is none of easy, medium, hard, expert nor a number");
    }
    const std::optional<double> score = plainDecimal(text);
    if (!score || *score < 1 || *score > 1'000'000) {
        throw UsageError("--difficulty", "'" + text + "' is not a number from 1 to 1000000");
    }
    return difficultyAround(*score);
}

DifficultyAsk difficultyAround(double aim) {
    // Depth-first scores about an eighth of a cell a cell.
    const int side = std::clamp(static_cast<int>(std::lround(std::sqrt(aim * 8))), 2, kLargestSide);
    return {aim * 0.9, aim * 1.1, aim, side};
}

std::uint64_t derivedSeed(std::uint64_t seed, std::uint64_t index) {
    return index == 0 ? seed : mixed(seed ^ mixed(index));
}

SettledRequest settleRequest(const GenerateRequest& asked, const DifficultyAsk& ask,
                             std::uint64_t seed) {
    GenerateRequest request = asked;
    request.difficulty.clear();
    const bool sizeFree = !asked.sizeGiven && asked.mask.empty();
    if (!asked.methodGiven) {
        request.carve.method = CarveMethod::DepthFirst;
    }
    double side = ask.side;
    const auto started = std::chrono::steady_clock::now();
    std::optional<double> closest;
    int tries = 0;
    for (int index = 0; index < kDifficultyTries; ++index) {
        ++tries;
        if (sizeFree) {
            setSide(request, static_cast<int>(std::lround(side)));
        }
        request.seed = derivedSeed(seed, static_cast<std::uint64_t>(index));
        const std::optional<double> score = generatedDifficulty(request, *request.seed);
        if (score && *score >= ask.low && *score < ask.high) {
            return {request, *score};
        }
        if (score && (!closest || std::abs(*score - ask.aim) < std::abs(*closest - ask.aim))) {
            closest = score;
        }
        if (sizeFree && score) {
            // The score grows about with the cells, the square of the side;
            // halfway there at a time, so that one odd maze does not throw
            // the size far off.
            const double ratio = std::clamp(ask.aim / std::max(*score, 0.1), 0.25, 4.0);
            side = std::clamp(side * std::pow(ratio, 0.25), 2.0, double{kLargestSide});
        }
        if (std::chrono::steady_clock::now() - started >
            std::chrono::duration<double>(kDifficultySeconds)) {
            break;
        }
    }
    throw ToolError("--difficulty", "no maze scored " + range(ask) + " in " +
                                        std::to_string(tries) + " tries" +
                                        (closest ? " (the closest " + fixed(*closest) + ")" : "") +
                                        (sizeFree ? "" : "; try another size or method"));
}

std::string remakeOptions(const GenerateRequest& request) {
    std::string text;
    if (request.shape != ShapeKind::Rect) {
        text += "--shape " + std::string(shapeName(request.shape)) + " ";
    }
    if (!request.mask.empty()) {
        text += "--mask " + request.mask + " ";
    } else if (request.shape != ShapeKind::Polar) {
        text +=
            "-W " + std::to_string(request.width) + " -H " + std::to_string(request.height) + " ";
    } else {
        text += "-H " + std::to_string(request.height) + " ";
    }
    text += "--algorithm " + std::string(carveMethodInfo(request.carve.method).name);
    if (request.carve.braid > 0) {
        std::ostringstream share;
        share << request.carve.braid;
        text += " --braid " + share.str();
    }
    if (request.farthestExits) {
        text += " --exits farthest";
    }
    return text + " --seed " + std::to_string(request.seed.value_or(0));
}

GenerateRequest settleDifficulty(const GenerateRequest& asked, std::uint64_t seed,
                                 std::ostream& notices) {
    const SettledRequest settled = settleRequest(asked, parseDifficultyAsk(asked.difficulty), seed);
    if (!asked.quiet) {
        notices << "difficulty " << fixed(settled.difficulty) << ": "
                << remakeOptions(settled.request) << std::endl;
    }
    return settled.request;
}

}  // namespace nitka
