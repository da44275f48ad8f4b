// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/fixed_strings.h"
#include "settings/program_environment.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <tuple>

namespace orbisk {
namespace {

TEST(FixedStrings, HoldsTheFourteenBuiltInEntriesInOrder) {
    const FixedStrings strings;
    ASSERT_EQ(strings.Count(), 14u);
    EXPECT_EQ(strings.At(0), "http://127.0.0.1:8642/webpages/Downloads.htm");
    EXPECT_EQ(strings.At(1), "127.0.0.1:8642");
    EXPECT_EQ(strings.At(2), "Orbisk (North America Edition)");
    EXPECT_EQ(strings.At(3), "\\Map.dat");
    EXPECT_EQ(strings.At(4), "\\Map.xml");
    EXPECT_EQ(strings.At(5), "\\MarkerSets\\Current.obk");
    EXPECT_EQ(strings.At(6), "\\MarkerSets\\ForSend.obk");
    EXPECT_EQ(
        strings.At(7),
        "Attached .obk file is a marker set file for Orbisk. After installing Orbisk, you can "
        "double click this file to open it.\n\nOrbisk (North America Edition) can be "
        "downloaded for free at:\n");
    EXPECT_EQ(strings.At(8), "default.asp");
    EXPECT_EQ(strings.At(9), "update/version/");
    EXPECT_EQ(strings.At(10), "update/path/");
    EXPECT_EQ(strings.At(11), "definition/version/");
    EXPECT_EQ(strings.At(12), "definition/path/");
    EXPECT_EQ(strings.At(13), "map/");
}

TEST(FixedStrings, ReadingPastTheEndThrowsAndChangesNothing) {
    const FixedStrings strings;
    EXPECT_THROW(strings.At(14), std::invalid_argument);
    EXPECT_THROW(strings.At(static_cast<size_t>(-1)), std::invalid_argument);
    EXPECT_EQ(strings.Count(), 14u);
    EXPECT_EQ(strings.At(13), "map/");
}

TEST(FixedStrings, ReplacesOrAppendsNonEmptyTexts) {
    FixedStrings strings;
    strings.ReplaceOrAppend(1, "maps.example.org");
    strings.ReplaceOrAppend(2, "");
    strings.ReplaceOrAppend(20, "extra");
    strings.ReplaceOrAppend(30, "");
    EXPECT_EQ(strings.At(1), "maps.example.org");
    EXPECT_EQ(strings.At(2), "Orbisk (North America Edition)");
    ASSERT_EQ(strings.Count(), 15u);
    EXPECT_EQ(strings.At(14), "extra");
}

// A downloaded definition may rename the files the program writes only to
// plain names of their shape inside the program directory.
TEST(FixedStrings, NamesOfWrittenFilesStayPlainAndInside) {
    const std::tuple<size_t, const char*, bool> cases[] = {
        {FixedStrings::DefinitionFile, "\\Maps.dat", true},
        {FixedStrings::CurrentMarkerSetFile, "\\Sets\\Mine.obk", true},
        {FixedStrings::SendMarkerSetFile, "\\Send Me.obk", true},
        {FixedStrings::DefinitionFile, "\\..\\..\\..\\home\\u\\.bashrc", false},
        {FixedStrings::DefinitionFile, "\\Map.exe", false},
        {FixedStrings::DefinitionFile, "Map.dat", false},
        {FixedStrings::DefinitionFile, "\\a\\b\\Map.dat", false},
        {FixedStrings::CurrentMarkerSetFile, "\\..\\x.obk", false},
        {FixedStrings::CurrentMarkerSetFile, "/etc/x.obk", false},
        {FixedStrings::SendMarkerSetFile, "\\C:\\x.obk", false},
        {FixedStrings::SendMarkerSetFile, "\\.obk", false},
    };
    for (const auto& [index, name, kept] : cases) {
        FixedStrings strings;
        const std::string builtIn = strings.At(index);
        strings.ReplaceOrAppend(index, name);
        EXPECT_EQ(strings.At(index), kept ? name : builtIn) << name;
    }
    FixedStrings strings;
    strings.ReplaceOrAppend(FixedStrings::ProductTitle, "..\\anything");
    EXPECT_EQ(strings.At(FixedStrings::ProductTitle), "..\\anything") << "other entries are free";
}

TEST(FixedStrings, ComposeTheMapPageAddressAndProgramFiles) {
    FixedStrings strings;
    EXPECT_EQ(MapPageAddress(strings), "http://127.0.0.1:8642/map/default.asp");
    strings.ReplaceOrAppend(FixedStrings::ServerHost, "maps.example.org");
    EXPECT_EQ(MapPageAddress(strings), "http://maps.example.org/map/default.asp");
    EXPECT_EQ(ProgramFilePath("/opt/orbisk", strings.At(FixedStrings::CurrentMarkerSetFile)),
              "/opt/orbisk/MarkerSets/Current.obk");
    EXPECT_EQ(ProgramFilePath("", strings.At(FixedStrings::DefinitionFile)), "/Map.dat");
}

} // namespace
} // namespace orbisk
