// The PNG writer at cell size 2 from 100 x 100 to 10,000 x 10,000 cells, in
// time a cell, with the route's dots and without; and the whole of reading a
// 10,000 x 10,000 maze file and drawing it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <streambuf>
#include <string>

#include "carve/carvers.h"
#include "grid/wall_grid.h"
#include "model/seeded_random.h"
#include "render/png_render.h"
#include "storage/grid_reader.h"
#include "storage/grid_writer.h"
#include "storage/maze_file.h"
#include "storage/maze_reader.h"

namespace nitka {
namespace {

// Counts the bytes and drops them, so that what is timed is the writer.
class CountingBuffer final : public std::streambuf {
public:
    std::streamsize bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        bytes += count;
        return count;
    }
    int_type overflow(int_type c) override {
        ++bytes;
        return c;
    }
};

// A depth-first maze, made once a size. Every other cell is marked as route,
// far more than a real route, to bound the cost of the dots.
const WallGrid& mazeOfSide(int side) {
    static std::map<int, std::unique_ptr<WallGrid>> mazes;
    auto& maze = mazes[side];
    if (!maze) {
        maze = std::make_unique<WallGrid>(side, side);
        SeededRandom random(static_cast<std::uint64_t>(side));
        carveDepthFirst(*maze, random);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                maze->setScratch(maze->index({x, y}), static_cast<std::uint8_t>((x + y) % 2));
            }
        }
    }
    return *maze;
}

void setCounters(benchmark::State& state, const WallGrid& maze, std::streamsize bytes) {
    state.counters["ns_per_cell"] = benchmark::Counter(
        static_cast<double>(maze.cellCount()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["png_bytes"] = static_cast<double>(bytes);
}

void BM_Png(benchmark::State& state) {
    const WallGrid& maze = mazeOfSide(static_cast<int>(state.range(0)));
    const RenderOptions options{.cell = 2, .route = state.range(1) != 0};
    std::streamsize bytes = 0;
    for (auto _ : state) {
        CountingBuffer out;
        renderPng(maze, options, out);
        bytes = out.bytes;
    }
    setCounters(state, maze, bytes);
}
BENCHMARK(BM_Png)
    ->ArgNames({"side", "route"})
    ->ArgsProduct({{100, 1000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// From a maze file in memory-backed storage (where there is one) to the PNG's
// bytes: what drawing a saved 10,000 x 10,000 maze costs end to end.
void BM_ReadFileThenPng(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const std::filesystem::path shm = "/dev/shm";
    const std::string path =
        ((std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) /
         ("nitka-render-bench-" + std::to_string(side) + ".txt"))
            .string();
    {
        std::ofstream file(path, std::ios::binary);
        writeGrid(*file.rdbuf(), mazeOfSide(side));
    }
    std::streamsize bytes = 0;
    for (auto _ : state) {
        InputFile file(path);
        MazeReader reader(file.stream());
        const MazeSize size = readMazeHeader(reader);
        WallGrid maze(size.width, size.height);
        readGridCells(reader, maze);
        CountingBuffer out;
        renderPng(maze, RenderOptions{.cell = 2}, out);
        bytes = out.bytes;
    }
    std::filesystem::remove(path);
    setCounters(state, mazeOfSide(side), bytes);
}
BENCHMARK(BM_ReadFileThenPng)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nitka
