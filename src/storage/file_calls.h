#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "storage/file_error.h"

namespace nitka {

// The piece the file edge reads, writes or copies at a time.
inline constexpr std::size_t kChunkBytes = 64 * 1024;

// What the file edge's buffers take at most while one file is read and
// another written (chunks of 64 KiB, and a staging copy's), with room to spare.
inline constexpr std::uint64_t kFileBufferBytes = std::uint64_t{1} << 20;

// The system calls of the file edge, named so that a test can fail one of them.
enum class FileStep {
    Open,   // a file to read or write
    Check,  // a question about a name: its status, its rights, where a link points
    Read,
    Write,
    Sync,
    Close,
    Rename,
    Reserve,
    Truncate,
    SyncFolder,
    OpenFolder,  // the folder of a file written, to sync it
    Link,        // a name for a file made without one
    Unlink,      // an abandoned temporary file's name
    Owner,       // a new file given the old one's owner or permission bits
    Attributes,  // a file's extended attributes read
    Limit        // the process's file-size limit read
};

// Given a step about to run, returns an errno value to fail it with, or 0 to
// let it run. Only tests set one, for failures nothing else can produce.
using FaultHook = std::function<int(FileStep)>;

// The error for a system error number: the table's code where the meaning
// matches (ENOENT 2; ENAMETOOLONG, ENOTDIR, ELOOP 3; EMFILE, ENFILE 4;
// EACCES, EPERM, EROFS, EISDIR 5; ENOSPC, EDQUOT 101), else "I/O error N".
FileError fileErrorFromErrno(int error);

// Throws the error for the current errno.
[[noreturn]] void failWithErrno();

// The folder part of path with its final slash, or "" for a bare name.
std::string folderOf(const std::string& path);

// A folder as open() takes it: "." for "".
const char* folderPath(const std::string& folder);

// Whether path (not followed if a link) is the root of a mount, which a
// rename cannot replace (EBUSY). False when it cannot be told.
bool isMountPoint(const std::string& path, const FaultHook& fault = {});

// Runs call, again while it is interrupted, unless the hook fails step first:
// then errno carries the injected error and the result is -1, as from a failed
// system call.
template <typename Call>
auto attempt(const FaultHook& fault, FileStep step, Call call) -> decltype(call()) {
    if (fault) {
        if (const int error = fault(step); error != 0) {
            errno = error;
            return -1;
        }
    }
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

// attempt(), throwing the error for errno when the call fails.
template <typename Call>
void attemptOrFail(const FaultHook& fault, FileStep step, Call call) {
    if (attempt(fault, step, call) < 0) {
        failWithErrno();
    }
}

// An open file descriptor, closed when destroyed.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { closeQuietly(); }
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        closeQuietly();
        m_fd = std::exchange(other.m_fd, -1);
        return *this;
    }

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Closes now and throws FileError if that fails (the hook may fail it as
    // FileStep::Close); the descriptor is released in any case.
    void close(const FaultHook& fault);
    void closeQuietly();

private:
    int m_fd = -1;
};

// Writes all of bytes to file, at offset where one is given (else where the
// file stands), or throws FileError.
void writeAll(const Descriptor& file, std::string_view bytes, const FaultHook& fault,
              std::optional<std::uint64_t> offset = std::nullopt);

// fsync, or throws FileError; step says which file is synced.
void syncFile(const Descriptor& file, FileStep step, const FaultHook& fault);

}  // namespace nitka
