#include "storage/file_attributes.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <optional>

namespace nitka {
namespace {

// Fills out with what read(buffer, size) gives, asking for the size first with
// read(nullptr, 0), and again if the value grew in between. False with errno
// set when it fails.
template <typename Read>
bool readSized(std::string& out, const FaultHook& fault, Read read) {
    for (;;) {
        const ssize_t size = attempt(fault, FileStep::Attributes, [&] { return read(nullptr, 0); });
        if (size < 0) {
            return false;
        }
        out.resize(static_cast<std::size_t>(size));
        const ssize_t got =
            attempt(fault, FileStep::Attributes, [&] { return read(out.data(), out.size()); });
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
std::optional<Attributes> extendedAttributes(const FaultHook& fault, List list, Get get) {
    std::string names;
    if (!readSized(names, fault, list)) {
        return errno == ENOTSUP ? std::optional(Attributes()) : std::nullopt;
    }
    Attributes attributes;
    for (std::size_t at = 0; at < names.size();) {
        std::string name(names.c_str() + at);
        at += name.size() + 1;
        std::string value;
        if (!readSized(value, fault, [&](char* buffer, std::size_t size) {
                return get(name.c_str(), buffer, size);
            })) {
            return std::nullopt;
        }
        attributes.emplace(std::move(name), std::move(value));
    }
    return attributes;
}

std::optional<Attributes> attributesOfPath(const std::string& path, const FaultHook& fault) {
    return extendedAttributes(
        fault,
        [&](char* buffer, std::size_t size) { return ::llistxattr(path.c_str(), buffer, size); },
        [&](const char* name, char* buffer, std::size_t size) {
            return ::lgetxattr(path.c_str(), name, buffer, size);
        });
}

std::optional<Attributes> attributesOfFile(int fd, const FaultHook& fault) {
    return extendedAttributes(
        fault, [&](char* buffer, std::size_t size) { return ::flistxattr(fd, buffer, size); },
        [&](const char* name, char* buffer, std::size_t size) {
            return ::fgetxattr(fd, name, buffer, size);
        });
}

}  // namespace

bool takeOverAttributes(const Descriptor& file, const std::string& path, const struct stat& old,
                        const FaultHook& fault) {
    const int fd = file.get();
    // Only root may give a file away; a user may pass one to another of
    // their groups. The set-id bits it clears are set again below.
    if (attempt(fault, FileStep::Owner, [&] { return ::fchown(fd, old.st_uid, old.st_gid); }) !=
        0) {
        return false;
    }
    attemptOrFail(fault, FileStep::Owner, [&] { return ::fchmod(fd, old.st_mode & 07777); });
    // Compared after fchmod, which may change an ACL's mask entry.
    const auto before = attributesOfPath(path, fault);
    return before && before == attributesOfFile(fd, fault);
}

}  // namespace nitka
