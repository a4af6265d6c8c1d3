#include "storage/output_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "storage/pending_files.h"
#include "storage/signal_hold.h"

namespace nitka {
namespace {

constexpr std::size_t kWriteChunk = 64 * 1024;
constexpr int kMaxLinkHops = 40;  // the kernel's own limit before ELOOP
constexpr int kMaxTempAttempts = 100;

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

// Follows symbolic links, so that saving writes the file a link points to
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

// Fills out with what read(buffer, size) gives, asking for the size first with
// read(nullptr, 0), and again if the value grew in between. False with errno
// set when it fails.
template <typename Read>
bool readSized(std::string& out, Read read) {
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0) {
            return false;
        }
        out.resize(static_cast<std::size_t>(size));
        const ssize_t got = read(out.data(), out.size());
        if (got >= 0) {
            out.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE) {
            return false;
        }
    }
}

using Attributes = std::map<std::string, std::string>;

// Every extended attribute of a file this user can see, by name, or nothing
// when some cannot be read. list and get are the l- or f-variants of
// listxattr and getxattr, bound to the file.
template <typename List, typename Get>
std::optional<Attributes> extendedAttributes(List list, Get get) {
    std::string names;
    if (!readSized(names, list)) {
        return errno == ENOTSUP ? std::optional(Attributes()) : std::nullopt;
    }
    Attributes attributes;
    for (std::size_t at = 0; at < names.size();) {
        std::string name(names.c_str() + at);
        at += name.size() + 1;
        std::string value;
        if (!readSized(value, [&](char* buffer, std::size_t size) {
                return get(name.c_str(), buffer, size);
            })) {
            return std::nullopt;
        }
        attributes.emplace(std::move(name), std::move(value));
    }
    return attributes;
}

std::optional<Attributes> attributesOfPath(const std::string& path) {
    return extendedAttributes(
        [&](char* buffer, std::size_t size) { return ::llistxattr(path.c_str(), buffer, size); },
        [&](const char* name, char* buffer, std::size_t size) {
            return ::lgetxattr(path.c_str(), name, buffer, size);
        });
}

std::optional<Attributes> attributesOfFile(int fd) {
    return extendedAttributes(
        [&](char* buffer, std::size_t size) { return ::flistxattr(fd, buffer, size); },
        [&](const char* name, char* buffer, std::size_t size) {
            return ::fgetxattr(fd, name, buffer, size);
        });
}

// A file of that length may be written under this process's file-size limit;
// past it a write would fail part way.
void checkFileSizeLimit(std::uint64_t length) {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        length > limit.rlim_cur) {
        throw fileErrorFromErrno(EFBIG);
    }
}

// Whether a file without a name can be given one later: linkat needs its
// /proc/self/fd entry, which a chroot without /proc lacks.
bool canNameUnnamedFiles() {
    return ::access("/proc/self/fd", X_OK) == 0;
}

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    return path.ends_with('/') ? path : path + '/';
}

// A new file in a directory, removed again unless it was renamed over the
// target. Made without a name (O_TMPFILE) where the file system allows, so that
// nothing is left behind whatever ends the program; else under a hidden name
// that a signal handler can remove (see PendingName). Not open when the
// directory lets this user make no file in it.
class TempFile {
public:
    TempFile(const std::string& directory, const FaultHook& fault) : m_directory(directory) {
        if (canNameUnnamedFiles()) {
            m_file = Descriptor(attempt(fault, FileStep::Open, [&] {
                return ::open(directory.empty() ? "." : directory.c_str(),
                              O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
            }));
            if (m_file.isOpen() || isRefused(errno)) {
                return;
            }
            // Older kernels and some file systems know no O_TMPFILE.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
                failWithErrno();
            }
        }
        for (int tries = 0; tries < kMaxTempAttempts; ++tries) {
            std::string path = uniqueName();
            m_file = Descriptor(attempt(fault, FileStep::Open, [&] {
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
    ~TempFile() {
        m_file.closeQuietly();
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool isOpen() const { return m_file.isOpen(); }
    Descriptor& file() { return m_file; }

    // Gives a file made without a name a hidden one, which linkat needs the
    // file still open for; rename() cannot start from no name. Requires: the
    // signals that end the program held until renameOver, so that the hidden
    // name cannot outlive the program.
    void nameIfUnnamed() {
        if (m_path.empty()) {
            giveName();
        }
    }

    // Gives the file the name target, replacing what was there.
    // Requires: nameIfUnnamed() called.
    void renameOver(const std::string& target, const FaultHook& fault) {
        if (attempt(fault, FileStep::Rename,
                    [&] { return ::rename(m_path.c_str(), target.c_str()); }) != 0) {
            failWithErrno();
        }
        m_path.clear();
        m_pending.reset();
    }

private:
    static bool isRefused(int error) { return error == EACCES || error == EPERM || error == EROFS; }

    std::string uniqueName() {
        static unsigned counter = 0;
        return m_directory + ".nitka-save-" + std::to_string(::getpid()) + '-' +
               std::to_string(counter++);
    }

    // linkat cannot replace a name, so the finished file gets a hidden one first.
    void giveName() {
        const std::string self = "/proc/self/fd/" + std::to_string(m_file.get());
        for (int tries = 0; tries < kMaxTempAttempts; ++tries) {
            std::string path = uniqueName();
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
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

    std::string m_directory;
    Descriptor m_file;
    std::string m_path;  // empty while the file has no name
    std::optional<PendingName> m_pending;
};

// A copy of the whole output in the temporary folder ($TMPDIR, else /tmp),
// for a file that is overwritten in place: the old file is touched only once
// the new one is complete, its length known and room for it reserved.
class StagingFile {
public:
    explicit StagingFile(const FaultHook& fault) : m_file(temporaryFolder(), fault) {
        if (!m_file.isOpen()) {
            throw fileErrorFromErrno(EACCES);
        }
    }

    Descriptor& file() { return m_file.file(); }

    // Copies the first length bytes into to, from its start.
    void copyTo(const Descriptor& to, std::uint64_t length, const FaultHook& fault) {
        std::vector<char> chunk(kWriteChunk);
        for (std::uint64_t at = 0; at < length;) {
            const auto want =
                static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), length - at));
            const ssize_t got = attempt(fault, FileStep::Read, [&] {
                return ::pread(file().get(), chunk.data(), want, static_cast<off_t>(at));
            });
            if (got <= 0) {
                throw fileErrorFromErrno(got < 0 ? errno : EIO);
            }
            for (ssize_t done = 0; done < got;) {
                const ssize_t written = attempt(fault, FileStep::Write, [&] {
                    return ::pwrite(to.get(), chunk.data() + done,
                                    static_cast<std::size_t>(got - done),
                                    static_cast<off_t>(at) + done);
                });
                if (written < 0) {
                    failWithErrno();
                }
                done += written;
            }
            at += static_cast<std::uint64_t>(got);
        }
    }

private:
    TempFile m_file;
};

}  // namespace

class OutputFile::Buffer final : public std::streambuf {
public:
    Buffer(const std::string& name, FaultHook fault, std::optional<std::uint64_t> length)
        : m_fault(std::move(fault)) {
        const SaveTarget target = resolveSaveTarget(name);
        m_path = target.path;
        if (target.existing) {
            if (!S_ISREG(target.existing->st_mode)) {
                throw NotRegularFileError(S_ISDIR(target.existing->st_mode));
            }
            // Replacing by rename needs no write access to the old file itself,
            // so a write-protected file is refused here, before anything is written.
            if (attempt(m_fault, FileStep::Check, [&] {
                    return ::faccessat(AT_FDCWD, m_path.c_str(), W_OK, AT_EACCESS);
                }) != 0) {
                failWithErrno();
            }
        }
        openFolder();
        const bool renameLosesNames =
            target.existing && (target.existing->st_nlink > 1 || isMountPoint(m_path));
        if (!renameLosesNames) {
            m_temp.emplace(directoryOf(m_path), m_fault);
            if (!m_temp->isOpen() || (target.existing && !takeOver(*target.existing))) {
                m_temp.reset();
            }
        }
        if (!m_temp) {
            // In place, the old bytes stay until the new ones are complete:
            // they are written to a staging copy first, unless reserve() says
            // how many there will be, and reserve() or commit() checks the
            // room and the file-size limit before the first old byte goes.
            m_file = Descriptor(attempt(m_fault, FileStep::Open, [&] {
                return ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
            }));
            if (!m_file.isOpen()) {
                failWithErrno();
            }
            m_nameMade = !target.existing;
            if (length) {
                reserveInPlace(*length);
            } else {
                m_staging.emplace(m_fault);
            }
        }
        setp(m_chunk.data(), m_chunk.data() + m_chunk.size());
    }

    void reserve(std::uint64_t length) {
        assert(m_written == 0 && pptr() == pbase());
        if (m_temp) {
            return;
        }
        reserveInPlace(length);
        m_staging.reset();
    }

    void throwIfFailed() const {
        if (m_error) {
            std::rethrow_exception(m_error);
        }
    }

    void commit() {
        assert(!m_committed);
        writeBuffer();
        if (m_temp) {
            syncChecked(FileStep::Sync, file());
            const SignalHold hold;
            m_temp->nameIfUnnamed();
            file().close(m_fault);
            m_temp->renameOver(m_path, m_fault);
        } else if (m_staging) {
            reserveInPlace(m_written);
            const SignalHold hold;
            m_staging->copyTo(m_file, m_written, m_fault);
            finishInPlace();
        } else {
            finishInPlace();
        }
        // The new name is durable only once the folder holding it is.
        if ((m_temp || m_nameMade) && m_folder.isOpen()) {
            syncChecked(FileStep::SyncFolder, m_folder);
        }
        m_committed = true;
        m_hold.reset();
        setp(nullptr, nullptr);
    }

protected:
    int_type overflow(int_type c) override {
        assert(!m_committed);
        writeBuffer();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override {
        try {
            writeBuffer();
        } catch (const FileError&) {
            return -1;
        }
        return 0;
    }

private:
    // Where the bytes go as they are written.
    Descriptor& file() {
        if (m_temp) {
            return m_temp->file();
        }
        return m_staging ? m_staging->file() : m_file;
    }

    // fallocate, not posix_fallocate: where the file system cannot reserve,
    // the latter writes into every block instead, which needs to read the
    // file, and this user may only write it. Keeping the size, an interrupted
    // write leaves no run of zeros at the end of the file.
    void reserveInPlace(std::uint64_t length) {
        checkFileSizeLimit(length);
        if (length == 0) {
            return;
        }
        if (attempt(m_fault, FileStep::Reserve,
                    [&] {
                        return ::fallocate(m_file.get(), FALLOC_FL_KEEP_SIZE, 0,
                                           static_cast<off_t>(length));
                    }) != 0 &&
            errno != EOPNOTSUPP && errno != ENOSYS && errno != EINVAL) {
            failWithErrno();
        }
    }

    // The old file may have been longer than the new one.
    void finishInPlace() {
        if (attempt(m_fault, FileStep::Truncate, [&] {
                return ::ftruncate(m_file.get(), static_cast<off_t>(m_written));
            }) != 0) {
            failWithErrno();
        }
        syncChecked(FileStep::Sync, m_file);
        m_file.close(m_fault);
    }

    // A folder this user may write but not read cannot be opened to sync it:
    // the rename goes ahead unsynced rather than give up its atomicity.
    void openFolder() {
        const std::string folder = directoryOf(m_path);
        m_folder = Descriptor(
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!m_folder.isOpen() && errno != EACCES) {
            failWithErrno();
        }
    }

    // Gives the new file the old one's owner, group, permission bits and
    // extended attributes, or returns false where the rename would change them.
    bool takeOver(const struct stat& old) {
        const int fd = file().get();
        // Only root may give a file away; a user may pass one to another of
        // their groups. The set-id bits it clears are set again below.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            return false;
        }
        if (::fchmod(fd, old.st_mode & 07777) != 0) {
            failWithErrno();
        }
        // Compared after fchmod, which may change an ACL's mask entry.
        const auto before = attributesOfPath(m_path);
        return before && before == attributesOfFile(fd);
    }

    // The first failure is kept: a std::ostream hides it from its caller, and
    // commit() must not report success after it.
    void writeBuffer() {
        if (m_error) {
            std::rethrow_exception(m_error);
        }
        // Straight into the old file, the length being known: the signals that
        // would stop the bytes half way wait until they are all there.
        if (!m_temp && !m_staging && !m_hold && pptr() > pbase()) {
            m_hold.emplace();
        }
        try {
            for (const char* next = pbase(); next < pptr();) {
                const ssize_t written = attempt(m_fault, FileStep::Write, [&] {
                    return ::write(file().get(), next, static_cast<std::size_t>(pptr() - next));
                });
                if (written < 0) {
                    failWithErrno();
                }
                next += written;
                m_written += static_cast<std::uint64_t>(written);
            }
        } catch (const FileError&) {
            m_error = std::current_exception();
            throw;
        }
        setp(m_chunk.data(), m_chunk.data() + m_chunk.size());
    }

    void syncChecked(FileStep step, const Descriptor& descriptor) {
        // EINVAL: a file system that cannot sync a folder, which leaves nothing to do.
        if (attempt(m_fault, step, [&] { return ::fsync(descriptor.get()); }) != 0 &&
            !(step == FileStep::SyncFolder && errno == EINVAL)) {
            failWithErrno();
        }
    }

    FaultHook m_fault;
    std::string m_path;
    Descriptor m_folder;  // not open when this user may not read the folder
    std::optional<TempFile> m_temp;
    Descriptor m_file;                     // the file itself, when written in place
    std::optional<StagingFile> m_staging;  // in place, until the length is known
    std::optional<SignalHold> m_hold;      // in place, from the first byte to the end
    bool m_nameMade = false;               // in place, under a name that did not exist
    std::vector<char> m_chunk = std::vector<char>(kWriteChunk);
    std::uint64_t m_written = 0;
    std::exception_ptr m_error;
    bool m_committed = false;
};

OutputFile::OutputFile(const std::string& name, FaultHook fault,
                       std::optional<std::uint64_t> length)
    : m_buffer(std::make_unique<Buffer>(name, std::move(fault), length)) {}

OutputFile::~OutputFile() = default;

void OutputFile::reserve(std::uint64_t length) {
    m_buffer->reserve(length);
}

std::streambuf& OutputFile::stream() {
    return *m_buffer;
}

void OutputFile::throwIfFailed() const {
    m_buffer->throwIfFailed();
}

void OutputFile::commit() {
    m_buffer->commit();
}

}  // namespace nitka
