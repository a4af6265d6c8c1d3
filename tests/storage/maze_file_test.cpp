#include "storage/maze_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "storage/storage_fixture.h"

namespace nitka {
namespace {

namespace fs = std::filesystem;

TEST(FileErrorFromErrno, MapsSystemErrorsOntoTheTable) {
    const struct {
        int error;
        int code;
        const char* message;
    } cases[] = {
        {ENOENT, 2, "File not found"},
        {ENAMETOOLONG, 3, "Invalid filename"},
        {ENOTDIR, 3, "Invalid filename"},
        {ELOOP, 3, "Invalid filename"},
        {EMFILE, 4, "Too many open files"},
        {ENFILE, 4, "Too many open files"},
        {EACCES, 5, "File access denied"},
        {EPERM, 5, "File access denied"},
        {EROFS, 5, "File access denied"},
        {EISDIR, 5, "File access denied"},
        {ENOSPC, 101, "Disk full"},
        {EDQUOT, 101, "Disk full"},
        {EFBIG, EFBIG, "I/O error 27"},
        {EXDEV, EXDEV, "I/O error 18"},
        // The system's EIO has the number the table gives to access denied.
        {EIO, EIO, "I/O error 5"},
    };
    for (const auto& row : cases) {
        const FileError error = fileErrorFromErrno(row.error);
        EXPECT_EQ(error.code(), row.code) << row.message;
        EXPECT_STREQ(error.what(), row.message);
    }
}

int codeOf(auto&& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.code();
    }
    return 0;
}

// The lowest free descriptor number: as a limit, it leaves no room to open one.
rlim_t openDescriptorLimit() {
    const int probe = ::dup(0);
    ::close(probe);
    return static_cast<rlim_t>(probe);
}

class ReplaceFileTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    const std::string name = dir / "labird.txt";
};

TEST_F(ReplaceFileTest, CreatesAndReplaces) {
    replaceFile(name, "first");
    replaceFile(name, "second");
    EXPECT_EQ(testing::readBytes(name), "second");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"labird.txt"});
}

TEST_F(ReplaceFileTest, KeepsThePermissionBits) {
    testing::writeBytes(name, "old");
    fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    replaceFile(name, "new");
    EXPECT_EQ(fs::status(name).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ReplaceFileTest, ReplacesTheFileALinkPointsTo) {
    fs::create_directory(dir / "real");
    testing::writeBytes(dir / "real/maze", "old");
    fs::create_symlink("real/maze", name);
    replaceFile(name, "new");
    EXPECT_TRUE(fs::is_symlink(name));
    EXPECT_EQ(testing::readBytes(dir / "real/maze"), "new");

    fs::create_symlink("missing", dir / "dangling");
    replaceFile(dir / "dangling", "made");
    EXPECT_EQ(testing::readBytes(dir / "missing"), "made");
}

TEST_F(ReplaceFileTest, RefusedNamesLeaveEverythingAsItWas) {
    fs::create_directory(dir / "directory");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    testing::writeBytes(dir / "plain", "plain");
    fs::create_symlink("loop", dir / "loop");
    const std::pair<std::string, int> cases[] = {
        {"directory", 5},           {"fifo", 5}, {"plain/labird.txt", 3},
        {std::string(300, 'n'), 3}, {"loop", 3}, {"missing/labird.txt", 2},
    };
    for (const auto& [entry, code] : cases) {
        EXPECT_EQ(codeOf([&] { replaceFile(dir / entry, "new"); }), code) << entry;
    }
    EXPECT_TRUE(fs::is_directory(dir / "directory"));
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_EQ(testing::readBytes(dir / "plain"), "plain");
    EXPECT_EQ(dir.entries().size(), 4u);
}

TEST_F(ReplaceFileTest, WriteProtectedFileIsRefused) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    testing::writeBytes(name, "old");
    fs::permissions(name, fs::perms::owner_read);
    EXPECT_EQ(codeOf([&] { replaceFile(name, "new"); }), 5);
    EXPECT_EQ(testing::readBytes(name), "old");
}

TEST_F(ReplaceFileTest, WriteFailingMidwayKeepsTheOldFile) {
    testing::writeBytes(name, "old maze");
    {
        testing::ScopedLimit limit(RLIMIT_FSIZE, 1000);
        EXPECT_EQ(codeOf([&] { replaceFile(name, std::string(5000, 'x')); }), EFBIG);
    }
    EXPECT_EQ(testing::readBytes(name), "old maze");
    EXPECT_EQ(dir.entries().size(), 1u);
}

TEST_F(ReplaceFileTest, TooManyOpenFiles) {
    testing::ScopedLimit limit(RLIMIT_NOFILE, openDescriptorLimit());
    EXPECT_EQ(codeOf([&] { replaceFile(name, "new"); }), 4);
}

TEST_F(ReplaceFileTest, InjectedFailuresKeepTheOldFile) {
    const std::pair<FileStep, int> cases[] = {
        {FileStep::Check, EACCES}, {FileStep::Check, EROFS}, {FileStep::Open, EACCES},
        {FileStep::Write, ENOSPC}, {FileStep::Sync, EIO},    {FileStep::Close, EDQUOT},
        {FileStep::Rename, EXDEV},
    };
    for (const auto& [step, error] : cases) {
        testing::writeBytes(name, "old maze");
        const FaultHook fault = [step, error](FileStep now) { return now == step ? error : 0; };
        EXPECT_EQ(codeOf([&] { replaceFile(name, "new maze", fault); }),
                  fileErrorFromErrno(error).code())
            << static_cast<int>(step);
        EXPECT_EQ(testing::readBytes(name), "old maze") << static_cast<int>(step);
        EXPECT_EQ(dir.entries().size(), 1u) << static_cast<int>(step);
    }
}

class InputFileTest : public ReplaceFileTest {};

TEST_F(InputFileTest, ReadsARegularFile) {
    testing::writeBytes(name, "3  4\r\n");
    InputFile file(name);
    std::string text;
    for (auto c = file.stream().sbumpc(); c != EOF; c = file.stream().sbumpc()) {
        text += static_cast<char>(c);
    }
    file.close();
    EXPECT_EQ(text, "3  4\r\n");
}

TEST_F(InputFileTest, RefusesWhatIsNoReadableFile) {
    fs::create_directory(dir / "directory");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    testing::writeBytes(dir / "plain", "plain");
    const std::pair<std::string, int> cases[] = {
        {dir / "missing", 2}, {dir / "directory", 5},  {dir / "fifo", 5},
        {"/dev/null", 5},     {dir / "plain/maze", 3}, {dir / std::string(300, 'n'), 3},
    };
    for (const auto& [path, code] : cases) {
        EXPECT_EQ(codeOf([&] { InputFile file(path); }), code) << path;
    }
}

TEST_F(InputFileTest, TooManyOpenFiles) {
    testing::writeBytes(name, "1 1");
    testing::ScopedLimit limit(RLIMIT_NOFILE, openDescriptorLimit());
    EXPECT_EQ(codeOf([&] { InputFile file(name); }), 4);
}

TEST_F(InputFileTest, ReadAndCloseFailuresAreReported) {
    testing::writeBytes(name, "1 1");
    const std::pair<FileStep, int> cases[] = {{FileStep::Read, EIO}, {FileStep::Close, EIO}};
    for (const auto& [step, error] : cases) {
        const FaultHook fault = [step, error](FileStep now) { return now == step ? error : 0; };
        EXPECT_EQ(codeOf([&] {
                      InputFile file(name, fault);
                      file.stream().sgetc();
                      file.close();
                  }),
                  error)
            << static_cast<int>(step);
    }
}

}  // namespace
}  // namespace nitka
