#include "storage/input_stream.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

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

// Named pipes and regular files are read end to end in tests/cli/test_inputs.py.
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

TEST(InputStream, AFailedReadThrows) {
    testing::TempDir dir;
    testing::writeBytes(dir / "m.txt", "1  1\r\n");
    InputStream input(dir / "m.txt",
                      [](FileStep step) { return step == FileStep::Read ? EIO : 0; });
    EXPECT_EQ(testing::failure([&] { input.stream().sgetc(); }), "5 I/O error 5");
}

}  // namespace
}  // namespace nitka
