// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_table.h"
#include "settings/language_choice.h"
#include "settings/registry_key.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace orbisk {
namespace {

std::string Value(const std::string& cell) {
    return cell == "-" ? "" : cell;
}

TEST(LanguageChoice, FollowsTheChoiceThenTheEnvironmentAsGettextDoes) {
    const auto rows = test::DataTable("settings/language_choice.tsv");
    ASSERT_GE(rows.size(), 20u);
    for (const auto& row : rows) {
        const std::map<std::string, std::string> environment{{"LANGUAGE", Value(row.at(1))},
                                                             {"LC_ALL", Value(row.at(2))},
                                                             {"LC_MESSAGES", Value(row.at(3))},
                                                             {"LANG", Value(row.at(4))}};
        const auto lookup = [&](const char* name) { return environment.at(name); };
        EXPECT_EQ(ChooseUserLocale(Value(row.at(0)), lookup), row.at(5))
            << row.at(0) << " " << row.at(1) << " " << row.at(4);
    }
}

// A stored choice comes back; anything else stored follows the system.
TEST(LanguageChoice, OnlyAKnownChoiceIsKept) {
    test::TempDir dir;
    const auto store = dir / "registry.sqlite3";
    EXPECT_EQ(LoadLanguageChoice(store), "");
    for (const auto& [stored, loaded] : std::map<std::string, std::string>{
             {"fr", "fr"}, {"en", "en"}, {"", ""}, {"de", ""}, {"../fr", ""}, {"FR", ""}}) {
        ASSERT_TRUE(SaveLanguageChoice(store, stored));
        EXPECT_EQ(LoadLanguageChoice(store), loaded) << stored;
    }
}

} // namespace
} // namespace orbisk
