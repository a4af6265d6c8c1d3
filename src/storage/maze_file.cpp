#include "storage/maze_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "storage/input_stream.h"
#include "storage/output_file.h"

namespace nitka {
namespace {

Descriptor openRegularFile(const std::string& name, const FaultHook& fault) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    Descriptor file(attempt(fault, FileStep::Open, [&] {
        return ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    }));
    if (!file.isOpen()) {
        failWithErrno();
    }
    struct stat status {};
    attemptOrFail(fault, FileStep::Check, [&] { return ::fstat(file.get(), &status); });
    if (!S_ISREG(status.st_mode)) {
        throw NotRegularFileError(S_ISDIR(status.st_mode));
    }
    return file;
}

}  // namespace

InputFile::InputFile(const std::string& name, FaultHook fault)
    : m_buffer(std::make_unique<DescriptorBuffer>(openRegularFile(name, fault), fault)) {}

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
