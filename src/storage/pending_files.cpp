#include "storage/pending_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace nitka {
namespace {

struct Slot {
    std::atomic<bool> used{false};
    std::array<char, PATH_MAX> path{};
};

// A few at once at most: an output and its staging copy, a folder of frames.
// A name that does not fit goes unrecorded, as it would on a system without
// the handler.
template <int kSlots>
class Register {
public:
    int record(const std::string& path) {
        if (path.size() >= PATH_MAX) {
            return -1;
        }
        for (int slot = 0; slot < kSlots; ++slot) {
            Slot& entry = m_slots[static_cast<std::size_t>(slot)];
            if (!entry.used.load()) {
                std::memcpy(entry.path.data(), path.c_str(), path.size() + 1);
                // Published after the name is whole, for a handler that runs in between.
                entry.used.store(true);
                return slot;
            }
        }
        return -1;
    }

    void release(int slot) {
        if (slot >= 0) {
            m_slots[static_cast<std::size_t>(slot)].used.store(false);
        }
    }

    template <typename Remove>
    void removeAll(Remove remove) noexcept {
        for (Slot& entry : m_slots) {
            if (entry.used.load()) {
                remove(entry.path.data());
            }
        }
    }

private:
    std::array<Slot, kSlots> m_slots;
};

// A signal handler can reach nothing else: this is the one piece of state of
// the file edge that lives outside the objects that own the files.
Register<4> g_names;
Register<2> g_folders;

bool isSelfOrParent(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// Unlinks what one pass over the folder finds; true when it removed any.
bool removeEntries(int folder) noexcept {
    alignas(dirent64) std::array<char, 4096> buffer;
    bool removed = false;
    ::lseek(folder, 0, SEEK_SET);
    for (;;) {
        const ssize_t got = ::getdents64(folder, buffer.data(), buffer.size());
        if (got <= 0) {
            return removed;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + at);
            at += entry->d_reclen;
            if (!isSelfOrParent(entry->d_name) && ::unlinkat(folder, entry->d_name, 0) == 0) {
                removed = true;
            }
        }
    }
}

}  // namespace

PendingName::PendingName(const std::string& path) : m_slot(g_names.record(path)) {}

PendingName::~PendingName() {
    g_names.release(m_slot);
}

PendingFolder::PendingFolder(const std::string& path) : m_slot(g_folders.record(path)) {}

PendingFolder::~PendingFolder() {
    g_folders.release(m_slot);
}

void removeFolderOfFiles(const char* folder) noexcept {
    // getdents64 and unlinkat rather than readdir, which may allocate. Removing
    // entries may move the rest under a reading position, so passes go on until
    // one finds nothing to remove.
    const int descriptor = ::open(folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor >= 0) {
        while (removeEntries(descriptor)) {
        }
        ::close(descriptor);
    }
    ::rmdir(folder);
}

void removePendingFiles() noexcept {
    g_names.removeAll([](const char* path) { ::unlink(path); });
    g_folders.removeAll(removeFolderOfFiles);
}

}  // namespace nitka
