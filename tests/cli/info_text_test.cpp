#include "cli/info_text.h"

#include <gtest/gtest.h>

namespace nitka {
namespace {

MazeStats loopyMaze() {
    MazeStats stats;
    stats.width = 3;
    stats.height = 3;
    stats.cells = 9;
    stats.reachable = 9;
    stats.perfect = false;
    stats.loops = 1;
    stats.deadEnds = 1;
    stats.passages = 9;
    stats.corridors = 6;
    stats.routeCells = 7;
    stats.shortestCells = 5;
    return stats;
}

TEST(InfoTextTest, LinesNameEveryMeasure) {
    EXPECT_EQ(infoLines(loopyMaze()),
              "width: 3\nheight: 3\ncells: 9\nreachable: 9\nperfect: no\nloops: 1\n"
              "dead ends: 1\nroute cells: 7\nshortest cells: 5\npassages: 9\ncorridors: 6\n"
              "mean corridor length: 1.50\n");
}

TEST(InfoTextTest, JsonIsOneObjectWithNullForNoRoute) {
    MazeStats stats = loopyMaze();
    stats.perfect = true;
    stats.cells = 5'000'000'000;  // past 32 bits, written in full
    stats.routeCells.reset();
    stats.shortestCells.reset();
    stats.passages = 2;
    stats.corridors = 3;  // two decimals, rounded
    EXPECT_EQ(infoJson(stats),
              "{\"width\": 3, \"height\": 3, \"cells\": 5000000000, \"reachable\": 9, "
              "\"perfect\": true, \"loops\": 1, \"dead_ends\": 1, \"route_cells\": null, "
              "\"shortest_cells\": null, \"passages\": 2, \"corridors\": 3, "
              "\"mean_corridor_length\": 0.67}\n");
    stats.passages = 0;
    stats.corridors = 0;
    EXPECT_NE(infoLines(stats).find("route cells: none\nshortest cells: none\n"),
              std::string::npos);
    EXPECT_NE(infoLines(stats).find("mean corridor length: none\n"), std::string::npos);
    EXPECT_NE(infoJson(stats).find("\"mean_corridor_length\": null}"), std::string::npos);
}

}  // namespace
}  // namespace nitka
