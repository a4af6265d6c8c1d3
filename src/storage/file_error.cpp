#include "storage/file_error.h"

namespace nitka {

std::string fileErrorMessage(int code) {
    using namespace file_error_code;
    switch (code) {
        case kFileNotFound:
            return "File not found";
        case kInvalidFilename:
            return "Invalid filename";
        case kTooManyOpenFiles:
            return "Too many open files";
        case kAccessDenied:
            return "File access denied";
        case kReadBeyondEnd:
            return "Read beyond end of file";
        case kDiskFull:
            return "Disk full";
        case kInvalidNumber:
            return "Invalid numeric input";
        default:
            return "I/O error " + std::to_string(code);
    }
}

}  // namespace nitka
