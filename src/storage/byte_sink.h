#pragma once

#include <cstdint>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace nitka {

// Throws what a writer reports for a failed write, given the system's error
// number (EIO when the stream left none). A hook that returns leaves the
// sink to throw the FileError of that number.
using WriteFailure = void (*)(int error);

// The writers' default: the FileError of the error number.
[[noreturn]] void throwFileError(int error);

// A number in fixed notation, never an exponent: with places < 0 the
// shortest text that reads back as value ("5", "5.5", "1000000"), else
// rounded to that many decimals with trailing zeros dropped ("18.86", and
// "0" for a rounded "-0").
struct Decimal {
    double value = 0;
    int places = -1;
};

// The writers' way out to a stream buffer: text and numbers gathered into
// blocks, so that a file of millions of elements costs a write a block. A
// short write or a failed flush is an exception, never a silently shorter
// file.
class ByteSink {
public:
    explicit ByteSink(std::streambuf& out, WriteFailure onFailure = throwFileError)
        : m_out(out), m_failed(onFailure) {}
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    void put(std::string_view bytes);
    void put(char byte) {
        if (m_used == m_block.size()) {
            makeRoom(1);
        }
        m_block[m_used++] = byte;
    }
    ByteSink& operator<<(std::string_view text) {
        put(text);
        return *this;
    }
    // Decimal.
    ByteSink& operator<<(std::int64_t value);
    ByteSink& operator<<(Decimal value);
    // A double would turn into an integer here; say which Decimal it is.
    ByteSink& operator<<(double) = delete;

    // Room for `count` bytes after what is held, to be written in place and
    // then taken by wrote(). Requires: count <= kBlock.
    char* room(std::size_t count);
    void wrote(std::size_t count) { m_used += count; }

    // Writes straight through, after what is held, for the write callbacks
    // of C libraries: those buffer themselves, and must not see an exception.
    // False when it failed, with the reason in failure().
    bool tryPut(std::string_view bytes) noexcept;
    // Why the last tryPut failed; empty while none has.
    const std::string& failure() const { return m_failure; }

    // Pushes every byte held here or in the stream on to its destination, so
    // that a failure there shows before the writer reports success.
    void flush();

    static constexpr std::size_t kBlock = 64 * 1024;

private:
    // Spills what is held when count bytes would not fit after it; the block
    // itself comes with the first byte, so a C library's sink never holds one.
    void makeRoom(std::size_t count);
    void spill();
    void write(std::string_view bytes);
    [[noreturn]] void failed() const;
    // What failed() would say of error.
    std::string failureText(int error) const;

    std::streambuf& m_out;
    WriteFailure m_failed;
    std::vector<char> m_block;
    std::size_t m_used = 0;
    std::string m_failure;
};

}  // namespace nitka
