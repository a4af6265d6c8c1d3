#pragma once

#include <streambuf>
#include <vector>

namespace nitka {

// Standard output, or another descriptor that is written as a stream (a pipe
// or a device), as a stream buffer that reports a failed write (a full disk,
// a closed pipe) by throwing FileError, where std::cout would only set a flag.
// It does not own the descriptor.
class StandardOutput final : public std::streambuf {
public:
    explicit StandardOutput(int fd = 1);
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;
    // Whatever is left is flushed quietly; call flush() to see the error.
    ~StandardOutput() override;

    // Writes out everything buffered; throws FileError on failure.
    void flush();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char_type* data, std::streamsize count) override;
    int sync() override;

private:
    void writeAll(const char* data, std::size_t size);

    int m_fd;
    std::vector<char> m_buffer;
};

}  // namespace nitka
