#include "tool/output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "storage/file_calls.h"
#include "storage/output_file.h"
#include "tool/standard_streams.h"
#include "tool/tool_error.h"

namespace nitka {

class OutputTarget::Sink {
public:
    virtual ~Sink() = default;
    virtual std::streambuf& stream() = 0;
    virtual void commit() = 0;
    // The file error behind a writer's own failure, where one was kept.
    virtual void throwIfFailed() {}
};

namespace {

class StandardSink final : public OutputTarget::Sink {
public:
    std::streambuf& stream() override { return m_out; }
    void commit() override { m_out.flush(); }

private:
    StandardOutput m_out;
};

// A pipe or a device named as the output (/dev/null, a FIFO, the /dev/fd/N
// of a shell's process substitution) is written as a stream: there is no
// file to replace and nothing to leave half-written.
bool isStreamDevice(const std::string& name) {
    struct stat status {};
    return ::stat(name.c_str(), &status) == 0 &&
           (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode));
}

class DeviceSink final : public OutputTarget::Sink {
public:
    explicit DeviceSink(const std::string& name)
        : m_fd(::open(name.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY)), m_out(m_fd.get()) {
        if (!m_fd.isOpen()) {
            throw fileErrorFromErrno(errno);
        }
    }

    std::streambuf& stream() override { return m_out; }
    void commit() override {
        m_out.flush();
        m_fd.close({});
    }

private:
    Descriptor m_fd;  // declared first: it outlives the stream that writes to it
    StandardOutput m_out;
};

class FileSink final : public OutputTarget::Sink {
public:
    FileSink(const std::string& name, std::optional<std::uint64_t> length, FaultHook fault)
        : m_file(name, std::move(fault), length) {}
    std::streambuf& stream() override { return m_file.stream(); }
    void commit() override { m_file.commit(); }
    void throwIfFailed() override { m_file.throwIfFailed(); }

private:
    OutputFile m_file;
};

}  // namespace

OutputTarget::OutputTarget(const std::string& name, std::optional<std::uint64_t> length,
                           FaultHook fault)
    : m_shownName(outputName(name)) {
    blamingFile(m_shownName, [&] {
        if (name == "-") {
            m_sink = std::make_unique<StandardSink>();
        } else if (isStreamDevice(name)) {
            m_sink = std::make_unique<DeviceSink>(name);
        } else {
            m_sink = std::make_unique<FileSink>(name, length, std::move(fault));
        }
    });
}

OutputTarget::~OutputTarget() = default;

void OutputTarget::write(const std::function<void(std::streambuf&)>& fill) {
    blamingFile(m_shownName, [&] {
        try {
            fill(m_sink->stream());
        } catch (const std::exception&) {
            // A picture library reports a failed write in words of its own;
            // the system's reason, where there is one, says more.
            m_sink->throwIfFailed();
            throw;
        }
        m_sink->commit();
    });
}

}  // namespace nitka

namespace nitka {

bool standardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

}  // namespace nitka
