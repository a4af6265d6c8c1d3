#pragma once

#include <sys/types.h>
#include <optional>
#include <string>

namespace nitka {

// A regular file as the system knows it, whatever name reaches it: hard
// links, symbolic links and /dev/fd names of one file share it.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The regular file a name leads to, links followed, or "-" to the standard
// stream fd; nothing for a name that leads nowhere yet, or to no regular file.
std::optional<FileIdentity> identityOf(const std::string& name, int standardFd);

}  // namespace nitka
