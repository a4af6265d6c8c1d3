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

bool isMountPoint(const std::string& path) {
    struct statx status {};
    return ::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_TYPE, &status) == 0 &&
           (status.stx_attributes_mask & status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

void failWithErrno() {
    throw fileErrorFromErrno(errno);
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
