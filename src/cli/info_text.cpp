#include "cli/info_text.h"

#include <string_view>
#include <utility>
#include <vector>

namespace nitka {
namespace {

std::string count(const std::optional<std::uint64_t>& value, std::string_view none) {
    return value ? std::to_string(*value) : std::string(none);
}

// Key and value of each measure in their one order; absent routes are left
// for the format to name.
std::vector<std::pair<std::string, std::string>> measures(const MazeStats& stats,
                                                          std::string_view none,
                                                          std::string_view yes,
                                                          std::string_view no) {
    return {
        {"width", std::to_string(stats.width)},
        {"height", std::to_string(stats.height)},
        {"cells", std::to_string(stats.cells)},
        {"reachable", std::to_string(stats.reachable)},
        {"perfect", std::string(stats.perfect ? yes : no)},
        {"loops", std::to_string(stats.loops)},
        {"dead ends", std::to_string(stats.deadEnds)},
        {"route cells", count(stats.routeCells, none)},
        {"shortest cells", count(stats.shortestCells, none)},
    };
}

}  // namespace

std::string infoLines(const MazeStats& stats) {
    std::string text;
    for (const auto& [key, value] : measures(stats, "none", "yes", "no")) {
        text += key + ": " + value + '\n';
    }
    return text;
}

std::string infoJson(const MazeStats& stats) {
    std::string text = "{";
    for (const auto& [key, value] : measures(stats, "null", "true", "false")) {
        std::string name = key;
        for (char& c : name) {
            c = c == ' ' ? '_' : c;
        }
        text += (text.size() > 1 ? ", \"" : "\"") + name + "\": " + value;
    }
    return text + "}\n";
}

}  // namespace nitka
