// SAVE and LOAD of a 100 x 100 maze, in memory and through the file. The file
// runs use /dev/shm where it exists, so that the sync is not what is measured.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "commands/file_commands.h"
#include "commands/generate_command.h"
#include "model/seeded_random.h"
#include "storage/maze_reader.h"
#include "storage/maze_writer.h"
#include "storage/storage_fixture.h"
#include "support/fake_controls.h"

namespace nitka {
namespace {

class NullSurface final : public PictureSurface {
public:
    void setPenColour(Colour) override {}
    void setBrushColour(Colour) override {}
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
    void rectangle(int, int, int, int) override {}
    void ellipse(int, int, int, int) override {}
    void repaint() override {}
};

// A generated 100 x 100 maze whose file lies in a fresh scratch directory.
struct Fixture {
    Fixture() {
        maze.MazeFileName = dir / "labird.txt";
        testing::FakeControls controls(100, 100);
        SeededRandom random(2024);
        BtGoClick(maze, controls, surface, random);
    }
    static std::filesystem::path scratchBase() {
        const std::filesystem::path shm = "/dev/shm";
        return std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    }

    testing::TempDir dir{scratchBase()};
    MazeState maze;
    NullSurface surface;
};

void BM_WriteMaze100(benchmark::State& state) {
    const Fixture fixture;
    for (auto _ : state) {
        std::ostringstream out;
        writeMaze(out, fixture.maze.Walls, 100, 100);
        benchmark::DoNotOptimize(out.view().data());
    }
}
BENCHMARK(BM_WriteMaze100);

void BM_ReadMaze100(benchmark::State& state) {
    const Fixture fixture;
    std::ostringstream out;
    writeMaze(out, fixture.maze.Walls, 100, 100);
    const std::string text = out.str();
    for (auto _ : state) {
        std::stringbuf in(text);
        MazeReader reader(in);
        const MazeSize size = readMazeHeader(reader);
        benchmark::DoNotOptimize(readMazeCells(reader, size.width, size.height));
    }
}
BENCHMARK(BM_ReadMaze100);

void BM_Save100(benchmark::State& state) {
    const Fixture fixture;
    for (auto _ : state) {
        Button5Click(fixture.maze);
    }
}
BENCHMARK(BM_Save100)->Unit(benchmark::kMicrosecond);

void BM_Load100(benchmark::State& state) {
    Fixture fixture;
    Button5Click(fixture.maze);
    testing::FakeControls controls;
    for (auto _ : state) {
        Button4Click(fixture.maze, controls, fixture.surface);
    }
}
BENCHMARK(BM_Load100)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace nitka
