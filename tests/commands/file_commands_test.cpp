#include "commands/file_commands.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "commands/generate_command.h"
#include "commands/solve_command.h"
#include "model/seeded_random.h"
#include "storage/storage_fixture.h"
#include "support/fake_controls.h"
#include "support/recording_surface.h"
#include "walls/maze_drawing.h"
#include "walls/text_form.h"

namespace nitka {
namespace {

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() { maze.MazeFileName = dir / "labird.txt"; }

    void generate(int width, int height, unsigned seed) {
        SeededRandom random(seed);
        controls.width = width;
        controls.height = height;
        BtGoClick(maze, controls, surface, random);
    }
    void load() {
        surface.calls.clear();
        Button4Click(maze, controls, surface);
    }
    void solve() { BtCheminClick(maze, controls, surface); }
    void writeFile(const std::string& bytes) { testing::writeBytes(maze.MazeFileName, bytes); }

    testing::TempDir dir;
    MazeState maze;
    testing::FakeControls controls;
    testing::RecordingSurface surface;
};

TEST_F(FileCommandsTest, SaveThenLoadGivesBackEveryFlag) {
    const std::pair<int, int> sizes[] = {{8, 8}, {51, 13}, {100, 100}, {99, 8}};
    for (unsigned seed = 0; seed < 16; ++seed) {
        const auto [width, height] = sizes[seed % 4];
        generate(width, height, seed);
        const Maze generated = maze.Walls;
        Button5Click(maze);
        maze.Walls = Maze();
        load();
        EXPECT_EQ(maze.Walls, generated) << width << "x" << height << " seed " << seed;
    }
    // Flags no generator makes are kept as loaded.
    const std::string file = "2  1\r\n2  255\r\n0  1\r\n";
    writeFile(file);
    load();
    Button5Click(maze);
    EXPECT_EQ(testing::readBytes(maze.MazeFileName), file);
}

TEST_F(FileCommandsTest, LoadMakesTheFileTheCurrentMazeAndDrawsIt) {
    generate(50, 50, 7);
    solve();
    writeFile("9  5\r\n1  1\r\n0  1\r\n");  // ends after two cells
    load();
    EXPECT_EQ(std::tuple(maze.MazeWidth, maze.MazeHeight, controls.width, controls.height,
                         maze.CellSize, int{maze.PathHidden}, controls.caption),
              std::tuple(9, 5, 9, 8, 16, 1, "SOLVE"));
    EXPECT_EQ(maze.Walls[1][0], (WallPair{.Left = 1, .Top = 0}));
    EXPECT_EQ(maze.Walls[2][0], (WallPair{}));

    testing::RecordingSurface expected;
    clearPicture(expected);
    ShowMaze(maze, expected, maze.Walls);
    EXPECT_EQ(surface.calls, expected.calls);
}

TEST_F(FileCommandsTest, TheNextSolveDrawsTheLoadedRoute) {
    generate(20, 20, 3);
    surface.calls.clear();
    solve();
    const std::vector<std::string> route = surface.calls;
    Button5Click(maze);
    generate(30, 12, 4);
    load();
    surface.calls.clear();
    solve();
    EXPECT_EQ(surface.calls, route);
}

TEST_F(FileCommandsTest, FailedSaveKeepsThePreviousFile) {
    generate(100, 100, 5);
    writeFile("old maze");
    std::signal(SIGXFSZ, SIG_IGN);  // as the program does
    EXPECT_EQ(testing::failureUnderLimit(RLIMIT_FSIZE, 30'000, [&] { Button5Click(maze); }),
              "27 I/O error 27");
    EXPECT_EQ(testing::readBytes(maze.MazeFileName), "old maze");
    EXPECT_EQ(dir.count(), 1);
}

TEST_F(FileCommandsTest, RefusedOrFailedLoadLeavesThePreviousMaze) {
    generate(30, 20, 11);
    solve();
    const Maze previous = maze.Walls;
    // Only the route is reset and the picture cleared.
    const auto expectPreviousMaze = [&](const std::string& label) {
        EXPECT_EQ(maze.Walls, previous) << label;
        EXPECT_EQ(std::tuple(maze.MazeWidth, maze.MazeHeight, controls.width, controls.height,
                             int{maze.PathHidden}, controls.caption),
                  std::tuple(30, 20, 30, 20, 1, "SOLVE"))
            << label;
        EXPECT_EQ(surface.calls.size(), 2u) << label;
    };
    const std::string kTooLarge = "Ширина или высота больше > 100 !";
    const std::string kTooSmall = "Ширина или высота меньше 1 !";
    // Rows: file, notice, error. The "zz" line after each is never read.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"101  50\r\n", kTooLarge, ""},
        {"50  101\r\n", kTooLarge, ""},
        {"0  10\r\n", kTooSmall, ""},
        {"-3  10\r\n", kTooSmall, ""},
        {"10  0\r\n", kTooSmall, ""},
        {"\x1a 10  10\r\n", kTooSmall, ""},
        {"2  1\r\n1  1\r\n1  0x\r\n", "", "106 Invalid numeric input"},
        // A maze of another shape, which only the command-line tool reads.
        {"nitka-maze-shape 1 hex 2 1\ncells\n01\n", "", "106 Invalid numeric input"},
    };
    for (const auto& [file, notice, error] : cases) {
        writeFile(file + "zz  zz\r\n");
        controls.notices.clear();
        EXPECT_EQ(testing::failure([&] { load(); }), error) << file;
        EXPECT_EQ(controls.notices, std::vector<std::string>(notice.empty() ? 0 : 1, notice));
        expectPreviousMaze(file);
    }
    std::filesystem::remove(maze.MazeFileName);
    EXPECT_EQ(testing::failure([&] { load(); }), "2 File not found");
    expectPreviousMaze("missing");
}

}  // namespace
}  // namespace nitka
