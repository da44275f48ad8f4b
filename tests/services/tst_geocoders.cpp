// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/geocoders.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(IsUsZipCode, KeepsExactlyFiveDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"20502", "20502"}, {" 20 502 ", "20502"}, {"zip 90210!", "90210"}, {"20502-1234", nullptr},
        {"2050", nullptr},  {"205021", nullptr},   {"", nullptr},           {"K1A 0B1", nullptr},
    };
    for (const auto& [input, zip] : cases) {
        ZipGeocoder client({}, nullptr);
        EXPECT_EQ(IsUsZipCode(input, client), zip != nullptr) << input;
        EXPECT_EQ(client.Slot(Zip), zip ? zip : "") << input;
    }
}

TEST(IsCanadianPostalCode, AlternatesLettersAndDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"K1A 0B1", "K1A0B1"}, {"k1a0b1", "K1A0B1"}, {" h3z-2y7 ", "H3Z2Y7"}, {"123456", nullptr},
        {"K1A 0B", nullptr},   {"1KA 0B1", nullptr}, {"K1A 0B1X", nullptr},   {"", nullptr},
    };
    for (const auto& [input, code] : cases) {
        PostalCodeGeocoder client({}, nullptr);
        EXPECT_EQ(IsCanadianPostalCode(input, client), code != nullptr) << input;
        EXPECT_EQ(client.Slot(Zip), code ? code : "") << input;
    }
}

TEST(StripStreetSuffix, DropsOnlyTheFiveShortSuffixes) {
    EXPECT_EQ(StripStreetSuffix("Main St"), "Main");
    EXPECT_EQ(StripStreetSuffix("Main st"), "Main");
    EXPECT_EQ(StripStreetSuffix("Hill Rd"), "Hill");
    EXPECT_EQ(StripStreetSuffix("Bay Cr"), "Bay");
    EXPECT_EQ(StripStreetSuffix("Elm Ct"), "Elm");
    EXPECT_EQ(StripStreetSuffix("Oak DR"), "Oak");
    EXPECT_EQ(StripStreetSuffix("Main Street"), "Main Street");
    EXPECT_EQ(StripStreetSuffix("Ave"), "Ave");
    EXPECT_EQ(StripStreetSuffix("St"), "St");
    EXPECT_EQ(StripStreetSuffix("MainSt"), "MainSt");
}

TEST(IsCanadianProvince, KnowsEveryProvinceAndTerritory) {
    for (const char* code :
         {"AB", "BC", "MB", "NB", "NF", "NL", "NT", "NS", "NU", "ON", "PE", "QC", "SK", "YT"})
        EXPECT_TRUE(IsCanadianProvince(code)) << code;
    EXPECT_TRUE(IsCanadianProvince("qc "));
    EXPECT_TRUE(IsCanadianProvince(" on"));
    for (const char* other : {"NY", "DC", "", "Q", "QCC", "CA"})
        EXPECT_FALSE(IsCanadianProvince(other)) << other;
}

} // namespace
} // namespace orbisk
