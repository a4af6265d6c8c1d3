#include "storage/byte_sink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

#include "storage/file_calls.h"
#include "storage/file_error.h"

namespace nitka {
namespace {

// Takes the first `room` bytes and then no more, leaving ENOSPC in errno as a
// full disk's file buffer does; or takes all and fails to sync.
class FullBuffer final : public std::streambuf {
public:
    explicit FullBuffer(std::streamsize room, bool syncFails = false)
        : m_room(room), m_syncFails(syncFails) {}
    std::string taken;

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        const std::streamsize took = std::min(count, m_room);
        taken.append(bytes, static_cast<std::size_t>(took));
        m_room -= took;
        if (took < count) {
            errno = ENOSPC;
        }
        return took;
    }
    int sync() override {
        if (m_syncFails) {
            errno = ENOSPC;
            return -1;
        }
        return 0;
    }

private:
    std::streamsize m_room;
    bool m_syncFails;
};

[[noreturn]] void failLoudly(int) {
    throw std::logic_error("the writer's own words");
}

// However the bytes fail to leave, flush() or the write that found it says
// so, in the words of the writer's hook, and never returns as if written.
TEST(ByteSinkFailure, ReportsEveryLostByteInTheWritersWords) {
    const std::string full = fileErrorFromErrno(ENOSPC).what();
    const std::string block(ByteSink::kBlock, 'x');
    // Rows: label, hook, bytes the buffer takes, sync fails, bytes put, message.
    const std::tuple<const char*, WriteFailure, std::streamsize, bool, std::string, std::string>
        kRows[] = {
            {"held bytes at flush", throwFileError, 3, false, "hello", full},
            {"nothing taken", throwFileError, 0, false, "a", full},
            {"failed sync", throwFileError, 1 << 20, true, "hello", full},
            {"a put past a block", throwFileError, 10, false, block + "tail", full},
            {"hook's own words", failLoudly, 3, false, "hello", "the writer's own words"},
            {"hook at sync", failLoudly, 1 << 20, true, "hello", "the writer's own words"},
        };
    for (const auto& [label, hook, room, syncFails, text, message] : kRows) {
        FullBuffer out(room, syncFails);
        try {
            ByteSink sink(out, hook);
            sink.put(text);
            sink.flush();
            ADD_FAILURE() << label << ": no error";
        } catch (const std::exception& error) {
            EXPECT_EQ(error.what(), message) << label;
        }
    }
}

// A C library's callback sees false and the reason, never an exception.
TEST(ByteSinkFailure, TryPutKeepsTheReasonForTheCallback) {
    FullBuffer out(2);
    ByteSink sink(out);
    EXPECT_TRUE(sink.tryPut("ab"));
    EXPECT_FALSE(sink.tryPut("cd"));
    EXPECT_EQ(sink.failure(), fileErrorFromErrno(ENOSPC).what());
}

TEST(ByteSinkText, WritesDecimalsAsEachWriterAsks) {
    // Rows: value, places, text.
    const std::tuple<double, int, std::string> kRows[] = {
        {5, -1, "5"},         {5.5, -1, "5.5"},
        {1e6, -1, "1000000"}, {0.1 + 0.2, -1, "0.30000000000000004"},
        {-2.25, -1, "-2.25"}, {5, 2, "5"},
        {5.5, 2, "5.5"},      {18.8612, 2, "18.86"},
        {100, 2, "100"},      {-0.001, 2, "0"},
        {-3.456, 2, "-3.46"}, {7.6, 0, "8"},
    };
    for (const auto& [value, places, text] : kRows) {
        std::stringbuf out;
        ByteSink sink(out);
        sink << Decimal{value, places};
        sink.flush();
        EXPECT_EQ(out.str(), text) << value << " to " << places;
    }
}

// Bytes put every way, across many blocks, leave in the order put; an empty
// text (with no bytes behind it) puts nothing.
TEST(ByteSinkText, KeepsTheOrderAcrossBlocks) {
    std::stringbuf out;
    std::string expected;
    {
        ByteSink sink(out);
        sink.put(std::string_view{});
        for (int round = 0; round < 3000; ++round) {
            sink << "line " << std::int64_t{round} << " ";
            sink.put('|');
            char* const room = sink.room(5);
            std::copy_n("abcde", 5, room);
            sink.wrote(round % 6);
            expected += "line " + std::to_string(round) + " |" + std::string("abcde", round % 6);
            if (round % 1000 == 999) {
                const std::string big(ByteSink::kBlock + 7, static_cast<char>('A' + round / 1000));
                sink.put(big);
                expected += big;
            }
        }
        sink.flush();
    }
    EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace nitka
