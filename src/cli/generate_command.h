#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "carve/carve_method.h"
#include "shape/shape_maze.h"
#include "shape/topology.h"

namespace CLI {
class App;
}

namespace nitka {

// nitka-maze generate: a new maze carved by one of the carving methods,
// randomised depth-first search unless told otherwise.
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
};

// Adds the command to app; parsing fills request.
CLI::App* addGenerateCommand(CLI::App& app, GenerateRequest& request);

// Adds the options that decide the maze (sizes, --shape, --mask, --seed,
// --algorithm, --pick, --braid) to command; returns the check of how they
// combine, which throws UsageError, to run once parsing is done.
std::function<void()> addMazeOptions(CLI::App& command, GenerateRequest& request);

// Carves the maze and writes it. notices receives the line "seed S" when the
// seed was drawn, unless quiet. Throws ToolError.
void runGenerate(const GenerateRequest& request, std::ostream& notices);

// Carves the maze of request and seed as runGenerate would write it, the
// mask read again, and returns its difficulty (nullopt for a maze without a
// route). Throws ToolError as runGenerate does.
std::optional<double> generatedDifficulty(const GenerateRequest& request, std::uint64_t seed);

// The maze runGenerate writes for request and seed, a plain rectangle copied
// onto squares of the general kind. Throws ToolError as runGenerate does.
ShapeMaze generatedShapeMaze(const GenerateRequest& request, std::uint64_t seed);

// The request's seed, or one drawn and told on notices unless quiet.
std::uint64_t chooseSeed(const GenerateRequest& request, std::ostream& notices);

// What the progress line expects carving a cell to take.
double carveSecondsPerCell(CarveMethod method);

}  // namespace nitka
