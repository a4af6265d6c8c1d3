#include "tool/file_identity.h"

#include <sys/stat.h>
#include <unistd.h>

namespace nitka {

std::optional<FileIdentity> identityOf(const std::string& name, int standardFd) {
    struct stat status {};
    const int result = name == "-" ? ::fstat(standardFd, &status) : ::stat(name.c_str(), &status);
    if (result != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

}  // namespace nitka
