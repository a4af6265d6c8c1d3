#include "tool/output_target.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "storage/storage_fixture.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

namespace fs = std::filesystem;

// Bytes that differ from place to place, so that a piece written twice or
// skipped shows.
std::string pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
    }
    return bytes;
}

// $TMPDIR pointed at a folder of the test's own while it lives, so that a
// staging copy left behind shows.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const std::string& folder) {
        if (const char* old = std::getenv("TMPDIR")) {
            m_old = old;
        }
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TemporaryFolderOverride() {
        if (m_old) {
            ::setenv("TMPDIR", m_old->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
    }
    TemporaryFolderOverride(const TemporaryFolderOverride&) = delete;
    TemporaryFolderOverride& operator=(const TemporaryFolderOverride&) = delete;

private:
    std::optional<std::string> m_old;
};

// One way of writing an output, each call of which the test fails in turn.
struct WriteCase {
    std::string label;
    std::optional<std::string> old;  // none: a name that does not exist yet
    bool linked = false;             // a second name, so written in place
    bool lengthKnown = false;        // in place: written straight, not staged
    int firstOpenError = 0;          // of the new file beside the old: EOPNOTSUPP,
                                     // only named files; EACCES, no file (in place)
    bool throughLink = false;        // the name is a symbolic link to the file
    std::size_t size = 0;            // the new file's length
};

// Calls whose failure has a way round it, so that the write still succeeds:
// ownership, extended attributes or a mount (the file is then written in place
// instead), the file-size limit (then not checked), /proc (a named file).
const std::set<FileStep> kWaysRound = {FileStep::Owner, FileStep::Attributes, FileStep::Limit,
                                       FileStep::Check};

// Failures after the last new byte is placed: the name shows the new file.
bool afterLastByte(FileStep step, bool inPlace) {
    return step == FileStep::SyncFolder ||
           (inPlace &&
            (step == FileStep::Truncate || step == FileStep::Sync || step == FileStep::Close));
}

struct Outcome {
    int calls = 0;                   // system calls the write made through the hook
    std::optional<FileStep> failed;  // the one failed, if any
    std::string error;               // the line the tool would print, "" for none
};

Outcome writeFailingCall(const WriteCase& row, const testing::TempDir& dir, int failAt) {
    const std::string name = dir / "maze.txt";
    const std::string file = row.throughLink ? dir / "real.txt" : name;
    if (row.old) {
        testing::writeBytes(file, *row.old);
    }
    if (row.throughLink) {
        fs::create_symlink("real.txt", name);
    }
    if (row.linked) {
        fs::create_hard_link(file, dir / "other.txt");
    }
    Outcome outcome;
    int opens = 0;
    const FaultHook fault = [&](FileStep step) {
        // The first open asks for a file without a name, unless a failure
        // before it (of /proc) made the write ask for a named one straight away.
        if (row.firstOpenError != 0 && step == FileStep::Open && opens++ == 0 && !outcome.failed) {
            return row.firstOpenError;
        }
        if (outcome.calls++ == failAt) {
            outcome.failed = step;
            return EIO;
        }
        return 0;
    };
    const std::string content = pattern(row.size);
    try {
        const std::optional<std::uint64_t> length =
            row.lengthKnown ? std::optional<std::uint64_t>(content.size()) : std::nullopt;
        OutputTarget target(name, length, fault);
        target.write([&](std::streambuf& out) {
            out.sputn(content.data(), static_cast<std::streamsize>(content.size()));
        });
    } catch (const ToolError& error) {
        outcome.error = errorLine(error.subject(), error.what());
    }
    return outcome;
}

TEST(OutputFaults, EachFailedCallIsReportedAndLeavesNoHalfFile) {
    const std::string kOld = "old maze";
    const WriteCase cases[] = {
        {"new name", std::nullopt, false, false, 0, false, 150'000},
        {"replaced", kOld, false, false, 0, false, 150'000},
        {"replaced through a link", kOld, false, false, 0, true, 150'000},
        {"named temporary file", kOld, false, false, EOPNOTSUPP, false, 150'000},
        {"in place, staged", kOld, true, false, 0, false, 1'000},
        {"in place, length known", kOld, true, true, 0, false, 1'000},
        {"new name in place", std::nullopt, false, false, EACCES, false, 1'000},
    };
    const fs::path base = fs::temp_directory_path();
    for (const WriteCase& row : cases) {
        const testing::TempDir staging;
        const TemporaryFolderOverride override(staging / "");
        int calls = 0;
        {
            const testing::TempDir dir(base);
            calls = writeFailingCall(row, dir, -1).calls;
        }
        ASSERT_GT(calls, 5) << row.label;
        for (int failAt = 0; failAt < calls; ++failAt) {
            const testing::TempDir dir(base);
            const Outcome outcome = writeFailingCall(row, dir, failAt);
            const std::string label = row.label + ", call " + std::to_string(failAt);
            ASSERT_TRUE(outcome.failed) << label;
            const FileStep step = *outcome.failed;
            const std::string name = dir / "maze.txt";
            const std::string after = testing::readBytes(name);
            const bool newVisible = afterLastByte(
                step, (row.linked || row.firstOpenError == EACCES) && row.old.has_value());
            if (outcome.error.empty()) {
                EXPECT_TRUE(kWaysRound.contains(step)) << label << " succeeded";
                EXPECT_TRUE(after == pattern(row.size)) << label;
            } else {
                EXPECT_EQ(outcome.error,
                          "nitka-maze: " + name + ": I/O error 5 (Input/output error)\n")
                    << label;
                // Not EXPECT_EQ: a difference would print both files.
                EXPECT_TRUE(after == (newVisible ? pattern(row.size) : row.old.value_or("")))
                    << label;
                EXPECT_EQ(fs::exists(name), row.old || newVisible) << label;
            }
            if (row.linked) {
                EXPECT_TRUE(testing::readBytes(dir / "other.txt") == after) << label;
            }
            const int files =
                (fs::exists(name) ? 1 : 0) + (row.linked ? 1 : 0) + (row.throughLink ? 1 : 0);
            EXPECT_EQ(dir.count(), files) << label << ": a file left behind";
            EXPECT_EQ(staging.count(), 0) << label << ": a staging copy left behind";
        }
    }
}

}  // namespace
}  // namespace nitka
