// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"
#include "services/service_call_error.h"
#include "services/service_client.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

class ServiceClientTest : public ::testing::Test {
protected:
    ServiceContext Context() { return {&definitions, "", HttpTimeouts::ServiceCall()}; }

    test::FakeServices services;
    ServiceDefinitions definitions = services.Definitions();
};

TEST_F(ServiceClientTest, GetAppendsTheTextToThePath) {
    services.Answer("/phone", test::ReadTestData("answers/phone_lookup.html"));
    ServiceClient client(0, 0, Context(), nullptr);
    client.SetSlot(Npa, "202");
    client.SetSlot(Nxx, "456");
    client.SetSlot(Xxxx, "1414");
    const HttpAnswer answer = client.SendRequest();
    ASSERT_TRUE(answer);
    EXPECT_NE(answer->find("<!--record-->"), std::string::npos);
    EXPECT_EQ(client.LastRequest(), "npa=202&nxx=456&num=1414");
    const auto received = services.Requests().at(0);
    EXPECT_EQ(received.method, "GET");
    EXPECT_EQ(received.params.find("num")->second, "1414");
}

TEST_F(ServiceClientTest, PostSendsTheTextAsTheBody) {
    ServiceClient client(0, 1, Context(), nullptr);
    client.SetSlot(StreetNumber, "1600");
    client.SetSlot(StreetAddress, "Pennsylvania Ave");
    client.SetSlot(City, "Washington");
    client.SetSlot(State, "DC");
    EXPECT_TRUE(client.SendRequest()) << "a 404 page is an answer";
    const auto received = services.Requests().at(0);
    EXPECT_EQ(received.method, "POST");
    EXPECT_EQ(received.path, "/street1");
    EXPECT_EQ(received.body, "num=1600&street=Pennsylvania Ave&city=Washington&state=DC");
}

TEST_F(ServiceClientTest, RequestsTheDefinitionsCannotMakeAreNeverSent) {
    definitions.geocoders.erase(definitions.geocoders.begin() + 5);
    ServiceClient noGeocoder(5, 8, Context(), nullptr);
    EXPECT_FALSE(noGeocoder.SendRequest()) << "no geocoder of type 5";
    EXPECT_FALSE(noGeocoder.LastRequestSent());
    EXPECT_FALSE(ServiceClient(0, 7, Context(), nullptr).SendRequest())
        << "no request of search type 7";
    definitions.geocoders[0].requests[0].postType = 2;
    EXPECT_FALSE(ServiceClient(0, 0, Context(), nullptr).SendRequest());
    EXPECT_FALSE(ServiceClient(0, 0, {nullptr, "", {}}, nullptr).SendRequest());
    EXPECT_TRUE(services.Requests().empty());
    EXPECT_THROW(ServiceClient(6, 9, Context(), nullptr).SendRequest(), ServiceCallError)
        << "slots 15 and 16 were never added";
}

TEST_F(ServiceClientTest, MergeFillsOnlyEmptySlotsAndSplitsTheStreetLine) {
    ServiceClient client(0, 0, Context(), nullptr);
    client.SetSlot(City, "Typed City");
    client.MergeResults(test::ReadTestData("answers/phone_lookup.html"));
    EXPECT_EQ(client.Slot(City), "Typed City");
    EXPECT_EQ(client.Slot(State), "DC");
    EXPECT_EQ(client.Slot(Latitude), "38.897700");
    EXPECT_EQ(client.Slot(StreetNumber), "1600");
    EXPECT_EQ(client.Slot(StreetAddress), "Pennsylvania Ave NW");
    EXPECT_EQ(client.Slot(Name2), "Visitor Office");
}

TEST_F(ServiceClientTest, ListModeReplacesTheSlotsWithEveryRecord) {
    services.Answer("/ca-search", test::ReadTestData("answers/local_search_ca.txt"));
    ServiceClient client(6, 9, Context(), nullptr);
    client.SetSlot(Latitude, "45.42");
    client.SetSlot(Longitude, "-75.70");
    client.AddSlot("pizza%20place");
    client.AddSlot("1");
    const HttpAnswer answer = client.SendRequest();
    ASSERT_TRUE(answer);
    EXPECT_EQ(client.LastRequest(), "lat=45.42&lng=-75.70&q=pizza%20place&first=1");
    client.MergeResults(*answer);
    ASSERT_EQ(client.Slots().size(), 60u);
    EXPECT_EQ(client.Slot(15 + Name1), "Rideau Slice (demo)");
    EXPECT_EQ(client.Slot(30 + Latitude), "45.4280");
}

TEST(ServiceClientSlots, SplitStreetLineFillsOnlyWhatIsEmpty) {
    struct Case {
        const char* line;
        const char* number;
        const char* street;
    };
    const Case cases[] = {{" 1600 Pennsylvania Ave ", "1600", "Pennsylvania Ave"},
                          {"Main St", "", "Main St"},
                          {"1600", "", ""},
                          {"", "", ""},
                          {"12B Baker St", "12", "B Baker St"}};
    for (const Case& c : cases) {
        ServiceClient client(0, 0, {}, nullptr);
        client.SetSlot(StreetLine, c.line);
        client.SplitStreetLine();
        EXPECT_EQ(client.Slot(StreetNumber), c.number) << c.line;
        EXPECT_EQ(client.Slot(StreetAddress), c.street) << c.line;
    }
    ServiceClient typed(0, 0, {}, nullptr);
    typed.SetSlot(StreetLine, "10 Downing St");
    typed.SetSlot(StreetNumber, "11");
    typed.SplitStreetLine();
    EXPECT_EQ(typed.Slot(StreetNumber), "11");
    EXPECT_EQ(typed.Slot(StreetAddress), "Downing St");
}

} // namespace
} // namespace orbisk
