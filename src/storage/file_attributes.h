#pragma once

#include <sys/stat.h>

#include <string>

#include "storage/file_calls.h"

namespace nitka {

// Gives file, new beside the file at path whose status is old, that file's
// owner, group, permission bits and extended attributes. False where it
// cannot, so that a rename of file over path would change them; throws
// FileError where the permission bits cannot be set.
bool takeOverAttributes(const Descriptor& file, const std::string& path, const struct stat& old,
                        const FaultHook& fault);

}  // namespace nitka
