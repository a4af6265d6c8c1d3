#include "ui/error_text.h"

#include <gtest/gtest.h>

namespace nitka {
namespace {

struct ErrorTextRow {
    const char* label;
    const char* message;
    const char* shown;
};

class ErrorBoxText : public ::testing::TestWithParam<ErrorTextRow> {};

TEST_P(ErrorBoxText, AddsAFullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(errorBoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorBoxText,
    ::testing::Values(ErrorTextRow{"letter", "File not found", "File not found."},
                      ErrorTextRow{"digit", "I/O error 21", "I/O error 21."},
                      ErrorTextRow{"full_stop", "Disk full.", "Disk full."},
                      ErrorTextRow{"exclamation", "Stop!", "Stop!"},
                      ErrorTextRow{"comma", "Wait,", "Wait,"}, ErrorTextRow{"slash", "a/", "a/."},
                      ErrorTextRow{"cyrillic", "Ошибка", "Ошибка."}, ErrorTextRow{"empty", "", ""}),
    [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace nitka
