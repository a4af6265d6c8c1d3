#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/maze_state.h"

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
    // Names of everything inside, so a test can see that no stray file is left.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
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

// Lowers a soft resource limit for the life of the object. A lowered file size
// limit would kill the process with SIGXFSZ, which the program ignores too.
class ScopedLimit {
public:
    ScopedLimit(int resource, rlim_t soft) : m_resource(resource) {
        ::getrlimit(m_resource, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = soft;
        ::setrlimit(m_resource, &lowered);
        m_savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~ScopedLimit() {
        ::setrlimit(m_resource, &m_saved);
        std::signal(SIGXFSZ, m_savedSignal);
    }
    ScopedLimit(const ScopedLimit&) = delete;
    ScopedLimit& operator=(const ScopedLimit&) = delete;

private:
    int m_resource;
    rlimit m_saved{};
    void (*m_savedSignal)(int) = nullptr;
};

// A wall array from a picture such as
//     "+-+-+",
//     "|   |",
//     "+ +-+",
//     "| | |",
//     "+-+-+",
// where "-" over a cell is its top wall and "|" left of it its left wall. The
// right column and bottom row are filled as the loader fills them.
inline Maze mazeFromPicture(const std::vector<std::string>& picture) {
    const int width = static_cast<int>(picture.front().size() - 1) / 2;
    const int height = static_cast<int>(picture.size() - 1) / 2;
    Maze walls(width + 1, height + 1);
    for (int x = 0; x <= width; ++x) {
        for (int y = 0; y <= height; ++y) {
            WallPair& pair = walls[x][y];
            pair.Top = x == width || picture[2 * y][2 * x + 1] == '-';
            pair.Left = y == height || picture[2 * y + 1][2 * x] == '|';
        }
    }
    return walls;
}

}  // namespace nitka::testing
