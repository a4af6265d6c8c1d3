#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <streambuf>
#include <string>

#include "storage/file_calls.h"

namespace nitka {

// A file written as a stream, of any length, through a fixed buffer.
//
// Where it is safe, the bytes go to a new file beside the old one, which
// commit() syncs and renames over it before syncing the folder: the name shows
// the whole old file or the whole new one. The new file has no name until then
// where the file system allows (O_TMPFILE), so that nothing is left behind
// whatever ends the program; elsewhere a hidden name that removePendingFiles()
// (storage/pending_files.h) takes away on a signal.
//
// Where a rename would lose what a plain write keeps, the file is written in
// place instead: when the folder lets no new file be made in it, when the file
// has more than one name (hard links) or is a mount point, and when the new
// file cannot be given the old one's owner, group or extended attributes (an
// access ACL among them). Then no old byte is touched until the new file is
// complete and room for it is reserved: unless its length is known up front
// (the constructor's length, or reserve()), the bytes go to a staging copy in
// the temporary folder ($TMPDIR, else /tmp) first. A full disk or the
// process's file-size limit then fails before the old file is touched, and the
// signals that end a program are held while the new bytes go in. Only a
// failure of the disk itself on the way, or the machine stopping, can leave
// the new bytes written so far followed by the rest of the old file.
//
// A name that is a symbolic link has the file it points to written; an
// existing file keeps its permission bits. An existing file that may not be
// written is refused with code 5, and one that is no regular file with
// NotRegularFileError, before anything is written. Failures throw FileError
// from the stream, and from commit() even when a std::ostream over the stream
// kept them to itself.
class OutputFile {
public:
    // length, when known, is what the file will hold: written in place, its
    // room is reserved here, and no staging copy is made.
    explicit OutputFile(const std::string& name, FaultHook fault = {},
                        std::optional<std::uint64_t> length = std::nullopt);
    // Without commit() the write is abandoned and the old file stays as it
    // was; where there was none, no file is left under the name.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Where the file is written in place, sets aside room for length bytes, so
    // that a full disk or the file-size limit fails here, before any old byte
    // is overwritten, and lets the bytes go straight to the file.
    // Requires: nothing written yet.
    void reserve(std::uint64_t length);

    std::streambuf& stream();

    // Throws the first failure of a write so far, if any: a writer that wraps
    // the stream in one of its own may have kept only that something failed.
    void throwIfFailed() const;

    // Writes out what is buffered and makes the file whole under its name.
    // Requires: not committed before. A failure to sync the folder after the
    // rename is reported too, although the name already shows the new file.
    void commit();

private:
    class Buffer;
    std::unique_ptr<Buffer> m_buffer;
};

}  // namespace nitka
