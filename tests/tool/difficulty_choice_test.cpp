#include "tool/difficulty_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tool/tool_error.h"

namespace nitka {
namespace {

// A score as info prints it is taken with a band of a tenth either side;
// anything but a band or a plain decimal in range is refused naming itself.
TEST(DifficultyAskTest, TakesAPlainScoreInRangeAndNothingElse) {
    const std::pair<std::string, double> accepted[] = {
        {"11.3", 11.3}, {"1", 1},         {"1.0", 1},         {"007", 7},
        {"2.25", 2.25}, {"1000000", 1e6}, {"1000000.0", 1e6}, {"999999.99", 999999.99},
    };
    for (const auto& [text, aim] : accepted) {
        const DifficultyAsk ask = parseDifficultyAsk(text);
        EXPECT_DOUBLE_EQ(ask.aim, aim) << text;
        EXPECT_DOUBLE_EQ(ask.low, aim * 0.9) << text;
        EXPECT_DOUBLE_EQ(ask.high, aim * 1.1) << text;
    }
    for (const std::string text :
         {"",        "tough", "0",    "0.5",   "0.99", "1000000.1",
          "1000001", "1e3",   "1E3",  "nan",   "inf",  "-1",
          "+5",      ".5",    "5.",   "1.2.3", "1,5",  " 5",
          "5 ",      "0x10",  "Easy", "easy ", "5.a",  "99999999999999999999999"}) {
        try {
            parseDifficultyAsk(text);
            ADD_FAILURE() << "took '" << text << "'";
        } catch (const UsageError& error) {
            EXPECT_EQ(error.subject(), "--difficulty") << text;
            EXPECT_NE(std::string(error.what()).find("'" + text + "'"), std::string::npos)
                << error.what();
        }
    }
}

}  // namespace
}  // namespace nitka
