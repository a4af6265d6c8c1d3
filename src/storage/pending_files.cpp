#include "storage/pending_files.h"

#include <limits.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace nitka {
namespace {

// A few at once at most: an output and its staging copy. A name that does
// not fit goes unrecorded, as it would on a system without the handler.
constexpr int kSlots = 4;

struct Slot {
    std::atomic<bool> used{false};
    std::array<char, PATH_MAX> path{};
};

// A signal handler can reach nothing else: this is the one piece of state of
// the file edge that lives outside the objects that own the files.
std::array<Slot, kSlots> g_pending;

}  // namespace

PendingName::PendingName(const std::string& path) : m_slot(-1) {
    if (path.size() >= PATH_MAX) {
        return;
    }
    for (int slot = 0; slot < kSlots; ++slot) {
        Slot& entry = g_pending[static_cast<std::size_t>(slot)];
        if (!entry.used.load()) {
            std::memcpy(entry.path.data(), path.c_str(), path.size() + 1);
            // Published after the name is whole, for a handler that runs in between.
            entry.used.store(true);
            m_slot = slot;
            return;
        }
    }
}

PendingName::~PendingName() {
    if (m_slot >= 0) {
        g_pending[static_cast<std::size_t>(m_slot)].used.store(false);
    }
}

void removePendingFiles() noexcept {
    for (Slot& entry : g_pending) {
        if (entry.used.load()) {
            ::unlink(entry.path.data());
        }
    }
}

}  // namespace nitka
