// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"
#include "raw_http_server.h"
#include "services/geocode.h"

#include <chrono>
#include <gtest/gtest.h>

namespace orbisk {
namespace {

using test::FakeServices;
using test::ReadTestData;

std::string CityAnswer(const std::string& lat, const std::string& lng, const std::string& city,
                       const std::string& state) {
    return "<Place><Lat>" + lat + "</Lat><Lng>" + lng + "</Lng><City>" + city + "</City><State>" +
           state + "</State></Place>";
}

std::string Param(const FakeServices::Received& received, const std::string& name) {
    const auto found = received.params.find(name);
    return found == received.params.end() ? "<absent>" : found->second;
}

class GeocodeTest : public ::testing::Test {
protected:
    GeocodeResult Run(LocateMode mode, const LocationInputs& inputs) {
        return Geocode(mode, inputs, {&definitions, "", HttpTimeouts::ServiceCall()}, 11);
    }
    static LocationInputs Phone(const char* npa, const char* nxx, const char* xxxx) {
        LocationInputs inputs;
        inputs.npa = npa;
        inputs.nxx = nxx;
        inputs.xxxx = xxxx;
        return inputs;
    }
    static LocationInputs Street(const char* number, const char* street, const char* city,
                                 const char* state, const char* country = "United States") {
        LocationInputs inputs;
        inputs.streetNumber = number;
        inputs.streetAddress = street;
        inputs.city = city;
        inputs.state = state;
        inputs.country = country;
        return inputs;
    }
    static LocationInputs ZipInput(const char* zip) {
        LocationInputs inputs;
        inputs.zip = zip;
        return inputs;
    }

    FakeServices services;
    ServiceDefinitions definitions = services.Definitions();
};

TEST_F(GeocodeTest, PhoneDirectHitGivesThePlaceAndThreeLines) {
    services.Answer("/phone", ReadTestData("answers/phone_lookup.html"));
    const GeocodeResult result = Run(LocateMode::Phone, Phone("202", "456", "1414"));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.latitude, "38.897700");
    EXPECT_EQ(result.longitude, "-77.036500");
    EXPECT_EQ(result.zoomOverride, "-1");
    EXPECT_EQ(result.infoLines, (InfoLines{"Phone: (202) 456-1414", "White House Visitor Office",
                                           "1600 Pennsylvania Ave NW, Washington, DC 20500"}));
    EXPECT_FALSE(result.canadian);
    EXPECT_EQ(result.markerSetCountry, "United States");
    EXPECT_EQ(services.Paths(), std::vector<std::string>{"/phone"});
}

TEST_F(GeocodeTest, PhoneWithoutCityOrStateFallsBackToTheExchangeCoarsely) {
    services.Answer("/phone", "<!--record-->name1=Unlisted<!--/record-->");
    services.Answer("/exchange", ReadTestData("answers/exchange.xml"));
    const GeocodeResult result = Run(LocateMode::Phone, Phone("202", "456", "0000"));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.latitude, "38.8951");
    EXPECT_EQ(result.longitude, "-77.0364");
    EXPECT_EQ(result.zoomOverride, "11");
    EXPECT_EQ(result.infoLines, (InfoLines{"", "Unlisted ", "Washington, DC"}));
    const auto exchange = services.Requests().at(1);
    EXPECT_EQ(Param(exchange, "npa") + Param(exchange, "nxx"), "202456");
}

TEST_F(GeocodeTest, AnExchangeInAProvinceIsCanadian) {
    services.Answer("/exchange",
                    "<Exchange><Place><Lat>46.81</Lat><Lon>71.21</Lon><City>Quebec</City>"
                    "<State>qc </State></Place></Exchange>");
    const GeocodeResult result = Run(LocateMode::Phone, Phone("418", "555", "0100"));
    EXPECT_TRUE(result.success);
    EXPECT_TRUE(result.canadian);
    EXPECT_EQ(result.markerSetCountry, "Canada");
    EXPECT_EQ(result.infoLines, (InfoLines{"", "Unknown number", "Quebec, qc "}));
}

TEST_F(GeocodeTest, PhoneWithCityAndStateButNoCoordinatesTriesTheAddressServices) {
    services.Answer("/phone",
                    "<!--record-->street=12 Elm St&city=Springfield&state=IL<!--/record-->");
    services.Answer("/street2", "coords 39.78,-89.65; ok");
    const GeocodeResult result = Run(LocateMode::Phone, Phone("217", "555", "0199"));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.latitude + " " + result.longitude, "39.78 -89.65");
    EXPECT_EQ(result.zoomOverride, "-1");
    EXPECT_EQ(services.Paths(), (std::vector<std::string>{"/phone", "/street2"}));
    EXPECT_EQ(services.Requests()[1].body, "num=12&street=Elm St&city=Springfield&state=IL");
}

TEST_F(GeocodeTest, ZeroOrEasternCoordinatesAreNoDirectHit) {
    services.Answer("/phone", "<!--record-->lat=0&lng=-77&city=Washington&state=DC<!--/record-->");
    services.Answer("/city", CityAnswer("38.9", "-77.0", "Washington", "DC"));
    GeocodeResult result = Run(LocateMode::Phone, Phone("202", "456", "1414"));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.latitude, "38.900000") << "found by the city lookup, not the zero latitude";
    services.Answer("/phone", "<!--record-->lat=48.85&lng=2.35&city=Paris&state=TX<!--/record-->");
    result = Run(LocateMode::Phone, Phone("903", "555", "0100"));
    EXPECT_EQ(result.latitude, "38.900000");
}

TEST_F(GeocodeTest, APhoneLookupThatFindsNothingFails) {
    const GeocodeResult result = Run(LocateMode::Phone, Phone("999", "555", "0000"));
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.latitude + result.longitude, "");
    EXPECT_EQ(result.zoomOverride, "-1");
    EXPECT_EQ(result.infoLines, (InfoLines{"", "", ""}));
    EXPECT_EQ(services.Paths(), (std::vector<std::string>{"/phone", "/exchange"}));
}

TEST_F(GeocodeTest, ZipCodesAskTheZipServiceInTheUnitedStates) {
    services.Answer("/zip", CityAnswer("38.8977", "-77.0365", "Washington", "DC"));
    const GeocodeResult result = Run(LocateMode::Zip, ZipInput(" 20502 "));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.latitude, "38.897700");
    EXPECT_EQ(result.longitude, "-77.036500");
    EXPECT_EQ(result.infoLines, (InfoLines{"", "Zip Code: 20502", "Washington, DC"}));
    const auto received = services.Requests().at(0);
    EXPECT_EQ(Param(received, "zip") + "/" + Param(received, "country"), "20502/US");
}

TEST_F(GeocodeTest, NeitherZipNorPostalCodeMeansNoRequestAtAll) {
    for (const char* zip : {"20502-1234", "123456", "", "abc"}) {
        const GeocodeResult result = Run(LocateMode::Zip, ZipInput(zip));
        EXPECT_FALSE(result.success) << zip;
    }
    EXPECT_TRUE(services.Requests().empty());
}

TEST_F(GeocodeTest, AZeroCoordinateFailsTheZipLookup) {
    services.Answer("/zip", CityAnswer("38.8977", "0", "Nowhere", "DC"));
    EXPECT_FALSE(Run(LocateMode::Zip, ZipInput("20502")).success);
}

TEST_F(GeocodeTest, PostalCodesAreCanadianAndAskThePostalService) {
    services.Answer("/postal", ReadTestData("answers/split_non_number.txt"));
    const GeocodeResult result = Run(LocateMode::Zip, ZipInput("k1a 0b1"));
    EXPECT_TRUE(result.success);
    EXPECT_TRUE(result.canadian);
    EXPECT_EQ(result.markerSetCountry, "Canada");
    EXPECT_EQ(result.latitude + " " + result.longitude, "45.500000 -73.600000");
    EXPECT_EQ(result.infoLines, (InfoLines{"", "Postal Code: K1A0B1"}));
    EXPECT_EQ(Param(services.Requests().at(0), "code"), "K1A0B1");
}

TEST_F(GeocodeTest, AnUnknownStreetFallsBackToItsCity) {
    services.Answer("/city",
                    [](const FakeServices::Received& received) -> std::optional<std::string> {
                        if (Param(received, "street") != "")
                            return std::nullopt;
                        return CityAnswer("39.7817", "-89.6501", "Springfield", "IL");
                    });
    const GeocodeResult result =
        Run(LocateMode::Street, Street("9", "Nowhere Ln", "Springfield", "IL"));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.latitude + " " + result.longitude, "39.781700 -89.650100");
    EXPECT_EQ(result.zoomOverride, "11");
    ASSERT_EQ(result.infoLines.size(), 3u);
    EXPECT_EQ(result.infoLines[2], "9 Nowhere Ln, Springfield, IL (Street not found)");
    EXPECT_EQ(services.Paths(),
              (std::vector<std::string>{"/street1", "/street2", "/city", "/city"}));
}

TEST_F(GeocodeTest, AKnownCityWithoutStreetIsCoarse) {
    services.Answer("/city", CityAnswer("39.7817", "-89.6501", "Springfield", "IL"));
    const GeocodeResult result = Run(LocateMode::Street, Street("", "", "Springfield", "IL"));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.zoomOverride, "11");
    EXPECT_EQ(result.infoLines.at(2), "Springfield, IL");
}

TEST_F(GeocodeTest, CanadianAddressesGoToThePostalServiceWithoutTheSuffix) {
    services.Answer("/caddress", "id: 45.4236,-75.7009");
    const GeocodeResult result =
        Run(LocateMode::Street, Street("111", "Wellington St", "Ottawa", "ON", "Canada"));
    EXPECT_TRUE(result.success);
    EXPECT_TRUE(result.canadian);
    EXPECT_EQ(result.latitude, "45.423600");
    EXPECT_EQ(services.Paths(), (std::vector<std::string>{"/street1", "/caddress"}));
    EXPECT_EQ(services.Requests()[1].body, "num=111&street=Wellington&city=Ottawa&prov=ON");
}

TEST_F(GeocodeTest, CanadianCitiesAreAskedWithTheCanadianCountry) {
    services.Answer("/city", CityAnswer("45.4236", "-75.7009", "Ottawa", "ON"));
    const GeocodeResult result =
        Run(LocateMode::Street, Street("1", "Nowhere Rd", "Ottawa", "ON", "Canada"));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(Param(services.Requests().back(), "country"), "CA");
    EXPECT_EQ(Param(services.Requests().back(), "street"), "Nowhere Rd");
}

TEST_F(GeocodeTest, AnErrorInOneStepMovesTheCascadeOn) {
    definitions.geocoders[2].requests[0].slotIndices = {3, 4, 6, 30};
    services.Answer("/city", CityAnswer("39.7817", "-89.6501", "Springfield", "IL"));
    const GeocodeResult result =
        Run(LocateMode::Street, Street("9", "Elm St", "Springfield", "IL"));
    EXPECT_TRUE(result.success);
    EXPECT_EQ(services.Paths(), (std::vector<std::string>{"/street1", "/city"}));
}

TEST_F(GeocodeTest, LatLngModeNeedsNoLookup) {
    EXPECT_FALSE(Run(LocateMode::LatLng, LocationInputs::BuiltInDefaults()).success);
    EXPECT_TRUE(services.Requests().empty());
}

TEST_F(GeocodeTest, ASilentServiceEndsTheLocateWithinItsTimeout) {
    test::RawHttpServer silent("");
    for (GeoCoderDefinition& geocoder : definitions.geocoders)
        for (RequestDefinition& request : geocoder.requests)
            request.server = silent.Host();
    const auto start = std::chrono::steady_clock::now();
    const GeocodeResult result = Geocode(LocateMode::Phone, Phone("202", "456", "1414"),
                                         {&definitions, "", {500, 1000, 1500}}, 6);
    EXPECT_FALSE(result.success);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
} // namespace orbisk
