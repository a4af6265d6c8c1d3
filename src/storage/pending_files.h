#pragma once

#include <string>

namespace nitka {

// A temporary file's name, recorded for as long as the file exists under it,
// so that removePendingFiles() can take it away when a signal ends the
// program. Most temporary files have no name until they are complete (see
// OutputFile); this is for the file systems where they must.
class PendingName {
public:
    explicit PendingName(const std::string& path);
    ~PendingName();
    PendingName(const PendingName&) = delete;
    PendingName& operator=(const PendingName&) = delete;

private:
    int m_slot;
};

// A folder of files under way (a set of frames made under a hidden name),
// recorded for as long as it exists under that name, so that
// removePendingFiles() can take it away with the files in it.
class PendingFolder {
public:
    explicit PendingFolder(const std::string& path);
    ~PendingFolder();
    PendingFolder(const PendingFolder&) = delete;
    PendingFolder& operator=(const PendingFolder&) = delete;

private:
    int m_slot;
};

// Removes the files in folder, then the folder. Leaves a folder inside it,
// and so the folder itself; the tool makes none. Async-signal-safe, so that
// a signal handler and a failed write share it.
void removeFolderOfFiles(const char* folder) noexcept;

// Unlinks every recorded name, then removes every recorded folder.
// Async-signal-safe: meant for a handler of SIGINT, SIGTERM or SIGHUP, which
// then lets the signal end the program.
void removePendingFiles() noexcept;

}  // namespace nitka
