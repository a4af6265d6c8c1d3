#include "tool/frame_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <sstream>

#include "animate/frame_clock.h"
#include "animate/rgb_png.h"
#include "storage/file_calls.h"
#include "storage/pending_files.h"
#include "storage/signal_hold.h"
#include "tool/tool_error.h"

namespace nitka {
namespace {

constexpr int kMaxHiddenAttempts = 100;

const char* const kNotEmpty = "holds files already; name a new or empty folder";

// The folder the frames are to have: the name without trailing slashes, a
// link to a folder followed.
struct FolderTarget {
    std::string parent;  // empty, or ending in '/'
    std::string base;
    std::optional<struct stat> existing;
};

bool holdsAnything(const std::string& path) {
    DIR* folder = ::opendir(path.c_str());
    if (folder == nullptr) {
        failWithErrno();
    }
    bool found = false;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            found = true;
            break;
        }
    }
    ::closedir(folder);
    return found;
}

FolderTarget folderTarget(const std::string& name) {
    std::string path = name;
    while (path.size() > 1 && path.ends_with('/')) {
        path.pop_back();
    }
    struct stat status {};
    const bool exists = ::lstat(path.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        failWithErrno();
    }
    if (exists && S_ISLNK(status.st_mode)) {
        // The folder a link points to gets the frames; the link stays.
        std::array<char, PATH_MAX> resolved{};
        if (::realpath(path.c_str(), resolved.data()) == nullptr ||
            ::stat(resolved.data(), &status) != 0 || !S_ISDIR(status.st_mode)) {
            throw ToolError(name, "is not a folder");
        }
        path = resolved.data();
    }
    if (exists && !S_ISDIR(status.st_mode)) {
        throw ToolError(name, "is not a folder");
    }
    if (exists && holdsAnything(path)) {
        throw UsageError(name, kNotEmpty);
    }
    if (exists && isMountPoint(path)) {
        throw UsageError(name, "is a mount point, which cannot be replaced; name a folder in it");
    }
    const auto slash = path.rfind('/');
    FolderTarget target;
    target.parent = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    target.base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (target.base.empty() || target.base == "." || target.base == "..") {
        // An empty "." or "/" cannot be renamed over.
        throw UsageError(name, "name a new or empty folder by a name of its own");
    }
    if (exists) {
        target.existing = status;
    }
    return target;
}

void syncFolder(const std::string& path) {
    const Descriptor folder(
        ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder this user may write but not read cannot be opened, and some
    // file systems cannot sync one (EINVAL): nothing more to do there.
    if (folder.isOpen() && ::fsync(folder.get()) != 0 && errno != EINVAL) {
        failWithErrno();
    }
}

}  // namespace

class FolderOutput::Place {
public:
    explicit Place(const std::string& name)
        : m_shownName(name), m_target(blamingFile(name, [&] { return folderTarget(name); })) {
        blamingFile(m_shownName, [&] { makeHidden(); });
    }
    ~Place() {
        if (!m_hidden.empty()) {
            removeFolderOfFiles(m_hidden.c_str());
        }
    }
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;

    void add(const std::string& fileName, std::string_view bytes) {
        blamingFile(m_shownName, [&] {
            const std::string path = m_hidden + '/' + fileName;
            Descriptor file(
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
            if (!file.isOpen()) {
                failWithErrno();
            }
            while (!bytes.empty()) {
                const ssize_t written = attempt({}, FileStep::Write, [&] {
                    return ::write(file.get(), bytes.data(), bytes.size());
                });
                if (written < 0) {
                    failWithErrno();
                }
                bytes.remove_prefix(static_cast<std::size_t>(written));
            }
            file.close({});
        });
    }

    void commit() {
        blamingFile(m_shownName, [&] {
            // One sync of the file system for every frame, rather than one each.
            const Descriptor folder(::open(m_hidden.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (!folder.isOpen() || ::syncfs(folder.get()) != 0) {
                failWithErrno();
            }
            const std::string target = m_target.parent + m_target.base;
            {
                // Renamed and forgotten by the handler as one step.
                const SignalHold hold;
                if (::rename(m_hidden.c_str(), target.c_str()) != 0) {
                    if (errno == ENOTEMPTY || errno == EEXIST) {
                        throw ToolError(m_shownName, kNotEmpty);
                    }
                    failWithErrno();
                }
                m_hidden.clear();
                m_pending.reset();
            }
            syncFolder(m_target.parent);
        });
    }

private:
    void makeHidden() {
        const std::string stem =
            m_target.parent + '.' + m_target.base + ".nitka-" + std::to_string(::getpid()) + '-';
        for (int tries = 0; tries < kMaxHiddenAttempts; ++tries) {
            std::string path = stem + std::to_string(tries);
            // Made and recorded as one step, so that no signal finds it unrecorded.
            const SignalHold hold;
            if (::mkdir(path.c_str(), 0777) == 0) {
                m_pending.emplace(path);
                m_hidden = std::move(path);
                // An empty folder replaced keeps its permissions.
                if (m_target.existing) {
                    ::chmod(m_hidden.c_str(), m_target.existing->st_mode & 07777);
                }
                return;
            }
            if (errno != EEXIST) {
                break;
            }
        }
        failWithErrno();
    }

    std::string m_shownName;
    FolderTarget m_target;
    std::string m_hidden;  // empty once renamed
    std::optional<PendingFolder> m_pending;
};

void checkFramesFolder(const std::string& name) {
    blamingFile(name, [&] { folderTarget(name); });
}

FolderOutput::FolderOutput(const std::string& name) : m_place(std::make_unique<Place>(name)) {}

FolderOutput::~FolderOutput() = default;

void FolderOutput::add(const std::string& fileName, std::string_view bytes) {
    m_place->add(fileName, bytes);
}

void FolderOutput::commit() {
    m_place->commit();
}

void PngFolderSink::add(const RgbFrame& frame) {
    std::ostringstream bytes;
    writeRgbPng(frame, *bytes.rdbuf());
    writeNext(bytes.str());
}

void PngFolderSink::hold(const RgbFrame& frame) {
    std::ostringstream bytes;
    writeRgbPng(frame, *bytes.rdbuf());
    const std::string png = bytes.str();
    for (int copy = 0; copy < kHoldSeconds * m_fps; ++copy) {
        writeNext(png);
    }
}

void PngFolderSink::writeNext(std::string_view png) {
    std::array<char, 32> name{};
    std::snprintf(name.data(), name.size(), "frame-%05llu.png",
                  static_cast<unsigned long long>(m_written++));
    m_folder.add(name.data(), png);
}

}  // namespace nitka
