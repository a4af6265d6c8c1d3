#include "tool/interrupt_cleanup.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

#include "storage/output_file.h"
#include "storage/storage_fixture.h"

namespace nitka {
namespace {

// Where the file system cannot make a file without a name, the write's file
// has a hidden one; a real signal to a real process must take it away.
TEST(InterruptCleanupDeathTest, ASignalRemovesANamedTemporaryFile) {
    const testing::TempDir dir;
    const std::string name = dir / "maze.txt";
    // Only the first open is failed: the one that asks for a file without a name.
    const auto noUnnamedFiles = [] {
        return [opens = 0](FileStep step) mutable {
            return step == FileStep::Open && opens++ == 0 ? EOPNOTSUPP : 0;
        };
    };
    {
        OutputFile file(name, noUnnamedFiles());
        EXPECT_EQ(dir.count(), 1) << "the fallback makes a named file";
    }
    EXPECT_EQ(dir.count(), 0);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        EXPECT_EXIT(
            {
                removeTemporaryFilesOnInterrupt();
                OutputFile file(name, noUnnamedFiles());
                file.stream().sputn("half a maze", 11);
                std::raise(signal);
            },
            ::testing::KilledBySignal(signal), "");
        EXPECT_EQ(dir.count(), 0) << signal;
    }
}

}  // namespace
}  // namespace nitka
