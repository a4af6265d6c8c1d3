#include "storage/output_file.h"

#include <cassert>
#include <exception>
#include <utility>
#include <vector>

#include "storage/output_destination.h"

namespace nitka {
// The fixed buffer before the destination.
class OutputFile::Buffer final : public std::streambuf {
public:
    Buffer(const std::string& name, FaultHook fault, std::optional<std::uint64_t> length)
        : m_fault(std::move(fault)), m_destination(openDestination(name, m_fault, length)) {
        setp(m_chunk.data(), m_chunk.data() + m_chunk.size());
    }

    void reserve(std::uint64_t length) {
        assert(pptr() == pbase());
        m_destination->reserve(length);
    }

    void throwIfFailed() const {
        if (m_error) {
            std::rethrow_exception(m_error);
        }
    }

    void commit() {
        assert(!m_committed);
        writeBuffer();
        m_destination->commit();
        m_committed = true;
        setp(nullptr, nullptr);
    }

protected:
    int_type overflow(int_type c) override {
        assert(!m_committed);
        writeBuffer();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override {
        try {
            writeBuffer();
        } catch (const FileError&) {
            return -1;
        }
        return 0;
    }

private:
    // The first failure is kept: a std::ostream hides it from its caller, and
    // commit() must not report success after it.
    void writeBuffer() {
        throwIfFailed();
        if (pptr() > pbase()) {
            try {
                m_destination->write({pbase(), static_cast<std::size_t>(pptr() - pbase())});
            } catch (const FileError&) {
                m_error = std::current_exception();
                throw;
            }
        }
        setp(m_chunk.data(), m_chunk.data() + m_chunk.size());
    }

    FaultHook m_fault;  // before the destination, which calls it
    std::unique_ptr<OutputDestination> m_destination;
    std::vector<char> m_chunk = std::vector<char>(kChunkBytes);
    std::exception_ptr m_error;
    bool m_committed = false;
};

OutputFile::OutputFile(const std::string& name, FaultHook fault,
                       std::optional<std::uint64_t> length)
    : m_buffer(std::make_unique<Buffer>(name, std::move(fault), length)) {}

OutputFile::~OutputFile() = default;

void OutputFile::reserve(std::uint64_t length) {
    m_buffer->reserve(length);
}

std::streambuf& OutputFile::stream() {
    return *m_buffer;
}

void OutputFile::throwIfFailed() const {
    m_buffer->throwIfFailed();
}

void OutputFile::commit() {
    m_buffer->commit();
}

}  // namespace nitka
