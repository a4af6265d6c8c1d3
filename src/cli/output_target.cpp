#include "cli/output_target.h"

#include <sstream>

#include "cli/standard_streams.h"
#include "cli/tool_error.h"
#include "storage/maze_file.h"

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

// Holds the whole output until commit: small outputs only, until the storage
// layer can stream a replacement file.
class FileSink final : public OutputTarget::Sink {
public:
    explicit FileSink(std::string name) : m_name(std::move(name)) {}
    std::streambuf& stream() override { return *m_text.rdbuf(); }
    void commit() override { replaceFile(m_name, m_text.view()); }

private:
    std::string m_name;
    std::ostringstream m_text;
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
