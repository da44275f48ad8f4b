// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/user_text.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(UserText, ArgumentsFillTheirNumbersOnce) {
    struct Case {
        const char* pattern;
        std::initializer_list<std::string_view> args;
        const char* expected;
    };
    const Case cases[] = {
        {"%1 to %2 of %3", {"1", "10", "29"}, "1 to 10 of 29"},
        {"%2, then %1", {"a", "b"}, "b, then a"},
        {"%1 has %2", {"%2", "x"}, "%2 has x"}, // a value is never read again
        {"100% sure: %1", {"yes"}, "100% sure: yes"},
        {"%1 and %3", {"one"}, "one and %3"},
        {"ends with %", {}, "ends with %"},
        {"%0 %10", {"a"}, "%0 a0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Arg(c.pattern, c.args), c.expected) << c.pattern;
}

TEST(UserText, EnglishCountsItsPlurals) {
    EXPECT_EQ(EnglishPlural("The area code has %n digit(s); it needs 3", 0),
              "The area code has 0 digits; it needs 3");
    EXPECT_EQ(EnglishPlural("The area code has %n digit(s); it needs 3", 1),
              "The area code has 1 digit; it needs 3");
    EXPECT_EQ(EnglishPlural("%n tracks not imported", 12), "12 tracks not imported");
}

std::string Tagged(const char* context, const char* source, const char*, int n) {
    return std::string(context) + ":" + source + ":" + std::to_string(n);
}

// The core's texts are English until a translation is installed, then its own.
TEST(UserText, AnInstalledTranslationAnswers) {
    EXPECT_EQ(Tr("LocalSearch", "%n point(s)", nullptr, 2), "2 points");
    InstallTranslation(&Tagged);
    EXPECT_EQ(Tr("LocalSearch", "%n point(s)", nullptr, 2), "LocalSearch:%n point(s):2");
    InstallTranslation(nullptr);
    EXPECT_EQ(Tr("LocalSearch", " (new area)"), " (new area)");
    EXPECT_EQ(LocaleNumber("-75.5"), "-75.5");
    InstallDecimalSeparator(',');
    EXPECT_EQ(LocaleNumber("-75.5"), "-75,5");
    InstallDecimalSeparator('.');
}

} // namespace
} // namespace orbisk
