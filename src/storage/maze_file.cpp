#include "storage/maze_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

#include "storage/output_file.h"

namespace nitka {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

}  // namespace

class InputFile::Buffer final : public std::streambuf {
public:
    Buffer(const std::string& name, FaultHook fault) : m_fault(std::move(fault)) {
        // Without O_NONBLOCK, opening a FIFO would wait for a writer.
        m_file = Descriptor(attempt(m_fault, FileStep::Open, [&] {
            return ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        }));
        if (!m_file.isOpen()) {
            failWithErrno();
        }
        struct stat status {};
        if (::fstat(m_file.get(), &status) != 0) {
            failWithErrno();
        }
        if (!S_ISREG(status.st_mode)) {
            throw NotRegularFileError(S_ISDIR(status.st_mode));
        }
    }

    void close() {
        if (m_file.isOpen()) {
            m_file.close(m_fault);
        }
    }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        const ssize_t count = attempt(m_fault, FileStep::Read, [this] {
            return ::read(m_file.get(), m_chunk.data(), kReadChunk);
        });
        if (count < 0) {
            failWithErrno();
        }
        if (count == 0) {
            return traits_type::eof();
        }
        setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + count);
        return traits_type::to_int_type(*gptr());
    }

private:
    FaultHook m_fault;
    Descriptor m_file;
    std::vector<char> m_chunk = std::vector<char>(kReadChunk);
};

InputFile::InputFile(const std::string& name, FaultHook fault)
    : m_buffer(std::make_unique<Buffer>(name, std::move(fault))) {}

InputFile::~InputFile() = default;

std::streambuf& InputFile::stream() {
    return *m_buffer;
}

void InputFile::close() {
    m_buffer->close();
}

void replaceFile(const std::string& name, std::string_view content, const FaultHook& fault) {
    OutputFile file(name, fault);
    file.reserve(content.size());
    file.stream().sputn(content.data(), static_cast<std::streamsize>(content.size()));
    file.commit();
}

}  // namespace nitka
