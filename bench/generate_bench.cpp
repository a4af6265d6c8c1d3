// The "Depth-First" press at its largest, 100 x 100, whole and stage by stage.
#include <benchmark/benchmark.h>

#include <memory>

#include "commands/generate_command.h"
#include "model/generator.h"
#include "model/seeded_random.h"
#include "picture/raster_picture.h"
#include "support/fake_controls.h"
#include "support/raster_text.h"
#include "walls/maze_drawing.h"
#include "walls/text_form.h"
#include "walls/wall_parser.h"

namespace nitka {
namespace {

constexpr int kSide = 100;

struct Press {
    Press() {
        // Pays for the bitmap's creation up front, as the first press of a run does.
        picture.repaint();
        BtGoClick(*maze, controls, picture, random);
    }
    std::unique_ptr<MazeState> maze = std::make_unique<MazeState>();
    testing::FakeControls controls{kSide, kSide};
    RasterPicture picture{testing::kTestBackground};
    SeededRandom random{2026};
};

void BM_DepthFirstPress(benchmark::State& state) {
    Press press;
    for (auto _ : state) {
        BtGoClick(*press.maze, press.controls, press.picture, press.random);
        benchmark::DoNotOptimize(press.maze->Walls);
    }
}
BENCHMARK(BM_DepthFirstPress)->Unit(benchmark::kMicrosecond);

void BM_Carve(benchmark::State& state) {
    Press press;
    MazeState& maze = *press.maze;
    for (auto _ : state) {
        Initialise(maze);
        startCarving(maze, press.random);
        while (maze.CarveCount > 0) {
            CelluleSuite(maze, press.random);
        }
        benchmark::DoNotOptimize(maze.CellGrid);
    }
}
BENCHMARK(BM_Carve)->Unit(benchmark::kMicrosecond);

void BM_TextFormAndClear(benchmark::State& state) {
    Press press;
    for (auto _ : state) {
        ploh25_(*press.maze, press.picture);
        benchmark::DoNotOptimize(press.maze->MazeText);
    }
}
BENCHMARK(BM_TextFormAndClear)->Unit(benchmark::kMicrosecond);

void BM_ParseWalls(benchmark::State& state) {
    Press press;
    for (auto _ : state) {
        ploh15_(*press.maze);
        benchmark::DoNotOptimize(press.maze->Walls);
    }
}
BENCHMARK(BM_ParseWalls)->Unit(benchmark::kMicrosecond);

void BM_DrawMaze(benchmark::State& state) {
    Press press;
    for (auto _ : state) {
        ShowMaze(*press.maze, press.picture, press.maze->Walls);
        benchmark::DoNotOptimize(press.picture.pixels().data());
    }
}
BENCHMARK(BM_DrawMaze)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nitka
