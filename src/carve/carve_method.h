#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "carve/carvers.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"

namespace nitka {

// The ways of carving a perfect maze (one route between any two cells).
enum class CarveMethod {
    DepthFirst,
    Prim,
    Kruskal,
    Wilson,
    AldousBroder,
    HuntAndKill,
    GrowingTree,
    Eller,
    BinaryTree,
    Sidewinder,
    RecursiveDivision,
};

// One row of the method table, for the command line and its help.
struct CarveMethodInfo {
    CarveMethod method;
    // Carves every layout, masks included; else a plain rectangle of squares
    // only (the row by row and dividing methods lean on straight rows).
    bool everyShape;
    std::string_view name;  // as typed on the command line
    std::string_view help;  // one line on how its mazes look
};

// Every method, in the order the enum lists them.
std::span<const CarveMethodInfo> carveMethods();
const CarveMethodInfo& carveMethodInfo(CarveMethod method);
std::optional<CarveMethod> carveMethodNamed(std::string_view name);

struct CarveOptions {
    CarveMethod method = CarveMethod::DepthFirst;
    // Growing tree only: which growing cell to extend, and for Mix the chance
    // of the newest one.
    GrowingTreePick pick = GrowingTreePick::Mix;
    double pickShare = 0.5;
    // The share of dead ends to open into loops after carving, 0 .. 1.
    double braid = 0;
};

// Reads a share from 0 to 1 as a decimal ("0.25", "1"). Returns an empty
// string and sets share, or says what is wrong and leaves share alone.
std::string parseShare(std::string_view text, double& share);

// Reads growing tree's pick: "newest", "random", "oldest" or "mix:P", the
// newest with chance P (0 .. 1), else a random one. Returns an empty string and
// sets options.pick and options.pickShare, or says what is wrong and leaves
// options alone.
std::string parseGrowingTreePick(std::string_view text, CarveOptions& options);

// Empty when the method carves a width x height maze in bounded time and
// memory, else one line that says why not, for the user. The random walks
// refuse sizes whose expected number of steps is out of reach.
// Requires: width >= 1, height >= 1.
std::string carveRefusal(CarveMethod method, int width, int height);
// The random walks' refusal for any layout, from its cell count and longer
// side: "NAME: " + maze + " takes about ... too many; ...", or empty when the
// method does not walk at random or its walks fit the budget.
std::string walkRefusal(CarveMethod method, std::string_view maze, std::uint64_t cells, int length);

// The most memory in bytes the method takes beside the grid itself for a
// width x height maze. Requires: width >= 1, height >= 1.
std::uint64_t carveExtraBytes(CarveMethod method, int width, int height);

// Carves a perfect maze into the grid by the options' method, then opens the
// share of dead ends options.braid asks for. The same seed gives the same maze.
// Requires: grid is fresh from WallGrid(w, h); the shares lie in 0 .. 1.
// Leaves the grid's scratch bits clear.
void carveMaze(WallGrid& grid, const CarveOptions& options, SeededRandom& random);

}  // namespace nitka
