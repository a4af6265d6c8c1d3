#include "storage/maze_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <tuple>

#include "storage/storage_fixture.h"

namespace nitka {
namespace {

namespace fs = std::filesystem;
using testing::failure;

class MazeFileTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    const std::string name = dir / "labird.txt";
};

TEST_F(MazeFileTest, ReplacesTheFileALinkPointsToKeepingItsPermissions) {
    testing::writeBytes(dir / "real", "old");
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(dir / "real", perms);
    fs::create_symlink("real", name);
    replaceFile(name, "new");
    EXPECT_TRUE(fs::is_symlink(name));
    EXPECT_EQ(testing::readBytes(dir / "real"), "new");
    EXPECT_EQ(fs::status(dir / "real").permissions() & fs::perms::mask, perms);
    EXPECT_EQ(dir.count(), 2);
}

// Neither opening for LOAD nor replacing for SAVE may wait on a FIFO, touch
// what is no regular file, or write over a write-protected one.
TEST_F(MazeFileTest, RefusedNamesLeaveEverythingAsItWas) {
    fs::create_directory(dir / "directory");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    testing::writeBytes(dir / "plain", "plain");
    fs::permissions(dir / "plain", fs::perms::owner_read);
    const std::string kDenied = "5 File access denied";
    const std::string kInvalid = "3 Invalid filename";
    // Rows: name, failure to open it, failure to replace it ("": not tried).
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {dir / "directory", kDenied, kDenied},
        {dir / "fifo", kDenied, kDenied},
        {"/dev/null", kDenied, ""},
        {dir / "plain", "", ::geteuid() == 0 ? "" : kDenied},  // permission bits do not stop root
        {dir / "plain/labird.txt", kInvalid, kInvalid},
        {dir / std::string(300, 'n'), kInvalid, kInvalid},
    };
    for (const auto& [path, openFailure, replaceFailure] : cases) {
        EXPECT_EQ(failure([&] { InputFile file(path); }), openFailure) << path;
        if (!replaceFailure.empty()) {
            EXPECT_EQ(failure([&] { replaceFile(path, "new"); }), replaceFailure) << path;
        }
    }
    EXPECT_TRUE(fs::is_directory(dir / "directory"));
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_EQ(testing::readBytes(dir / "plain"), "plain");
    EXPECT_EQ(dir.count(), 3);
}

TEST_F(MazeFileTest, TooManyOpenFiles) {
    testing::writeBytes(name, "1 1");
    // The lowest free descriptor number: as a limit, it leaves no room to open one.
    const int probe = ::dup(0);
    ::close(probe);
    EXPECT_EQ(testing::failureUnderLimit(RLIMIT_NOFILE, probe, [&] { InputFile file(name); }),
              "4 Too many open files");
}

TEST_F(MazeFileTest, InjectedFailuresAreReportedAndKeepTheOldFile) {
    const std::tuple<FileStep, int, std::string> cases[] = {
        {FileStep::Check, EROFS, "5 File access denied"},
        {FileStep::Write, ENOSPC, "101 Disk full"},
        {FileStep::Close, EDQUOT, "101 Disk full"},
        {FileStep::Rename, EXDEV, "18 I/O error 18"},
        // The system's EIO has the number the table gives to access denied.
        {FileStep::Sync, EIO, "5 I/O error 5"},
        {FileStep::Read, EIO, "5 I/O error 5"},
    };
    for (const auto& [step, error, expected] : cases) {
        testing::writeBytes(name, "old maze");
        const FaultHook fault = [&](FileStep now) { return now == step ? error : 0; };
        EXPECT_EQ(failure([&] {
                      if (step == FileStep::Read) {
                          InputFile(name, fault).stream().sgetc();
                      }
                      replaceFile(name, "new maze", fault);
                  }),
                  expected);
        EXPECT_EQ(testing::readBytes(name), "old maze") << expected;
        EXPECT_EQ(dir.count(), 1) << expected;
    }
}

}  // namespace
}  // namespace nitka
