#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "storage/file_calls.h"
#include "storage/pending_files.h"

namespace nitka {

// A new file in a folder, removed again unless it was renamed over the
// destination. Made without a name (O_TMPFILE) where the file system allows,
// so that nothing is left behind whatever ends the program; else under a
// hidden name that a signal handler can remove (see PendingName). Not open
// when the folder lets this user make no file in it.
class TemporaryFile {
public:
    // Requires: fault outlives the file.
    TemporaryFile(const std::string& folder, const FaultHook& fault);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return m_file.isOpen(); }
    Descriptor& file() { return m_file; }

    // Gives a file made without a name a hidden one, which linkat needs the
    // file still open for; rename() cannot start from no name. Requires: the
    // signals that end the program held until renameOver, so that the hidden
    // name cannot outlive the program.
    void nameIfUnnamed();

    // Gives the file the name destination, replacing what was there.
    // Requires: nameIfUnnamed() called.
    void renameOver(const std::string& destination);

private:
    bool openUnnamed();
    void openNamed();
    void giveName();
    std::string uniqueName();

    std::string m_folder;
    const FaultHook& m_fault;
    Descriptor m_file;
    std::string m_path;  // empty while the file has no name
    std::optional<PendingName> m_pending;
};

// A copy of the whole output in the temporary folder ($TMPDIR, else /tmp),
// for a file that is overwritten in place: the old file is touched only once
// the new one is complete, its length known and room for it reserved.
class StagingFile {
public:
    explicit StagingFile(const FaultHook& fault);

    Descriptor& file() { return m_file.file(); }

    // Copies the first length bytes into to, from its start.
    void copyTo(const Descriptor& to, std::uint64_t length, const FaultHook& fault);

private:
    TemporaryFile m_file;
};

}  // namespace nitka
