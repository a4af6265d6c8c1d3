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

// Unlinks every recorded name. Async-signal-safe: meant for a handler of
// SIGINT, SIGTERM or SIGHUP, which then lets the signal end the program.
void removePendingFiles() noexcept;

}  // namespace nitka
