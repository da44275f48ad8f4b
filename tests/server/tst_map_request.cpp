// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_request.h"
#include "protocol/parameter_codec.h"

#include <gtest/gtest.h>

namespace orbisk::server {
namespace {

std::string Encoded(const std::string& text) {
    std::string out;
    EXPECT_TRUE(ParameterCodec().Encode(text, out));
    return out;
}

TEST(ParseQueryKeys, SplitsOnlyBeforeUpperCaseKeys) {
    const auto keys =
        ParseQueryKeys("SH=2&NS=2&STR=Tom & Jerry Ln&INFO0=a=b&c&INFO1=&lower=x&ZOOM=6");
    ASSERT_EQ(keys.size(), 6u);
    EXPECT_EQ(keys[2], (std::pair<std::string, std::string>{"STR", "Tom & Jerry Ln"}));
    EXPECT_EQ(keys[3].second, "a=b&c");
    EXPECT_EQ(keys[4].second, "&lower=x");
    EXPECT_EQ(keys[5].second, "6");
    EXPECT_EQ(ParseQueryKeys("&NS=3&CLAT=1").front().first, "NS");
    EXPECT_TRUE(ParseQueryKeys("").empty());
    EXPECT_TRUE(ParseQueryKeys("no keys here").empty());
}

TEST(ParseMapBody, ReadsTheThreeBodyForms) {
    const std::string q = "SH=3&NS=3&LAT=1&LNG=2&WI=600";
    const std::string w =
        "Q=" + Encoded(q) + "&L=" + Encoded("<ResultSet/>") + "&M=" + Encoded("<DataSet/>");
    MapRequest request = ParseMapBody("QLM=" + Encoded(w));
    EXPECT_TRUE(request.hasQuery);
    EXPECT_EQ(request.Get("WI"), "600");
    EXPECT_EQ(request.resultsXml, "<ResultSet/>");
    EXPECT_EQ(request.markersXml, "<DataSet/>");

    request = ParseMapBody("Q=" + Encoded(q) + "E=Local search zip errorE=QLM zip error");
    EXPECT_TRUE(request.hasQuery);
    EXPECT_EQ(request.Get("LAT"), "1");
    EXPECT_EQ(request.errors,
              (std::vector<std::string>{"Local search zip error", "QLM zip error"}));

    std::string escaped = "QLM=" + Encoded(w);
    for (size_t at = escaped.find('@'); at != std::string::npos; at = escaped.find('@', at))
        escaped.replace(at, 1, "%40");
    EXPECT_EQ(ParseMapBody(escaped).markersXml, "<DataSet/>") << "as an HTML form posts it";

    request = ParseMapBody("E=parameter zip error");
    EXPECT_FALSE(request.hasQuery);
    EXPECT_EQ(request.errors, std::vector<std::string>{"parameter zip error"});
}

TEST(ParseMapBody, GarbageIsNoRequest) {
    for (const std::string& body : std::vector<std::string>{
             "", "QLM=", "QLM=@@@@", "QLM=" + Encoded("no parts"), "Q=ZZZZ", "hello"})
        EXPECT_FALSE(ParseMapBody(body).hasQuery) << body;
}

TEST(ParseMapBody, AcceptsMarkerSetsBeyondTheClientsDecodeLimit) {
    const std::string markers = "<DataSet>" + std::string(300000, ' ') + "</DataSet>";
    const std::string w =
        "Q=" + Encoded("&NS=3&WI=600&HE=370&TYPE=8") + "&L=&M=" + Encoded(markers);
    EXPECT_EQ(ParseMapBody("QLM=" + Encoded(w)).markersXml.size(), markers.size());
}

} // namespace
} // namespace orbisk::server
