#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>

#include "storage/file_calls.h"

namespace nitka {

// Where a command's data goes: the file named, or standard output for "-".
// Opened when made, before any work, so that an output that cannot be written
// costs nothing. A file appears or replaces the old one only when write() has
// filled it completely, by OutputFile's rules (storage/output_file.h): a
// failure or an interrupt part way leaves the old file, or no file, as it was.
class OutputTarget {
public:
    // length, when known, is the number of bytes write() will give: a file
    // that must be overwritten in place then has its room reserved now. fault
    // fails a file's system calls in tests (storage/file_calls.h).
    explicit OutputTarget(const std::string& name,
                          std::optional<std::uint64_t> length = std::nullopt, FaultHook fault = {});
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

// Whether standard output is a terminal, where binary data must not go.
bool standardOutputIsTerminal();

}  // namespace nitka
