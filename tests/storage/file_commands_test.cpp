#include "storage/file_commands.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/generate_command.h"
#include "model/seeded_random.h"
#include "solver/solve_command.h"
#include "storage/file_error.h"
#include "storage/storage_fixture.h"
#include "support/fake_controls.h"
#include "support/recording_surface.h"
#include "ui/error_text.h"
#include "walls/maze_drawing.h"
#include "walls/text_form.h"

namespace nitka {
namespace {

const std::vector<std::string> kClearing = {"brush Background", "rectangle 0 0 2000 2000"};

class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() { maze->MazeFileName = dir / "labird.txt"; }

    void generate(int width, int height, unsigned seed) {
        SeededRandom random(seed);
        controls.width = width;
        controls.height = height;
        BtGoClick(*maze, controls, surface, random);
    }
    void load() {
        surface.calls.clear();
        Button4Click(*maze, controls, surface);
    }
    void writeFile(const std::string& bytes) { testing::writeBytes(maze->MazeFileName, bytes); }
    std::string fileBytes() const { return testing::readBytes(maze->MazeFileName); }

    testing::TempDir dir;
    std::unique_ptr<MazeState> maze = std::make_unique<MazeState>();
    testing::FakeControls controls;
    testing::RecordingSurface surface;
};

TEST_F(FileCommandsTest, SaveWithoutAMazeWritesNothing) {
    Button5Click(*maze);
    maze->MazeReady = 1;
    Button5Click(*maze);
    EXPECT_TRUE(dir.entries().empty());
}

TEST_F(FileCommandsTest, SaveThenLoadGivesBackEveryFlag) {
    const std::pair<int, int> sizes[] = {{8, 8}, {50, 50}, {51, 13}, {100, 100}, {99, 8}};
    unsigned seed = 1;
    for (const auto& [width, height] : sizes) {
        for (int round = 0; round < 4; ++round, ++seed) {
            generate(width, height, seed);
            const Maze generated = maze->Walls;
            Button5Click(*maze);
            maze->Walls = Maze();
            load();
            EXPECT_EQ(maze->Walls, generated) << width << "x" << height << " seed " << seed;
        }
    }
}

TEST_F(FileCommandsTest, LoadedFlagsAreSavedAsLoaded) {
    const std::string file = "2  1\r\n2  255\r\n0  1\r\n";
    writeFile(file);
    load();
    Button5Click(*maze);
    EXPECT_EQ(fileBytes(), file);
}

TEST_F(FileCommandsTest, LoadMakesTheFileTheCurrentMazeAndDrawsIt) {
    generate(50, 50, 7);
    maze->PathHidden = 0;
    controls.caption = "SHOW";
    writeFile("9  5\r\n" + std::string("1  1\r\n") + "0  1\r\n");
    load();

    EXPECT_EQ(maze->MazeWidth, 9);
    EXPECT_EQ(maze->MazeHeight, 5);
    EXPECT_EQ(controls.width, 9);
    EXPECT_EQ(controls.height, 8);
    EXPECT_EQ(maze->CellSize, 16);
    EXPECT_EQ(maze->MazeReady, 1);
    EXPECT_EQ(maze->PathHidden, 1);
    EXPECT_EQ(controls.caption, "SOLVE");
    // The file ends after two cells: the rest have no walls.
    EXPECT_EQ(maze->Walls[1][0], (WallPair{.Left = 1, .Top = 0}));
    EXPECT_EQ(maze->Walls[2][0], (WallPair{}));
    EXPECT_EQ(maze->Walls[9][4], (WallPair{1, 1}));

    testing::RecordingSurface expected;
    clearPicture(expected);
    ShowMaze(*maze, expected, maze->Walls);
    EXPECT_EQ(surface.calls, expected.calls);
}

TEST_F(FileCommandsTest, TheNextSolveDrawsTheLoadedRoute) {
    generate(20, 20, 3);
    BtCheminClick(*maze, controls, surface);
    Button5Click(*maze);
    load();
    surface.calls.clear();
    BtCheminClick(*maze, controls, surface);
    EXPECT_EQ(controls.caption, "SHOW");
    const auto dots =
        std::count_if(surface.calls.begin(), surface.calls.end(),
                      [](const std::string& call) { return call.starts_with("ellipse"); });
    EXPECT_GE(dots, 39);  // a route from corner to corner of 20 x 20 passes at least 39 cells
}

TEST_F(FileCommandsTest, LargestMazeIsAccepted) {
    writeFile("100  100\r\n");
    load();
    EXPECT_EQ(maze->MazeWidth, 100);
    EXPECT_EQ(maze->CellSize, 8);
    EXPECT_TRUE(controls.notices.empty());
}

// What a refused or failed LOAD must leave: the previous maze, with only the
// route reset and the picture cleared.
class RefusedLoadTest : public FileCommandsTest {
protected:
    void SetUp() override {
        generate(30, 20, 11);
        maze->PathHidden = 0;
        controls.caption = "SHOW";
        previous = maze->Walls;
    }
    void expectPreviousMaze(const std::string& label) {
        EXPECT_EQ(maze->Walls, previous) << label;
        EXPECT_EQ(maze->MazeWidth, 30) << label;
        EXPECT_EQ(maze->MazeHeight, 20) << label;
        EXPECT_EQ(maze->CellSize, 16) << label;
        EXPECT_EQ(controls.width, 30) << label;
        EXPECT_EQ(controls.height, 20) << label;
        EXPECT_EQ(maze->PathHidden, 1) << label;
        EXPECT_EQ(controls.caption, "SOLVE") << label;
        EXPECT_EQ(surface.calls, kClearing) << label;
    }
    Maze previous;
};

TEST_F(RefusedLoadTest, SizesOutOfRangeBringANotice) {
    const std::string kTooLarge = "Ширина или высота больше > 100 !";
    const std::string kTooSmall = "Ширина или высота меньше 1 !";
    const std::pair<std::string, std::string> cases[] = {
        {"101  50\r\n", kTooLarge},
        {"50  101\r\n", kTooLarge},
        {"101  0\r\n", kTooLarge},
        {"", kTooSmall},
        {"0  10\r\n", kTooSmall},
        {"-3  10\r\n", kTooSmall},
        {"10  0\r\n", kTooSmall},
        {"\x1a"
         "10  10\r\n",
         kTooSmall},
    };
    for (const auto& [file, notice] : cases) {
        // The cell lines after a refused header are never read.
        writeFile(file.empty() ? file : file + "zz  zz\r\n");
        controls.notices.clear();
        load();
        EXPECT_EQ(controls.notices, std::vector<std::string>{notice}) << file;
        expectPreviousMaze(file);
    }
}

TEST_F(RefusedLoadTest, FailuresLeaveThePreviousMaze) {
    std::filesystem::create_directory(dir / "directory");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    const struct {
        const char* label;
        std::string name;
        std::string bytes;
        const char* boxText;
    } cases[] = {
        {"missing", "missing", "", "File not found."},
        {"directory", "directory", "", "File access denied."},
        {"fifo", "fifo", "", "File access denied."},
        {"bad header", "labird.txt", "8  eight\r\n", "Invalid numeric input."},
        {"bad last cell", "labird.txt", "2  1\r\n1  1\r\n1  0x\r\n", "Invalid numeric input."},
    };
    for (const auto& row : cases) {
        maze->MazeFileName = dir / row.name;
        if (!row.bytes.empty()) {
            writeFile(row.bytes);
        }
        try {
            load();
            ADD_FAILURE() << row.label << ": loaded";
        } catch (const FileError& error) {
            EXPECT_EQ(errorBoxText(error.what()), row.boxText) << row.label;
        }
        expectPreviousMaze(row.label);
        EXPECT_TRUE(controls.notices.empty()) << row.label;
    }
}

TEST_F(FileCommandsTest, FailedSaveKeepsThePreviousFile) {
    generate(100, 100, 5);
    writeFile("old maze");
    {
        testing::ScopedLimit limit(RLIMIT_FSIZE, 30'000);
        EXPECT_THROW(Button5Click(*maze), FileError);
    }
    EXPECT_EQ(fileBytes(), "old maze");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"labird.txt"});
}

}  // namespace
}  // namespace nitka
