#include "storage/byte_sink.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <exception>

#include "storage/file_calls.h"

namespace nitka {

void throwFileError(int error) {
    throw fileErrorFromErrno(error);
}

void ByteSink::put(std::string_view bytes) {
    makeRoom(std::min(bytes.size(), kBlock));
    if (bytes.size() >= kBlock) {
        write(bytes);
        return;
    }
    // Not memcpy: an empty text may have no bytes behind it at all.
    std::copy(bytes.begin(), bytes.end(), m_block.begin() + static_cast<std::ptrdiff_t>(m_used));
    m_used += bytes.size();
}

ByteSink& ByteSink::operator<<(std::int64_t value) {
    char text[24];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    put(std::string_view(text, static_cast<std::size_t>(end - text)));
    return *this;
}

ByteSink& ByteSink::operator<<(Decimal value) {
    // Room for the largest double written out in full.
    char text[400];
    if (value.places < 0) {
        const auto end =
            std::to_chars(text, text + sizeof text, value.value, std::chars_format::fixed).ptr;
        put(std::string_view(text, static_cast<std::size_t>(end - text)));
        return *this;
    }
    char* end =
        std::to_chars(text, text + sizeof text, value.value, std::chars_format::fixed, value.places)
            .ptr;
    if (value.places > 0) {
        while (end[-1] == '0') {
            --end;
        }
        if (end[-1] == '.') {
            --end;
        }
    }
    const std::string_view written(text, static_cast<std::size_t>(end - text));
    put(written == "-0" ? "0" : written);
    return *this;
}

char* ByteSink::room(std::size_t count) {
    makeRoom(count);
    return m_block.data() + m_used;
}

bool ByteSink::tryPut(std::string_view bytes) noexcept {
    try {
        spill();
        write(bytes);
        return true;
    } catch (const std::exception& error) {
        m_failure = error.what();
    } catch (...) {
        m_failure = failureText(EIO);
    }
    return false;
}

void ByteSink::flush() {
    spill();
    // A short write says nothing of why; a file buffer leaves the cause in errno.
    errno = 0;
    if (m_out.pubsync() == -1) {
        failed();
    }
}

void ByteSink::makeRoom(std::size_t count) {
    if (m_block.empty()) {
        m_block.resize(kBlock);
    } else if (count > m_block.size() - m_used) {
        spill();
    }
}

void ByteSink::spill() {
    if (m_used > 0) {
        write(std::string_view(m_block.data(), m_used));
        m_used = 0;
    }
}

void ByteSink::write(std::string_view bytes) {
    const auto size = static_cast<std::streamsize>(bytes.size());
    errno = 0;
    if (m_out.sputn(bytes.data(), size) != size) {
        failed();
    }
}

void ByteSink::failed() const {
    const int error = errno != 0 ? errno : EIO;
    m_failed(error);
    throwFileError(error);
}

std::string ByteSink::failureText(int error) const {
    try {
        m_failed(error);
        throwFileError(error);
    } catch (const std::exception& failure) {
        return failure.what();
    }
}

}  // namespace nitka
