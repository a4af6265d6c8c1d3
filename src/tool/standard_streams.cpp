#include "tool/standard_streams.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "storage/maze_file.h"

namespace nitka {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

StandardOutput::StandardOutput(int fd) : m_fd(fd), m_buffer(kBufferSize) {
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

StandardOutput::~StandardOutput() {
    try {
        flush();
    } catch (const FileError&) {
        // Too late to tell anyone; the command that failed has said so.
    }
}

void StandardOutput::flush() {
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    // Emptied first: a failed write is not tried again from the destructor.
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    writeAll(m_buffer.data(), pending);
}

void StandardOutput::writeAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw fileErrorFromErrno(errno);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
    flush();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize StandardOutput::xsputn(const char_type* data, std::streamsize count) {
    const auto room = epptr() - pptr();
    if (count <= room) {
        std::memcpy(pptr(), data, static_cast<std::size_t>(count));
        pbump(static_cast<int>(count));
        return count;
    }
    // Large pieces skip the buffer rather than being copied through it.
    flush();
    writeAll(data, static_cast<std::size_t>(count));
    return count;
}

int StandardOutput::sync() {
    flush();
    return 0;
}

}  // namespace nitka
