// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/locale_paper.h"
#include "temp_dir.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace orbisk {
namespace {

// Locales compiled from the system's sources into a folder of the test's own.
TEST(LocalePaper, LetterInTheUnitedStatesAndCanadaA4Elsewhere) {
    test::TempDir dir;
    const std::pair<const char*, std::pair<int, int>> cases[] = {
        {"en_US", {216, 279}},
        {"fr_CA", {216, 279}},
        {"fr_FR", {210, 297}},
    };
    for (const auto& [locale, paper] : cases) {
        const std::string made = (dir / locale).string() + ".UTF-8";
        const std::string command =
            std::string("localedef -i ") + locale + " -f UTF-8 " + made + " >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            GTEST_SKIP() << "no locale sources to compile " << locale << " from";
    }
    ::setenv("LOCPATH", dir.Path().c_str(), 1);
    for (const auto& [locale, paper] : cases) {
        ASSERT_NE(std::setlocale(LC_PAPER, (std::string(locale) + ".UTF-8").c_str()), nullptr)
            << locale;
        EXPECT_EQ(LocalePaperMillimetres(), paper) << locale;
    }
    std::setlocale(LC_PAPER, "C");
    EXPECT_EQ(LocalePaperMillimetres(), (std::pair(210, 297))) << "the C locale";
    ::unsetenv("LOCPATH");
}

} // namespace
} // namespace orbisk
