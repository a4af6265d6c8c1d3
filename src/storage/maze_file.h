#pragma once

#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

#include "storage/file_calls.h"
#include "storage/input_stream.h"

namespace nitka {

// The maze file opened for reading. Only a regular file is accepted: a
// folder, FIFO or device is refused with code 5 without waiting on it.
// Closes the file when destroyed; read errors throw FileError from the stream.
class InputFile {
public:
    explicit InputFile(const std::string& name, FaultHook fault = {});
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::streambuf& stream();
    // Closes now, throwing FileError if that fails.
    void close();

private:
    std::unique_ptr<DescriptorBuffer> m_buffer;
};

// Replaces the file name with content, or leaves it as it was, by the rules of
// OutputFile (storage/output_file.h), which say when the file is written in
// place instead. Room for content is reserved first, so that there a full disk
// fails before any old byte is overwritten.
void replaceFile(const std::string& name, std::string_view content, const FaultHook& fault = {});

}  // namespace nitka
