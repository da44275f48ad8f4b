// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_table.h"
#include "demo_directory.h"
#include "geo_data.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <regex>
#include <sstream>

namespace orbisk::server {
namespace {

double Kilometres(double lat1, double lng1, double lat2, double lng2) {
    const double rad = M_PI / 180;
    const double a = std::pow(std::sin((lat2 - lat1) * rad / 2), 2) +
                     std::cos(lat1 * rad) * std::cos(lat2 * rad) *
                         std::pow(std::sin((lng2 - lng1) * rad / 2), 2);
    return 6371 * 2 * std::asin(std::sqrt(a));
}

std::vector<std::vector<std::string>> Table(const std::string& name) {
    return test::DataTable("places/" + name);
}

class GeoDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        geo = new GeoData;
        std::string error;
        ASSERT_TRUE(geo->Load(ORBISK_SERVER_DATA_DIR, error)) << error;
    }
    static void TearDownTestSuite() { delete geo; }
    static GeoData* geo;
};
GeoData* GeoDataTest::geo = nullptr;

TEST_F(GeoDataTest, PlacesAsPeopleTypeThemLandWithin30Km) {
    const auto rows = Table("typed_places.tsv");
    ASSERT_GE(rows.size(), 150u);
    for (const auto& row : rows) {
        const auto place = geo->CityIn(row[0], row[1]);
        EXPECT_TRUE(place) << row[0] << ", " << row[1];
        if (!place)
            continue;
        EXPECT_LT(Kilometres(place->lat, place->lng, std::stod(row[2]), std::stod(row[3])), 30)
            << row[0] << ", " << row[1] << " at " << place->lat << "," << place->lng;
    }
}

TEST_F(GeoDataTest, PublishedNumbersLandWithin50KmOfTheirCity) {
    const auto rows = Table("phone_numbers.tsv");
    ASSERT_GE(rows.size(), 150u);
    for (const auto& row : rows) {
        const auto place = geo->Exchange(row[0].substr(0, 3), row[0].substr(3, 3));
        EXPECT_TRUE(place) << row[0];
        if (!place)
            continue;
        EXPECT_LT(Kilometres(place->lat, place->lng, std::stod(row[1]), std::stod(row[2])), 50)
            << row[0] << " at " << place->name << " " << place->lat << "," << place->lng;
    }
}

// An exchange the data does not know lands in its own code's city, never
// at another city of the state.
TEST_F(GeoDataTest, UnknownExchangesLandInTheirAreaCodesCity) {
    for (const auto& row : Table("area_codes.tsv")) {
        const auto place = geo->Exchange(row[0], "000");
        ASSERT_TRUE(place) << row[0];
        EXPECT_LT(Kilometres(place->lat, place->lng, std::stod(row[1]), std::stod(row[2])), 50)
            << row[0] << " at " << place->name << " " << place->lat << "," << place->lng;
    }
}

// Every code libphonenumber knows in service lands in its own country.
TEST_F(GeoDataTest, EveryAreaCodeInServiceIsFound) {
    const auto coverage = geo->Covered();
    EXPECT_GT(coverage.areaCodesInService, 400u);
    EXPECT_EQ(coverage.unresolvedInService, std::vector<std::string>{});
}

TEST_F(GeoDataTest, CodesThatNameNoPlaceAreNotFound) {
    for (const char* npa : {"800", "888", "877", "866", "855", "844", "833", "900", "500", "600",
                            "700", "999", "12", "2125", "abc", ""})
        EXPECT_FALSE(geo->Exchange(npa, "555")) << npa;
    for (const auto& [city, region] :
         {std::pair{"Springfield", "Nowhere"}, {"", "IL"}, {"Gotham City", "FL"}})
        EXPECT_FALSE(geo->CityIn(city, region)) << city << ", " << region;
    EXPECT_FALSE(geo->CityIn(std::string(10000, 'x'), "TX"));
}

// Lines that are not records are counted, so a check of the data fails.
TEST(GeoDataCheck, CountsMalformedLines) {
    const auto copy = std::filesystem::temp_directory_path() / "orbisk-geo-check";
    std::filesystem::remove_all(copy);
    std::filesystem::copy(ORBISK_SERVER_DATA_DIR, copy, std::filesystem::copy_options::recursive);
    std::ofstream(copy / "zips.tsv", std::ios::app) << "99999\tnan\t-77\tNowhere\tDC\nshort\n";
    std::ofstream(copy / "prefixes.tsv", std::ios::app) << "2x2\t\tNY\n";
    GeoData geo;
    std::string error;
    ASSERT_TRUE(geo.Load(copy, error)) << error;
    EXPECT_EQ(geo.Covered().malformedLines, 3u);
    EXPECT_FALSE(geo.Zip("99999").has_value()) << "a bad record is not read as 0,0";
    std::filesystem::remove_all(copy);
}

// The grid must give exactly what a scan over every city gives.
TEST_F(GeoDataTest, NearestCityMatchesAScanOverEveryCity) {
    const auto scan = [&](double lat, double lng) {
        const City* nearest = nullptr;
        double best = 0;
        for (const City& city : geo->Cities()) {
            const double dx = (city.place.lng - lng) * std::cos(lat * M_PI / 180);
            const double dy = city.place.lat - lat;
            if (!nearest || dx * dx + dy * dy < best) {
                nearest = &city;
                best = dx * dx + dy * dy;
            }
        }
        return nearest;
    };
    std::mt19937 random(8642);
    std::uniform_real_distribution<double> lat(-90, 90), lng(-180, 180), near(-0.3, 0.3);
    for (int i = 0; i < 20000; ++i) {
        const double y = i % 2 ? lat(random) : 15 + std::fmod(std::abs(lat(random)), 60);
        const double x = i % 2 ? lng(random) : -170 + std::fmod(std::abs(lng(random)), 120);
        EXPECT_EQ(geo->NearestCity(y, x), scan(y, x)) << y << "," << x;
    }
    for (const City& city : geo->Cities()) {
        const double y = city.place.lat + near(random), x = city.place.lng + near(random);
        ASSERT_EQ(geo->NearestCity(y, x), scan(y, x)) << y << "," << x;
    }
    EXPECT_EQ(geo->NearestCity(90, 180), scan(90, 180));
    EXPECT_EQ(geo->NearestCity(std::nan(""), 0), nullptr);
}

// At continent zoom a state line is drawn only between regions of one
// country: no state line runs along the 49th parallel border (the lines
// between provinces and between states may end on it).
TEST(Overview, TheCountriesBorderIsNoStateLine) {
    std::ifstream file(std::string(ORBISK_SERVER_DATA_DIR) + "/web/overview.json");
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    ASSERT_FALSE(text.empty());
    const std::regex line(R"(\[((?:\[-?[0-9.]+,-?[0-9.]+\],?)+)\])");
    const std::regex point(R"(\[(-?[0-9.]+),(-?[0-9.]+)\])");
    int alongBorder = 0, lines = 0;
    for (size_t at = text.find("\"kind\":\"region\""); at != std::string::npos;
         at = text.find("\"kind\":\"region\"", at + 1)) {
        const std::string feature = text.substr(at, text.find("\"kind\"", at + 1) - at);
        for (auto l = std::sregex_iterator(feature.begin(), feature.end(), line);
             l != std::sregex_iterator(); ++l, ++lines) {
            const std::string points = (*l)[1];
            double lastLng = 0, lastLat = 0;
            bool first = true;
            for (auto p = std::sregex_iterator(points.begin(), points.end(), point);
                 p != std::sregex_iterator(); ++p, first = false) {
                const double lng = std::stod((*p)[1]), lat = std::stod((*p)[2]);
                alongBorder += !first && std::abs(lat - 49) < 0.01 &&
                               std::abs(lastLat - 49) < 0.01 && lng > -123 && lng < -95.2 &&
                               std::abs(lng - lastLng) > 0.2;
                lastLng = lng;
                lastLat = lat;
            }
        }
    }
    EXPECT_GT(lines, 10);
    EXPECT_EQ(alongBorder, 0);
}

// Labels name towns as people write them, not the Census's legal names.
TEST_F(GeoDataTest, CityNamesAreTheTownsPlainNames) {
    for (const City& city : geo->Cities()) {
        const std::string lower = Lower(city.place.name);
        EXPECT_EQ(lower.find("(balance)"), std::string::npos) << city.place.name;
        EXPECT_NE(lower.rfind("city of ", 0), 0u) << city.place.name;
    }
    for (const auto& [name, region] :
         {std::pair{"Butte", "MT"}, std::pair{"Milford", "CT"}, std::pair{"Sammamish", "WA"}})
        EXPECT_TRUE(geo->CityIn(name, region)) << name;
}

// Invented places must agree with the world: a business near its search, on
// land; a listing at the zip or postal code of its own address.
TEST_F(GeoDataTest, DemoPlacesLieOnLandNearTheirAddress) {
    const DemoDirectory directory(*geo);
    for (const auto& row : Table("open_water.tsv")) {
        const double lat = std::stod(row[1]), lng = std::stod(row[2]);
        for (const char* keyword : {"pizza", "bank", "hotel"}) {
            for (int first : {1, 11, 21}) {
                for (const DemoBusiness& b :
                     directory.Search(keyword, lat, lng, first).businesses) {
                    EXPECT_FALSE(b.lat >= std::stod(row[3]) && b.lng >= std::stod(row[4]) &&
                                 b.lat <= std::stod(row[5]) && b.lng <= std::stod(row[6]))
                        << row[0] << ": " << b.title << " at " << b.lat << "," << b.lng;
                    EXPECT_LT(Kilometres(lat, lng, b.lat, b.lng), 25) << row[0];
                    EXPECT_FALSE(b.city.empty()) << row[0];
                }
            }
        }
    }
    // Listed as people write them: the town, not its district, and the
    // place's own area code.
    for (const auto& row : Table("demo_phone_areas.tsv")) {
        const auto businesses =
            directory.Search("pizza", std::stod(row[1]), std::stod(row[2]), 1).businesses;
        ASSERT_FALSE(businesses.empty()) << row[0];
        for (const DemoBusiness& b : businesses) {
            EXPECT_NE(row[3].find(b.areaCode), std::string::npos)
                << row[0] << ": " << b.areaCode << " in " << b.city;
            EXPECT_EQ(b.areaCode.size(), 3u) << row[0];
            EXPECT_EQ(b.city.find('('), std::string::npos) << row[0] << ": " << b.city;
            EXPECT_TRUE(std::isupper(static_cast<unsigned char>(b.city[0]))) << b.city;
        }
    }
    ASSERT_FALSE(directory.Listings().empty());
    for (const DemoListing& listing : directory.Listings()) {
        const auto code =
            listing.country == "CA" ? geo->PostalCode(listing.zip) : geo->Zip(listing.zip);
        ASSERT_TRUE(code) << listing.zip;
        EXPECT_LT(Kilometres(code->lat, code->lng, listing.lat, listing.lng), 1) << listing.name1;
    }
}

} // namespace
} // namespace orbisk::server
