#include "storage/chunk_writer.h"

#include <cerrno>

#include "storage/file_calls.h"

namespace nitka {
namespace {

[[noreturn]] void failed() {
    throw fileErrorFromErrno(errno != 0 ? errno : EIO);
}

}  // namespace

ChunkWriter::ChunkWriter(std::streambuf& out) : m_out(out), m_chunk(kChunkBytes) {}

void ChunkWriter::put(std::string_view text) {
    for (const char c : text) {
        put(c);
    }
}

void ChunkWriter::flush() {
    const auto count = static_cast<std::streamsize>(m_used);
    // A short write says nothing of why; a file buffer leaves the cause in errno.
    errno = 0;
    if (m_out.sputn(m_chunk.data(), count) != count) {
        failed();
    }
    m_used = 0;
}

void ChunkWriter::finish() {
    flush();
    errno = 0;
    if (m_out.pubsync() == -1) {
        failed();
    }
}

}  // namespace nitka
