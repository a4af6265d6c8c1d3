#include "storage/output_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>

#include "storage/storage_fixture.h"

namespace nitka {
namespace {

namespace fs = std::filesystem;

// Bytes that differ from place to place, so that a piece written twice or
// skipped shows.
std::string pattern(std::size_t size, char first) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(first + (i * 7 + i / 251) % 26);
    }
    return bytes;
}

// Writes content through a std::ostream in pieces from one byte to more than
// the file's buffer, as a writer that makes its lines as it goes does.
void writeInPieces(OutputFile& file, std::string_view content) {
    std::ostream out(&file.stream());
    for (std::size_t piece = 1; !content.empty(); piece = piece * 3 + 1) {
        const std::size_t size = std::min(piece, content.size());
        out.write(content.data(), static_cast<std::streamsize>(size));
        content.remove_prefix(size);
    }
}

const std::string kContent = pattern(300'007, 'a');

TEST(OutputFileTest, StreamsAnyLengthInPieces) {
    // Rows: the old file (none: a new name), whether it has a second name, so
    // that it is written in place.
    const std::tuple<std::string, std::optional<std::string>, bool> cases[] = {
        {"new name", std::nullopt, false},
        {"longer file", pattern(400'000, 'A'), false},
        {"longer file in place", pattern(400'000, 'A'), true},
        {"shorter file in place", "old maze", true},
    };
    for (const auto& [label, old, linked] : cases) {
        const testing::TempDir dir;
        const std::string name = dir / "maze.txt";
        if (old) {
            testing::writeBytes(name, *old);
        }
        if (linked) {
            fs::create_hard_link(name, dir / "other");
        }
        OutputFile file(name);
        writeInPieces(file, kContent);
        file.commit();
        // Not EXPECT_EQ: a difference would print both files.
        EXPECT_TRUE(testing::readBytes(name) == kContent) << label;
        EXPECT_EQ(dir.count(), linked ? 2 : 1) << label;
        if (linked) {
            EXPECT_TRUE(testing::readBytes(dir / "other") == kContent) << label;
        }
    }
}

TEST(OutputFileTest, AbandonedOrFailedWriteLeavesTheOldFile) {
    // Rows: the old file (none: a new name), error the first write fails with
    // (0: none), whether the old file has a second name and so is written in
    // place, where the bytes are staged in the temporary folder until commit.
    const std::tuple<std::optional<std::string>, int, bool> cases[] = {
        {"old maze", 0, false},     {std::nullopt, 0, false}, {"old maze", ENOSPC, false},
        {"old maze", ENOSPC, true}, {"old maze", 0, true},
    };
    for (const auto& [old, error, linked] : cases) {
        const std::string label =
            old.value_or("new name") + " " + std::to_string(error) + (linked ? " in place" : "");
        const testing::TempDir dir;
        const std::string name = dir / "maze.txt";
        if (old) {
            testing::writeBytes(name, *old);
        }
        if (linked) {
            fs::create_hard_link(name, dir / "other");
        }
        {
            // The third write fails: two chunks in, where a file written in
            // place straight away would already have lost old bytes.
            OutputFile file(name, [&, writes = 0](FileStep step) mutable {
                return step == FileStep::Write && writes++ == 2 ? error : 0;
            });
            // Past several buffers, so that the new file has seen writes.
            writeInPieces(file, kContent);
            // The std::ostream keeps the failure to itself; commit() must not.
            if (error != 0) {
                EXPECT_EQ(testing::failure([&] { file.commit(); }), "101 Disk full") << label;
            }
        }
        EXPECT_EQ(testing::readBytes(name), old.value_or("")) << label;
        EXPECT_EQ(dir.count(), (old ? 1 : 0) + (linked ? 1 : 0)) << label;
    }
}

}  // namespace
}  // namespace nitka
