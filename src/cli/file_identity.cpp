#include "cli/file_identity.h"

#include <sys/stat.h>
#include <unistd.h>

#include <initializer_list>

#include "cli/tool_error.h"

namespace nitka {

std::optional<FileIdentity> identityOf(const std::string& name, int standardFd) {
    struct stat status {};
    const int result = name == "-" ? ::fstat(standardFd, &status) : ::stat(name.c_str(), &status);
    if (result != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

void refuseOutputOverInputs(const std::string& output, std::initializer_list<std::string> inputs) {
    const auto written = identityOf(output, STDOUT_FILENO);
    if (!written) {
        return;
    }
    for (const std::string& input : inputs) {
        if (identityOf(input, STDIN_FILENO) == written) {
            throw UsageError(outputName(output), "is the same file as the input " +
                                                     inputName(input) +
                                                     "; write the output to another file");
        }
    }
}

}  // namespace nitka
