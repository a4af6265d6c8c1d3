#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "storage/file_error.h"

namespace nitka {

// Exit statuses are part of the tool's interface: scripts test them.
inline constexpr int kStatusDone = 0;
inline constexpr int kStatusFailed = 1;
inline constexpr int kStatusUsage = 2;

// A failure the user sees as one line "nitka-maze: WHAT: WHY" and the exit
// status that goes with it. `what` names the file, option or command at fault.
class ToolError : public std::runtime_error {
public:
    ToolError(std::string what, const std::string& why, int status = kStatusFailed)
        : std::runtime_error(why), m_what(std::move(what)), m_status(status) {}
    const std::string& subject() const { return m_what; }
    int status() const { return m_status; }

private:
    std::string m_what;
    int m_status;
};

// A command line that cannot be carried out as written: status 2.
class UsageError : public ToolError {
public:
    UsageError(std::string what, const std::string& why)
        : ToolError(std::move(what), why, kStatusUsage) {}
};

// The one line a failure prints, with its line feed. Line breaks inside the
// parts become spaces, so a message stays one line for scripts reading stderr.
std::string errorLine(const std::string& what, const std::string& why);

// The message for a file error: the window's table, except where the tool can
// say more that a user can act on (a folder or a device named as a file, where
// and what a bad number is); for a system error the table has no text for
// ("I/O error N") the system's own words follow.
std::string fileErrorText(const FileError& error);

// Work refused because it would need more memory than this process may use:
// the tool's failure like any other, a MemoryError in Python.
class MemoryShortage : public ToolError {
public:
    MemoryShortage(std::string what, const std::string& why)
        : ToolError(std::move(what), why, kStatusFailed) {}
};

// How a file argument reads in messages: "-" is a stream, not a file name.
std::string inputName(const std::string& name);
std::string outputName(const std::string& name);

// Runs work; a FileError in it becomes a ToolError about the file name.
template <typename Work>
decltype(auto) blamingFile(const std::string& shownName, Work&& work) {
    try {
        return std::forward<Work>(work)();
    } catch (const FileError& error) {
        throw ToolError(shownName, fileErrorText(error));
    }
}

}  // namespace nitka
