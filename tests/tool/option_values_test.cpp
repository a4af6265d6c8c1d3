#include "tool/option_values.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tool/tool_error.h"

namespace nitka {
namespace {

// Scores are written as info prints them, two of them around a colon.
TEST(OptionValues, ScoreRangesArePlainDecimalsAroundAColon) {
    const std::pair<std::string, std::pair<double, double>> accepted[] = {
        {"10:20", {10, 20}}, {"0:0", {0, 0}}, {"2.5:19.75", {2.5, 19.75}}, {"30:1", {30, 1}}};
    for (const auto& [text, range] : accepted) {
        EXPECT_EQ(parseScoreRange(text, "--difficulty"), range) << text;
    }
    for (const std::string text : {"", "10", "10:", ":20", "10:20:30", "-1:5", "1e3:2e3", "nan:inf",
                                   "10 :20", "1.:2", "a:b", "10,20"}) {
        try {
            parseScoreRange(text, "--difficulty");
            ADD_FAILURE() << "took '" << text << "'";
        } catch (const UsageError& error) {
            EXPECT_EQ(error.subject(), "--difficulty");
            EXPECT_NE(std::string(error.what()).find("'" + text + "'"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace nitka
