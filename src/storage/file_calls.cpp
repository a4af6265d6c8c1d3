#include "storage/file_calls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace nitka {

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

bool isMountPoint(const std::string& path, const FaultHook& fault) {
    struct statx status {};
    return attempt(fault, FileStep::Check,
                   [&] {
                       return ::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_TYPE,
                                      &status);
                   }) == 0 &&
           (status.stx_attributes_mask & status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

void failWithErrno() {
    throw fileErrorFromErrno(errno);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

const char* folderPath(const std::string& folder) {
    return folder.empty() ? "." : folder.c_str();
}

void writeAll(const Descriptor& file, std::string_view bytes, const FaultHook& fault,
              std::optional<std::uint64_t> offset) {
    while (!bytes.empty()) {
        const ssize_t written = attempt(fault, FileStep::Write, [&] {
            return offset ? ::pwrite(file.get(), bytes.data(), bytes.size(),
                                     static_cast<off_t>(*offset))
                          : ::write(file.get(), bytes.data(), bytes.size());
        });
        if (written < 0) {
            failWithErrno();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        if (offset) {
            *offset += static_cast<std::uint64_t>(written);
        }
    }
}

void syncFile(const Descriptor& file, FileStep step, const FaultHook& fault) {
    // EINVAL: a file system that cannot sync a folder, which leaves nothing to do.
    if (attempt(fault, step, [&] { return ::fsync(file.get()); }) != 0 &&
        !(step == FileStep::SyncFolder && errno == EINVAL)) {
        failWithErrno();
    }
}

// No retry on EINTR: Linux has released the descriptor anyway.
void Descriptor::close(const FaultHook& fault) {
    int result = ::close(std::exchange(m_fd, -1));
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

void Descriptor::closeQuietly() {
    if (m_fd >= 0) {
        ::close(std::exchange(m_fd, -1));
    }
}

}  // namespace nitka
