#include "storage/input_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace nitka {
namespace {

// Bytes left in a regular file from the descriptor's offset.
std::optional<std::uint64_t> bytesLeft(int fd, const struct stat& status) {
    if (!S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    const off_t offset = ::lseek(fd, 0, SEEK_CUR);
    const auto size = static_cast<std::uint64_t>(status.st_size);
    const auto at = static_cast<std::uint64_t>(std::max<off_t>(offset, 0));
    return at < size ? size - at : 0;
}

// A copy of descriptor N for "/proc/self/fd/N", "/dev/fd/N" or "/dev/stdin";
// none for any other name.
Descriptor copyOfOwnDescriptor(const std::string& name) {
    std::string_view number(name);
    if (name == "/dev/stdin") {
        number = "0";
    } else if (number.starts_with("/proc/self/fd/")) {
        number.remove_prefix(std::string_view("/proc/self/fd/").size());
    } else if (number.starts_with("/dev/fd/")) {
        number.remove_prefix(std::string_view("/dev/fd/").size());
    } else {
        return {};
    }
    int fd = -1;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), fd);
    if (error != std::errc() || end != number.data() + number.size() || fd < 0) {
        return {};
    }
    return Descriptor(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
}

}  // namespace

DescriptorBuffer::DescriptorBuffer(Descriptor file, FaultHook fault)
    : m_fault(std::move(fault)),
      m_file(std::move(file)),
      m_fd(m_file.get()),
      m_chunk(kChunkBytes) {}

DescriptorBuffer::DescriptorBuffer(int fd, FaultHook fault)
    : m_fault(std::move(fault)), m_fd(fd), m_chunk(kChunkBytes) {}

std::uint64_t DescriptorBuffer::consumed() const {
    return m_fetched - static_cast<std::uint64_t>(egptr() - gptr());
}

void DescriptorBuffer::limitTo(std::optional<std::uint64_t> limit) {
    m_limit = limit;
    m_reachedLimit = false;
}

void DescriptorBuffer::close() {
    if (m_file.isOpen()) {
        m_file.close(m_fault);
    }
}

DescriptorBuffer::int_type DescriptorBuffer::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    std::size_t wanted = m_chunk.size();
    if (m_limit) {
        if (m_fetched >= *m_limit) {
            m_reachedLimit = true;
            return traits_type::eof();
        }
        wanted = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, *m_limit - m_fetched));
    }
    const ssize_t count =
        attempt(m_fault, FileStep::Read, [&] { return ::read(m_fd, m_chunk.data(), wanted); });
    if (count < 0) {
        failWithErrno();
    }
    if (count == 0) {
        return traits_type::eof();
    }
    m_fetched += static_cast<std::uint64_t>(count);
    setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + count);
    return traits_type::to_int_type(*gptr());
}

InputStream::InputStream(const std::string& name, FaultHook fault) {
    if (name == "-") {
        m_buffer = std::make_unique<DescriptorBuffer>(STDIN_FILENO, fault);
    } else {
        Descriptor file(attempt(fault, FileStep::Open, [&] {
            return ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
        }));
        if (!file.isOpen() && errno == ENXIO) {
            // A socket cannot be opened, not even by the name /proc gives it;
            // named as one of this process's descriptors, a copy of it reads.
            file = copyOfOwnDescriptor(name);
            if (!file.isOpen()) {
                throw FileError(ENXIO, "not a file nor a stream that can be read");
            }
        }
        if (!file.isOpen()) {
            failWithErrno();
        }
        m_buffer = std::make_unique<DescriptorBuffer>(std::move(file), fault);
    }
    struct stat status {};
    if (attempt(fault, FileStep::Check, [&] { return ::fstat(m_buffer->fd(), &status); }) != 0) {
        failWithErrno();
    }
    if (S_ISDIR(status.st_mode)) {
        throw NotRegularFileError(true);
    }
    m_size = bytesLeft(m_buffer->fd(), status);
}

InputStream::~InputStream() = default;

std::streambuf& InputStream::stream() {
    return *m_buffer;
}

std::optional<std::uint64_t> InputStream::size() const {
    return m_size;
}

std::uint64_t InputStream::consumed() const {
    return m_buffer->consumed();
}

void InputStream::limitTo(std::optional<std::uint64_t> limit) {
    m_buffer->limitTo(limit);
}

bool InputStream::reachedLimit() const {
    return m_buffer->reachedLimit();
}

void InputStream::close() {
    m_buffer->close();
}

}  // namespace nitka
