// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/locate_remark.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

// Each case sets the fields of one mode, from the built-in inputs.
struct RemarkCase {
    LocateMode mode;
    const char* first;  // area code, zip, street or latitude
    const char* second; // exchange, -, city or longitude
    const char* remark;
};

TEST(LocateRemark, SaysWhatIsPlainlyWrongWithTheTypedPlace) {
    using M = LocateMode;
    const RemarkCase kCases[] = {
        {M::Phone, "202", "456", ""},
        {M::Phone, "20", "456", "The area code has 2 digits; it needs 3"},
        {M::Phone, "", "", "The area code has 0 digits; it needs 3"},
        {M::Phone, "120", "456", "No area code begins with 1 (120)"},
        {M::Phone, "202", "056", "No exchange begins with 0 (056)"},
        {M::Phone, "202", "4", "The exchange has 1 digit; it needs 3"},
        {M::Zip, "20502", "", ""},
        {M::Zip, "K1A 0B1", "", ""},
        {M::Zip, "k1a0b1", "", ""},
        {M::Zip, "2050", "", "A zip code has 5 digits; 2050 has 4"},
        {M::Zip, " ", "", "No zip or postal code given"},
        {M::Zip, "K1A 0B", "",
         "K1A 0B is neither a zip code (5 digits) nor a postal code (A1A 1A1)"},
        {M::Street, "Pennsylvania Ave", "Washington", ""},
        {M::Street, "", "Washington", "No street given: the map will show the city"},
        {M::LatLng, "38.898748", "-77.037684", ""},
        {M::LatLng, "-90", "180", ""},
        {M::LatLng, "200", "-77", "Latitude 200 is out of range (-90 to 90)"},
        {M::LatLng, "40", "-180.5", "Longitude -180.5 is out of range (-180 to 180)"},
        {M::LatLng, "40,7", "-74", "Latitude 40,7 is not a number"},
        {M::LatLng, "-", "-74", "Latitude - is not a number"},
        {M::LatLng, "40.7", "", "No longitude given"},
    };
    for (const RemarkCase& c : kCases) {
        LocationInputs in = LocationInputs::BuiltInDefaults();
        switch (c.mode) {
        case M::Phone:
            in.npa = c.first;
            in.nxx = c.second;
            break;
        case M::Zip: in.zip = c.first; break;
        case M::Street:
            in.streetAddress = c.first;
            in.city = c.second;
            break;
        case M::LatLng:
            in.latitude = c.first;
            in.longitude = c.second;
            break;
        }
        EXPECT_EQ(LocateRemark(c.mode, in), c.remark) << c.first << " / " << c.second;
    }
    LocationInputs none = LocationInputs::BuiltInDefaults();
    none.npa = none.nxx = none.xxxx = "";
    EXPECT_EQ(LocateRemark(M::Phone, none), "No telephone number given");
    none.city = none.state = "";
    EXPECT_EQ(LocateRemark(M::Street, none), "No city or state given");
}

} // namespace
} // namespace orbisk
