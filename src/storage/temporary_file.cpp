#include "storage/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

namespace nitka {
namespace {

constexpr int kMaxNameAttempts = 100;

bool isRefused(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// Whether a file without a name can be given one later: linkat needs its
// /proc/self/fd entry, which a chroot without /proc lacks.
bool canNameUnnamedFiles(const FaultHook& fault) {
    return attempt(fault, FileStep::Check, [] { return ::access("/proc/self/fd", X_OK); }) == 0;
}

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    return path.ends_with('/') ? path : path + '/';
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& folder, const FaultHook& fault)
    : m_folder(folder), m_fault(fault) {
    if (!openUnnamed()) {
        openNamed();
    }
}

TemporaryFile::~TemporaryFile() {
    m_file.closeQuietly();
    if (!m_path.empty()) {
        attempt(m_fault, FileStep::Unlink, [&] { return ::unlink(m_path.c_str()); });
    }
}

// True when that settles it: the file is open, or the folder refuses one.
bool TemporaryFile::openUnnamed() {
    if (!canNameUnnamedFiles(m_fault)) {
        return false;
    }
    m_file = Descriptor(attempt(m_fault, FileStep::Open, [&] {
        return ::open(folderPath(m_folder), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    }));
    if (m_file.isOpen() || isRefused(errno)) {
        return true;
    }
    // Older kernels and some file systems know no O_TMPFILE.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        failWithErrno();
    }
    return false;
}

void TemporaryFile::openNamed() {
    for (int tries = 0; tries < kMaxNameAttempts; ++tries) {
        std::string path = uniqueName();
        m_file = Descriptor(attempt(m_fault, FileStep::Open, [&] {
            return ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        }));
        if (m_file.isOpen()) {
            m_pending.emplace(path);
            m_path = std::move(path);
            return;
        }
        if (isRefused(errno)) {
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    failWithErrno();
}

void TemporaryFile::nameIfUnnamed() {
    if (m_path.empty()) {
        giveName();
    }
}

void TemporaryFile::renameOver(const std::string& destination) {
    attemptOrFail(m_fault, FileStep::Rename,
                  [&] { return ::rename(m_path.c_str(), destination.c_str()); });
    m_path.clear();
    m_pending.reset();
}

std::string TemporaryFile::uniqueName() {
    static unsigned counter = 0;
    return m_folder + ".nitka-save-" + std::to_string(::getpid()) + '-' + std::to_string(counter++);
}

// linkat cannot replace a name, so the finished file gets a hidden one first.
void TemporaryFile::giveName() {
    const std::string self = "/proc/self/fd/" + std::to_string(m_file.get());
    for (int tries = 0; tries < kMaxNameAttempts; ++tries) {
        std::string path = uniqueName();
        if (attempt(m_fault, FileStep::Link, [&] {
                return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
            }) == 0) {
            m_pending.emplace(path);
            m_path = std::move(path);
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    failWithErrno();
}

StagingFile::StagingFile(const FaultHook& fault) : m_file(temporaryFolder(), fault) {
    if (!m_file.isOpen()) {
        throw fileErrorFromErrno(EACCES);
    }
}

void StagingFile::copyTo(const Descriptor& to, std::uint64_t length, const FaultHook& fault) {
    std::vector<char> chunk(kChunkBytes);
    for (std::uint64_t at = 0; at < length;) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), length - at));
        const ssize_t got = attempt(fault, FileStep::Read, [&] {
            return ::pread(file().get(), chunk.data(), want, static_cast<off_t>(at));
        });
        if (got <= 0) {
            throw fileErrorFromErrno(got < 0 ? errno : EIO);
        }
        writeAll(to, std::string_view(chunk.data(), static_cast<std::size_t>(got)), fault, at);
        at += static_cast<std::uint64_t>(got);
    }
}

}  // namespace nitka
