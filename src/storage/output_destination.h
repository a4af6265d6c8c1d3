#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "storage/file_calls.h"

namespace nitka {

// Where an output file's bytes go: a new file renamed over the old one, or
// the old file itself, written in place. Chosen when the output is opened,
// by the rules in storage/output_file.h.
class OutputDestination {
public:
    virtual ~OutputDestination() = default;

    // Writes all of bytes after those written before, or throws FileError.
    virtual void write(std::string_view bytes) = 0;

    // Sets aside room for length bytes where the file is written in place.
    // Requires: nothing written yet.
    virtual void reserve(std::uint64_t length) = 0;

    // Makes the file whole under its name and the name durable. Without it
    // the write is abandoned and the old file, or no file, stays as it was.
    // Requires: not committed before.
    virtual void commit() = 0;
};

// Opens the destination for name, before anything is written. length, when
// known, is what the file will hold. Throws FileError where it cannot be
// written. Requires: fault outlives the destination.
std::unique_ptr<OutputDestination> openDestination(const std::string& name, const FaultHook& fault,
                                                   std::optional<std::uint64_t> length);

}  // namespace nitka
