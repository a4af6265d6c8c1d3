#pragma once

#include <cstdint>
#include <memory>
#include <streambuf>
#include <string>

#include "storage/file_calls.h"

namespace nitka {

// A file written as a stream, of any length, through a fixed buffer.
//
// Where it is safe, the bytes go to a new file beside the old one, which
// commit() syncs and renames over it before syncing the folder: the name shows
// the whole old file or the whole new one. Where a rename would lose what a
// plain write keeps, the file is written in place instead: when the folder lets
// no new file be made in it, when the file has more than one name (hard links)
// or is a mount point, and when the new file cannot be given the old one's
// owner, group or extended attributes (an access ACL among them).
//
// A name that is a symbolic link has the file it points to written; an
// existing file keeps its permission bits. An existing file that may not be
// written, or one that is no regular file, is refused with code 5 before
// anything is written. Failures throw FileError from the stream, and from
// commit() even when a std::ostream over the stream kept them to itself.
class OutputFile {
public:
    explicit OutputFile(const std::string& name, FaultHook fault = {});
    // Without commit() the write is abandoned: a new file beside the old one is
    // removed, leaving the old file as it was. Written in place, nothing better
    // is possible than to leave the file as it is: the bytes written so far,
    // then the rest of the old file. A failure or a crash there leaves the same.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Where the file is written in place, sets aside room for length bytes, so
    // that a full disk fails here, before any old byte is overwritten.
    // Requires: nothing written yet.
    void reserve(std::uint64_t length);

    std::streambuf& stream();

    // Writes out what is buffered and makes the file whole under its name.
    // Requires: not committed before. A failure to sync the folder after the
    // rename is reported too, although the name already shows the new file.
    void commit();

private:
    class Buffer;
    std::unique_ptr<Buffer> m_buffer;
};

}  // namespace nitka
