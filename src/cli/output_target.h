#pragma once

#include <functional>
#include <memory>
#include <streambuf>
#include <string>

namespace nitka {

// Where a command's data goes: the file named, or standard output for "-".
// A file appears (or replaces the old one) only when write() has filled it
// completely; a failure part way leaves no half-written file behind.
class OutputTarget {
public:
    explicit OutputTarget(const std::string& name);
    ~OutputTarget();
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    // The output as messages name it: the file, or "standard output".
    const std::string& name() const { return m_shownName; }

    // Runs fill on the output's stream, then makes the output final. A file
    // error on the way throws ToolError naming the output.
    void write(const std::function<void(std::streambuf&)>& fill);

    // Where the bytes go; defined beside the constructor.
    class Sink;

private:
    std::string m_shownName;
    std::unique_ptr<Sink> m_sink;
};

}  // namespace nitka
