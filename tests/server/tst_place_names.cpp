// SPDX-License-Identifier: GPL-3.0-or-later
#include "place_names.h"

#include <fstream>
#include <gtest/gtest.h>

namespace orbisk::server {
namespace {

TEST(PlaceNameKey, ComparesNamesAsPeopleTypeThem) {
    std::ifstream table(ORBISK_TEST_DATA_DIR "/places/name_keys.tsv");
    ASSERT_TRUE(table);
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (!line.empty() && line[0] == '#')
            continue;
        ++cases;
        const size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        EXPECT_EQ(PlaceNameKey(line.substr(0, tab)), line.substr(tab + 1)) << line;
    }
    EXPECT_GT(cases, 20);
}

// Hostile names: invalid UTF-8 reads as blanks, a 10 KB name is cut short.
TEST(PlaceNameKey, BadBytesAndHugeNamesStayBounded) {
    EXPECT_EQ(PlaceNameKey("Mont\xFF\xFEr\xC3"), "mont r");
    EXPECT_LE(PlaceNameKey(std::string(10000, 'a')).size(), 200u);
}

TEST(RegionKey, CodesNamesAndAbbreviationsMeetInOneForm) {
    EXPECT_EQ(RegionKey("D.C."), "dc");
    EXPECT_EQ(RegionKey(" Ontario "), "ontario");
    EXPECT_EQ(RegionKey("New York"), "newyork");
    for (const auto& [typed, code] : {std::pair{"Ont.", "ON"},
                                      {"Que.", "QC"},
                                      {"Calif.", "CA"},
                                      {"Mass", "MA"},
                                      {"P.E.I.", "PE"},
                                      {"Nowhere", ""}})
        EXPECT_EQ(AbbreviatedRegion(RegionKey(typed)), code) << typed;
}

} // namespace
} // namespace orbisk::server
