#include "tool/info_text.h"

#include <gtest/gtest.h>

namespace nitka {
namespace {

TEST(InfoTextTest, LinesAndJsonNameEveryMeasure) {
    // Cells past 32 bits are written in full; no route reads as none / null.
    MazeStats stats{3, 3, 5'000'000'000, 9, false, 1, 1, 2, 3, std::nullopt, std::nullopt};
    EXPECT_EQ(infoLines(stats),
              "width: 3\nheight: 3\ncells: 5000000000\nreachable: 9\nperfect: no\nloops: 1\n"
              "dead ends: 1\nroute cells: none\nshortest cells: none\npassages: 2\ncorridors: 3\n"
              "mean corridor length: 0.67\n");
    EXPECT_EQ(infoJson(stats),
              "{\"width\": 3, \"height\": 3, \"cells\": 5000000000, \"reachable\": 9, "
              "\"perfect\": false, \"loops\": 1, \"dead_ends\": 1, \"route_cells\": null, "
              "\"shortest_cells\": null, \"passages\": 2, \"corridors\": 3, "
              "\"mean_corridor_length\": 0.67}\n");
    stats.perfect = true;
    stats.routeCells = 7;
    stats.corridors = 0;
    EXPECT_NE(infoLines(stats).find("perfect: yes\n"), std::string::npos);
    EXPECT_NE(infoLines(stats).find("route cells: 7\n"), std::string::npos);
    EXPECT_NE(infoLines(stats).find("mean corridor length: none\n"), std::string::npos);
    EXPECT_NE(infoJson(stats).find("\"perfect\": true"), std::string::npos);
    EXPECT_NE(infoJson(stats).find("\"mean_corridor_length\": null}"), std::string::npos);
}

}  // namespace
}  // namespace nitka
