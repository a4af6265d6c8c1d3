#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "storage/file_error.h"

namespace nitka::testing {

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
public:
    explicit TempDir(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::string pattern = (base / "nitka-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    // How many entries are inside, so a test can see that no stray file is left.
    long count() const {
        const std::filesystem::directory_iterator entries(m_path);
        return std::distance(begin(entries), end(entries));
    }

private:
    std::filesystem::path m_path;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// "code message" of the FileError an action throws, or "" when it throws none.
inline std::string failure(auto&& action) {
    try {
        action();
    } catch (const FileError& error) {
        return std::to_string(error.code()) + " " + error.what();
    }
    return "";
}

// failure(action) with a soft resource limit lowered while the action runs.
inline std::string failureUnderLimit(int resource, rlim_t soft, auto&& action) {
    rlimit saved{};
    ::getrlimit(resource, &saved);
    const rlimit lowered{soft, saved.rlim_max};
    ::setrlimit(resource, &lowered);
    std::string result = failure(action);
    ::setrlimit(resource, &saved);
    return result;
}

// What a child process reports when prepare() returned false.
inline constexpr int kNotPrepared = 254;

// Runs prepare() and then action() in a child process, so that what prepare()
// changes (privileges, mounts) stays out of the test. Returns the code of the
// FileError action() throws, 0 for none, kNotPrepared, or -1 when the child
// could not be made or did not exit.
inline int fileErrorCodeInChild(auto&& prepare, auto&& action) {
    const pid_t child = ::fork();
    if (child == 0) {
        int code = kNotPrepared;
        if (prepare()) {
            try {
                action();
                code = 0;
            } catch (const FileError& error) {
                code = error.code();
            } catch (...) {
                code = 255;
            }
        }
        ::_exit(code);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace nitka::testing
