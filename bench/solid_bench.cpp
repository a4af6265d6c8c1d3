// The STL solid of depth-first mazes, written to a stream that drops its
// bytes: a 100 x 100 and a 1000 x 1000 rectangle, and each shape 300 x 300
// (a round maze of 300 rings, 212,431 cells), in ns a cell.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <streambuf>

#include "carve/carve_method.h"
#include "carve/shape_carve.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "render/maze_solid.h"
#include "shape/make_topology.h"
#include "shape/shape_maze.h"

namespace nitka {
namespace {

// Takes every byte and keeps none, counting them.
class DroppingBuffer final : public std::streambuf {
public:
    std::uint64_t taken() const { return m_taken; }

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        m_taken += static_cast<std::uint64_t>(count);
        return count;
    }
    int_type overflow(int_type byte) override {
        ++m_taken;
        return traits_type::not_eof(byte);
    }

private:
    std::uint64_t m_taken = 0;
};

// Times write(maze, options, out), reporting a cell's share and the file.
template <typename Maze, typename Write>
void timeSolid(benchmark::State& state, const Maze& maze, Write write, std::uint64_t cells) {
    const RenderOptions options{.marks = Marks::Openings};
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        DroppingBuffer out;
        write(maze, options, out);
        bytes = out.taken();
    }
    state.counters["ns_per_cell"] = benchmark::Counter(
        static_cast<double>(cells),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["triangles"] = static_cast<double>((bytes - 84) / 50);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_GridSolid(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    WallGrid grid(side, side);
    SeededRandom random(2026);
    carveMaze(grid, CarveOptions{}, random);
    timeSolid(state, grid, renderGridStl, grid.cellCount());
}
BENCHMARK(BM_GridSolid)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ShapeSolid(benchmark::State& state) {
    const auto kind = static_cast<ShapeKind>(state.range(0));
    const auto topology = makeTopology(kind, 300, 300);
    ShapeMaze maze(topology);
    SeededRandom random(2026);
    carveShapeMaze(maze, CarveOptions{}, random);
    timeSolid(state, maze, renderShapeStl, topology->cellCount());
}
BENCHMARK(BM_ShapeSolid)->ArgName("shape")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nitka
