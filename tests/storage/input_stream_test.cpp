#include "storage/input_stream.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "storage/storage_fixture.h"

namespace nitka {
namespace {

std::string allOf(InputStream& input) {
    std::string text;
    std::streambuf& in = input.stream();
    for (auto c = in.sbumpc(); c != std::streambuf::traits_type::eof(); c = in.sbumpc()) {
        text += static_cast<char>(c);
    }
    return text;
}

// A pipe with text written into it by a thread, read by its /proc name.
class FilledPipe {
public:
    explicit FilledPipe(std::string text) {
        int ends[2];
        EXPECT_EQ(::pipe(ends), 0);
        m_read = Descriptor(ends[0]);
        m_writer = std::thread([fd = ends[1], text = std::move(text)] {
            EXPECT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
            ::close(fd);
        });
    }
    ~FilledPipe() { m_writer.join(); }
    std::string name() const { return "/proc/self/fd/" + std::to_string(m_read.get()); }

private:
    Descriptor m_read;
    std::thread m_writer;
};

TEST(InputStream, ReadsARegularFileAndKnowsItsSize) {
    testing::TempDir dir;
    testing::writeBytes(dir / "m.txt", "2  1\r\n1  1\r\n1  0\r\n");
    InputStream input(dir / "m.txt");
    EXPECT_EQ(input.size(), 18u);
    EXPECT_EQ(allOf(input), "2  1\r\n1  1\r\n1  0\r\n");
    EXPECT_EQ(input.consumed(), 18u);
    input.close();
}

TEST(InputStream, ReadsAPipeByNameWithoutASize) {
    const std::string text(200'000, '7');  // more than a pipe's buffer holds at once
    FilledPipe pipe(text);
    InputStream input(pipe.name());
    EXPECT_FALSE(input.size());
    EXPECT_EQ(allOf(input), text);
}

// open() refuses a socket even by its /proc name; it reads all the same.
TEST(InputStream, ReadsASocketByItsDescriptorsName) {
    for (const std::string prefix : {"/proc/self/fd/", "/dev/fd/"}) {
        int ends[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        const Descriptor reading(ends[0]);
        ASSERT_EQ(::write(ends[1], "3  1\r\n", 6), 6);
        ::close(ends[1]);
        InputStream input(prefix + std::to_string(reading.get()));
        EXPECT_FALSE(input.size());
        EXPECT_EQ(allOf(input), "3  1\r\n") << prefix;
    }
}

TEST(InputStream, RefusesAFolderAndAMissingFile) {
    testing::TempDir dir;
    try {
        InputStream input(dir / ".");
        ADD_FAILURE() << "a folder was opened";
    } catch (const NotRegularFileError& error) {
        EXPECT_TRUE(error.isFolder());
    }
    EXPECT_EQ(testing::failure([&] { InputStream input(dir / "missing"); }), "2 File not found");
}

// The limit ends the stream where it stands, whatever the read chunks, and
// says so; lifted, the rest follows from where it stopped.
TEST(InputStream, ALimitEndsTheStreamUntilLifted) {
    testing::TempDir dir;
    testing::writeBytes(dir / "m.txt", std::string(100'000, 'a') + "b");
    for (const std::uint64_t limit : {0u, 1u, 65'536u, 99'999u}) {
        SCOPED_TRACE(limit);
        InputStream input(dir / "m.txt");
        input.limitTo(limit);
        EXPECT_EQ(allOf(input).size(), limit);
        EXPECT_TRUE(input.reachedLimit());
        input.limitTo(std::nullopt);
        EXPECT_FALSE(input.reachedLimit());
        EXPECT_EQ(allOf(input).size(), 100'001 - limit);
    }
    InputStream short_(dir / "m.txt");
    short_.limitTo(200'000);
    EXPECT_EQ(allOf(short_).size(), 100'001u);
    EXPECT_FALSE(short_.reachedLimit());
}

TEST(InputStream, AFailedReadThrows) {
    testing::TempDir dir;
    testing::writeBytes(dir / "m.txt", "1  1\r\n");
    InputStream input(dir / "m.txt",
                      [](FileStep step) { return step == FileStep::Read ? EIO : 0; });
    EXPECT_EQ(testing::failure([&] { input.stream().sgetc(); }), "5 I/O error 5");
}

}  // namespace
}  // namespace nitka
