#pragma once

#include <functional>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

#include "storage/file_error.h"

namespace nitka {

// The system calls of the file edge, named so that a test can fail one of them.
enum class FileStep { Open, Check, Read, Write, Sync, Close, Rename };

// Given a step about to run, returns an errno value to fail it with, or 0 to
// let it run. Only tests set one, for failures nothing else can produce.
using FaultHook = std::function<int(FileStep)>;

// The error for a system error number: the table's code where the meaning
// matches (ENOENT 2; ENAMETOOLONG, ENOTDIR, ELOOP 3; EMFILE, ENFILE 4;
// EACCES, EPERM, EROFS, EISDIR 5; ENOSPC, EDQUOT 101), else "I/O error N".
FileError fileErrorFromErrno(int error);

// The maze file opened for reading. Only a regular file is accepted: a
// directory, FIFO or device is refused with code 5 without waiting on it.
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
    class Buffer;
    std::unique_ptr<Buffer> m_buffer;
};

// Replaces the file name with content, or leaves it as it was: the content goes
// to a new file beside it, which is synced and then renamed over it. A name
// that is a symbolic link has the file it points to replaced; an existing file
// keeps its permission bits. An existing file that may not be written, or one
// that is no regular file, is refused with code 5 before anything is written.
void replaceFile(const std::string& name, std::string_view content, const FaultHook& fault = {});

}  // namespace nitka
