#include "tool/info_text.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>
#include <vector>

namespace nitka {
namespace {

std::string count(const std::optional<std::uint64_t>& value, std::string_view none) {
    return value ? std::to_string(*value) : std::string(none);
}

// Two decimals, whatever the locale.
std::string decimal(const std::optional<double>& value, std::string_view none) {
    if (!value) {
        return std::string(none);
    }
    std::array<char, 32> text{};
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), *value, std::chars_format::fixed, 2);
    return std::string(text.data(), written.ptr);
}

// Key and value of each measure in their one order, later measures after the
// first ones so that a reader of those finds them where they were; absent
// routes are left for the format to name.
std::vector<std::pair<std::string, std::string>> measures(const MazeStats& stats,
                                                          std::optional<double> difficulty,
                                                          std::string_view none,
                                                          std::string_view yes,
                                                          std::string_view no) {
    std::vector<std::pair<std::string, std::string>> list = {
        {"width", std::to_string(stats.width)},
        {"height", std::to_string(stats.height)},
        {"cells", std::to_string(stats.cells)},
        {"reachable", std::to_string(stats.reachable)},
        {"perfect", std::string(stats.perfect ? yes : no)},
        {"loops", std::to_string(stats.loops)},
        {"dead ends", std::to_string(stats.deadEnds)},
        {"route cells", count(stats.routeCells, none)},
        {"shortest cells", count(stats.shortestCells, none)},
        {"passages", std::to_string(stats.passages)},
        {"corridors", std::to_string(stats.corridors)},
        {"mean corridor length", decimal(meanCorridorLength(stats), none)},
    };
    if (difficulty) {
        std::string text = decimal(difficulty, none);
        text.pop_back();
        list.emplace_back("difficulty", text);
    }
    return list;
}

}  // namespace

std::string infoLines(const MazeStats& stats, std::optional<double> difficulty) {
    std::string text;
    for (const auto& [key, value] : measures(stats, difficulty, "none", "yes", "no")) {
        text += key + ": " + value + '\n';
    }
    return text;
}

std::string infoJson(const MazeStats& stats, std::optional<double> difficulty) {
    std::string text = "{";
    for (const auto& [key, value] : measures(stats, difficulty, "null", "true", "false")) {
        std::string name = key;
        for (char& c : name) {
            c = c == ' ' ? '_' : c;
        }
        text += (text.size() > 1 ? ", \"" : "\"") + name + "\": " + value;
    }
    return text + "}\n";
}

}  // namespace nitka
