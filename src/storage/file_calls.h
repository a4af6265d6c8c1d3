#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "storage/file_error.h"

namespace nitka {

// What the file edge's buffers take at most while one file is read and
// another written (chunks of 64 KiB, and a staging copy's), with room to spare.
inline constexpr std::uint64_t kFileBufferBytes = std::uint64_t{1} << 20;

// The system calls of the file edge, named so that a test can fail one of them.
enum class FileStep {
    Open,
    Check,
    Read,
    Write,
    Sync,
    Close,
    Rename,
    Reserve,
    Truncate,
    SyncFolder
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

// Whether path (not followed if a link) is the root of a mount, which a
// rename cannot replace (EBUSY). False when it cannot be told.
bool isMountPoint(const std::string& path);

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

}  // namespace nitka
