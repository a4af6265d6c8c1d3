#include "tool/tool_error.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "storage/maze_file.h"

namespace nitka {
namespace {

TEST(ToolErrorTest, AFailureIsOneLineNamingWhatAndWhy) {
    EXPECT_EQ(errorLine("maze.txt", "File not found"), "nitka-maze: maze.txt: File not found\n");
    EXPECT_EQ(errorLine("", "A subcommand is required"), "nitka-maze: A subcommand is required\n");
    // A parser's message over two lines, or a file name with a line feed,
    // must not break the one line a script reads.
    EXPECT_EQ(errorLine("bad\nname", "first\nsecond\r\n"), "nitka-maze: bad name: first second\n");
}

TEST(ToolErrorTest, FileErrorsBecomeFailuresAboutTheFile) {
    try {
        blamingFile(inputName("-"), [] { throw FileError(file_error_code::kDiskFull); });
        FAIL() << "nothing thrown";
    } catch (const ToolError& error) {
        EXPECT_EQ(error.subject(), "standard input");
        EXPECT_STREQ(error.what(), "Disk full");
        EXPECT_EQ(error.status(), kStatusFailed);
    }
    // EIO, whose number the window's table gives to "access denied".
    EXPECT_EQ(fileErrorText(fileErrorFromErrno(EIO)), "I/O error 5 (Input/output error)");
}

}  // namespace
}  // namespace nitka
