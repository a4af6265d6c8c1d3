#include "cli/output_target.h"

#include "cli/standard_streams.h"
#include "cli/tool_error.h"
#include "storage/output_file.h"

namespace nitka {

class OutputTarget::Sink {
public:
    virtual ~Sink() = default;
    virtual std::streambuf& stream() = 0;
    virtual void commit() = 0;
};

namespace {

class StandardSink final : public OutputTarget::Sink {
public:
    std::streambuf& stream() override { return m_out; }
    void commit() override { m_out.flush(); }

private:
    StandardOutput m_out;
};

class FileSink final : public OutputTarget::Sink {
public:
    explicit FileSink(const std::string& name) : m_file(name) {}
    std::streambuf& stream() override { return m_file.stream(); }
    void commit() override { m_file.commit(); }

private:
    OutputFile m_file;
};

}  // namespace

OutputTarget::OutputTarget(const std::string& name) : m_shownName(outputName(name)) {
    onFile(m_shownName, [&] {
        if (name == "-") {
            m_sink = std::make_unique<StandardSink>();
        } else {
            m_sink = std::make_unique<FileSink>(name);
        }
    });
}

OutputTarget::~OutputTarget() = default;

void OutputTarget::write(const std::function<void(std::streambuf&)>& fill) {
    onFile(m_shownName, [&] {
        fill(m_sink->stream());
        m_sink->commit();
    });
}

}  // namespace nitka
