#include "storage/output_destination.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <utility>
#include <vector>

#include "storage/file_attributes.h"
#include "storage/pending_files.h"
#include "storage/signal_hold.h"
#include "storage/temporary_file.h"

namespace nitka {
namespace {

constexpr int kMaxLinkHops = 40;  // the kernel's own limit before ELOOP

std::string readLink(const std::string& link, const FaultHook& fault) {
    std::vector<char> target(4096);
    const ssize_t length = attempt(fault, FileStep::Check, [&] {
        return ::readlink(link.c_str(), target.data(), target.size());
    });
    if (length < 0) {
        failWithErrno();
    }
    if (static_cast<std::size_t>(length) == target.size()) {
        throw fileErrorFromErrno(ENAMETOOLONG);
    }
    std::string path(target.data(), static_cast<std::size_t>(length));
    // A relative link is relative to the folder holding the link.
    return path.starts_with('/') ? path : folderOf(link) + path;
}

// The file a name stands for, and its status when it exists.
struct DestinationPath {
    std::string path;
    std::optional<struct stat> existing;
};

// Follows symbolic links, so that the file a link points to is written
// rather than the link; a dangling link names the file to create.
DestinationPath resolveDestination(std::string path, const FaultHook& fault) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat status {};
        if (attempt(fault, FileStep::Check, [&] { return ::lstat(path.c_str(), &status); }) != 0) {
            if (errno == ENOENT) {
                return {std::move(path), std::nullopt};
            }
            failWithErrno();
        }
        if (!S_ISLNK(status.st_mode)) {
            return {std::move(path), status};
        }
        path = readLink(path, fault);
    }
    throw fileErrorFromErrno(ELOOP);
}

// Replacing by rename needs no write access to the old file itself, so a
// file that may not be written is refused here, before anything is written.
void checkReplaceable(const DestinationPath& destination, const FaultHook& fault) {
    const mode_t mode = destination.existing->st_mode;
    if (!S_ISREG(mode)) {
        throw NotRegularFileError(S_ISDIR(mode));
    }
    attemptOrFail(fault, FileStep::Check, [&] {
        return ::faccessat(AT_FDCWD, destination.path.c_str(), W_OK, AT_EACCESS);
    });
}

// A folder this user may write but not read cannot be opened to sync it:
// the rename goes ahead unsynced rather than give up its atomicity.
Descriptor openFolder(const std::string& path, const FaultHook& fault) {
    Descriptor folder(attempt(fault, FileStep::OpenFolder, [&] {
        return ::open(folderPath(folderOf(path)), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }));
    if (!folder.isOpen() && errno != EACCES) {
        failWithErrno();
    }
    return folder;
}

// A new name is durable only once the folder holding it is.
void syncFolder(const Descriptor& folder, const FaultHook& fault) {
    if (folder.isOpen()) {
        syncFile(folder, FileStep::SyncFolder, fault);
    }
}

// A name a write in place made, taken away again with what it holds unless
// the write is kept, also by a signal that ends the program.
class MadeName {
public:
    MadeName(const std::string& path, const FaultHook& fault)
        : m_path(path), m_pending(path), m_fault(fault) {}
    ~MadeName() {
        if (!m_kept) {
            attempt(m_fault, FileStep::Unlink, [&] { return ::unlink(m_path.c_str()); });
        }
    }
    MadeName(const MadeName&) = delete;
    MadeName& operator=(const MadeName&) = delete;

    void keep() { m_kept = true; }

private:
    std::string m_path;
    PendingName m_pending;
    const FaultHook& m_fault;
    bool m_kept = false;
};

// A new file beside the old one, synced and renamed over it on commit.
class RenameDestination final : public OutputDestination {
public:
    RenameDestination(std::string path, std::unique_ptr<TemporaryFile> file, Descriptor folder,
                      const FaultHook& fault)
        : m_path(std::move(path)),
          m_file(std::move(file)),
          m_folder(std::move(folder)),
          m_fault(fault) {}

    void write(std::string_view bytes) override { writeAll(m_file->file(), bytes, m_fault); }
    void reserve(std::uint64_t /*length*/) override {}

    void commit() override {
        syncFile(m_file->file(), FileStep::Sync, m_fault);
        {
            const SignalHold hold;
            m_file->nameIfUnnamed();
            m_file->file().close(m_fault);
            m_file->renameOver(m_path);
        }
        syncFolder(m_folder, m_fault);
    }

private:
    std::string m_path;
    std::unique_ptr<TemporaryFile> m_file;
    Descriptor m_folder;
    const FaultHook& m_fault;
};

// The file itself, overwritten only once the new bytes are complete, or
// their length known, and room for them reserved.
class InPlaceDestination final : public OutputDestination {
public:
    InPlaceDestination(const DestinationPath& destination, Descriptor folder,
                       const FaultHook& fault, std::optional<std::uint64_t> length)
        : m_path(destination.path), m_folder(std::move(folder)), m_fault(fault) {
        m_file = Descriptor(attempt(m_fault, FileStep::Open, [&] {
            return ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
        }));
        if (!m_file.isOpen()) {
            failWithErrno();
        }
        if (!destination.existing) {
            m_madeName.emplace(m_path, m_fault);
        }
        // Unless the length is known, the bytes go to a staging copy first,
        // and commit() checks the room before the first old byte goes.
        if (length) {
            reserve(*length);
        } else {
            m_staging.emplace(m_fault);
        }
    }

    void write(std::string_view bytes) override {
        if (m_staging) {
            writeAll(m_staging->file(), bytes, m_fault);
        } else {
            // Straight into the old file, the length being known: the signals
            // that would stop the bytes half way wait until they are all there.
            if (!m_hold) {
                m_hold.emplace();
            }
            writeAll(m_file, bytes, m_fault);
        }
        m_length += bytes.size();
    }

    void reserve(std::uint64_t length) override {
        assert(m_length == 0);
        reserveRoom(length);
        m_staging.reset();
    }

    void commit() override {
        if (m_staging) {
            reserveRoom(m_length);
            m_hold.emplace();
            m_staging->copyTo(m_file, m_length, m_fault);
        }
        // The old file may have been longer than the new one.
        attemptOrFail(m_fault, FileStep::Truncate,
                      [&] { return ::ftruncate(m_file.get(), static_cast<off_t>(m_length)); });
        syncFile(m_file, FileStep::Sync, m_fault);
        m_file.close(m_fault);
        m_hold.reset();
        if (m_madeName) {
            m_madeName->keep();
            m_madeName.reset();
            syncFolder(m_folder, m_fault);
        }
    }

private:
    // A file of that length may be written under this process's file-size
    // limit; past it a write would fail part way.
    void checkFileSizeLimit(std::uint64_t length) {
        struct rlimit limit {};
        if (attempt(m_fault, FileStep::Limit, [&] { return ::getrlimit(RLIMIT_FSIZE, &limit); }) ==
                0 &&
            limit.rlim_cur != RLIM_INFINITY && length > limit.rlim_cur) {
            throw fileErrorFromErrno(EFBIG);
        }
    }

    // fallocate, not posix_fallocate: where the file system cannot reserve,
    // the latter writes into every block instead, which needs to read the
    // file, and this user may only write it. Keeping the size, an interrupted
    // write leaves no run of zeros at the end of the file.
    void reserveRoom(std::uint64_t length) {
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

    std::string m_path;
    Descriptor m_folder;
    const FaultHook& m_fault;
    Descriptor m_file;
    std::optional<MadeName> m_madeName;    // until commit, where the name is new
    std::optional<StagingFile> m_staging;  // until the length is known
    std::optional<SignalHold> m_hold;      // from the first old byte overwritten to the end
    std::uint64_t m_length = 0;
};

// A new file beside the old one that a rename can put in its place, or none
// where the rename would lose what a plain write keeps (see OutputFile).
std::unique_ptr<TemporaryFile> fileBeside(const DestinationPath& destination,
                                          const FaultHook& fault) {
    const auto& existing = destination.existing;
    if (existing && (existing->st_nlink > 1 || isMountPoint(destination.path, fault))) {
        return nullptr;
    }
    auto file = std::make_unique<TemporaryFile>(folderOf(destination.path), fault);
    if (!file->isOpen() ||
        (existing && !takeOverAttributes(file->file(), destination.path, *existing, fault))) {
        return nullptr;
    }
    return file;
}

}  // namespace

std::unique_ptr<OutputDestination> openDestination(const std::string& name, const FaultHook& fault,
                                                   std::optional<std::uint64_t> length) {
    DestinationPath destination = resolveDestination(name, fault);
    if (destination.existing) {
        checkReplaceable(destination, fault);
    }
    Descriptor folder = openFolder(destination.path, fault);
    if (auto file = fileBeside(destination, fault)) {
        return std::make_unique<RenameDestination>(std::move(destination.path), std::move(file),
                                                   std::move(folder), fault);
    }
    return std::make_unique<InPlaceDestination>(destination, std::move(folder), fault, length);
}

}  // namespace nitka
