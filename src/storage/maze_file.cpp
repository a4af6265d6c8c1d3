#include "storage/maze_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

namespace nitka {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr int kMaxLinkHops = 40;  // the kernel's own limit before ELOOP
constexpr int kMaxTempAttempts = 100;

// Runs call unless the hook fails step first, in which case errno carries the
// injected error and the result is -1, as from a failed system call.
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

[[noreturn]] void failWithErrno() {
    throw fileErrorFromErrno(errno);
}

// Closes fd in any case, so that an injected failure leaks no descriptor, and
// reports a failure. No retry on EINTR: Linux has released the descriptor anyway.
void closeChecked(int fd, const FaultHook& fault) {
    int result = ::close(fd);
    if (fault) {
        if (const int error = fault(FileStep::Close); error != 0) {
            errno = error;
            result = -1;
        }
    }
    if (result != 0) {
        failWithErrno();
    }
}

[[noreturn]] void refuseNonRegular() {
    throw FileError(file_error_code::kAccessDenied);
}

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string readLink(const std::string& link) {
    std::vector<char> target(4096);
    const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
    if (length < 0) {
        failWithErrno();
    }
    if (static_cast<std::size_t>(length) == target.size()) {
        throw fileErrorFromErrno(ENAMETOOLONG);
    }
    std::string path(target.data(), static_cast<std::size_t>(length));
    // A relative link is relative to the directory holding the link.
    return path.starts_with('/') ? path : directoryOf(link) + path;
}

struct SaveTarget {
    std::string path;
    std::optional<struct stat> existing;
};

// Follows symbolic links, so that saving replaces the file a link points to
// rather than the link; a dangling link names the file to create.
SaveTarget resolveSaveTarget(std::string path) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) {
                return {std::move(path), std::nullopt};
            }
            failWithErrno();
        }
        if (!S_ISLNK(status.st_mode)) {
            return {std::move(path), status};
        }
        path = readLink(path);
    }
    throw fileErrorFromErrno(ELOOP);
}

// A new file beside the target that is removed again unless it was renamed
// over the target.
class TempFile {
public:
    TempFile(const std::string& directory, const FaultHook& fault) {
        static unsigned counter = 0;
        for (int tries = 0; tries < kMaxTempAttempts; ++tries) {
            std::string path = directory + ".nitka-save-" + std::to_string(::getpid()) + '-' +
                               std::to_string(counter++);
            m_fd = attempt(fault, FileStep::Open, [&] {
                return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                              0666);
            });
            if (m_fd >= 0) {
                m_path = std::move(path);
                return;
            }
            if (errno != EEXIST) {
                break;
            }
        }
        failWithErrno();
    }
    ~TempFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return m_fd; }
    const std::string& path() const { return m_path; }

    void close(const FaultHook& fault) { closeChecked(std::exchange(m_fd, -1), fault); }
    void renamed() { m_path.clear(); }

private:
    int m_fd = -1;
    std::string m_path;
};

}  // namespace

FileError fileErrorFromErrno(int error) {
    using namespace file_error_code;
    switch (error) {
        case ENOENT:
            return FileError(kFileNotFound);
        case ENAMETOOLONG:
        case ENOTDIR:
        case ELOOP:
            return FileError(kInvalidFilename);
        case EMFILE:
        case ENFILE:
            return FileError(kTooManyOpenFiles);
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return FileError(kAccessDenied);
        case ENOSPC:
        case EDQUOT:
            return FileError(kDiskFull);
        default:
            return FileError(error, "I/O error " + std::to_string(error));
    }
}

class InputFile::Buffer final : public std::streambuf {
public:
    Buffer(const std::string& name, FaultHook fault) : m_fault(std::move(fault)) {
        // Without O_NONBLOCK, opening a FIFO would wait for a writer.
        m_fd = attempt(m_fault, FileStep::Open, [&] {
            return ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        });
        if (m_fd < 0) {
            failWithErrno();
        }
        struct stat status {};
        if (::fstat(m_fd, &status) != 0) {
            const int error = errno;
            closeQuietly();
            throw fileErrorFromErrno(error);
        }
        if (!S_ISREG(status.st_mode)) {
            closeQuietly();
            refuseNonRegular();
        }
    }
    ~Buffer() override { closeQuietly(); }

    void close() {
        if (m_fd >= 0) {
            closeChecked(std::exchange(m_fd, -1), m_fault);
        }
    }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        const ssize_t count = attempt(m_fault, FileStep::Read,
                                      [this] { return ::read(m_fd, m_chunk.data(), kReadChunk); });
        if (count < 0) {
            failWithErrno();
        }
        if (count == 0) {
            return traits_type::eof();
        }
        setg(m_chunk.data(), m_chunk.data(), m_chunk.data() + count);
        return traits_type::to_int_type(*gptr());
    }

private:
    void closeQuietly() {
        if (m_fd >= 0) {
            ::close(std::exchange(m_fd, -1));
        }
    }

    FaultHook m_fault;
    int m_fd = -1;
    std::vector<char> m_chunk = std::vector<char>(kReadChunk);
};

InputFile::InputFile(const std::string& name, FaultHook fault)
    : m_buffer(std::make_unique<Buffer>(name, std::move(fault))) {}

InputFile::~InputFile() = default;

std::streambuf& InputFile::stream() {
    return *m_buffer;
}

void InputFile::close() {
    m_buffer->close();
}

void replaceFile(const std::string& name, std::string_view content, const FaultHook& fault) {
    const SaveTarget target = resolveSaveTarget(name);
    if (target.existing) {
        if (!S_ISREG(target.existing->st_mode)) {
            refuseNonRegular();
        }
        // Replacing by rename needs no write access to the old file itself, so
        // a write-protected file is refused here, before anything is written.
        if (attempt(fault, FileStep::Check, [&] {
                return ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS);
            }) != 0) {
            failWithErrno();
        }
    }

    TempFile temp(directoryOf(target.path), fault);
    if (target.existing && ::fchmod(temp.fd(), target.existing->st_mode & 07777) != 0) {
        failWithErrno();
    }
    while (!content.empty()) {
        const ssize_t written = attempt(fault, FileStep::Write, [&] {
            return ::write(temp.fd(), content.data(), content.size());
        });
        if (written < 0) {
            failWithErrno();
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    if (attempt(fault, FileStep::Sync, [&] { return ::fsync(temp.fd()); }) != 0) {
        failWithErrno();
    }
    temp.close(fault);
    if (attempt(fault, FileStep::Rename,
                [&] { return ::rename(temp.path().c_str(), target.path.c_str()); }) != 0) {
        failWithErrno();
    }
    temp.renamed();
}

}  // namespace nitka
