// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"
#include "protocol/parameter_codec.h"
#include "services/service_call_error.h"
#include "services/service_definitions.h"
#include "temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace orbisk {
namespace {

ServiceDefinitions Parsed(const std::string& settingBody,
                          const std::string& settingAttributes = "") {
    ServiceDefinitions definitions;
    EXPECT_TRUE(definitions.ParseDefinitions("<Root><GeoCoderSetting" + settingAttributes + ">" +
                                             settingBody + "</GeoCoderSetting></Root>"));
    return definitions;
}

TEST(ParseDefinitions, ReadsTheWholeTestFile) {
    const ServiceDefinitions definitions = test::FakeServices().Definitions();
    EXPECT_EQ(definitions.definitionVersion, 7);
    ASSERT_EQ(definitions.geocoders.size(), 7u);
    const GeoCoderDefinition* phone = definitions.FindGeoCoder(0);
    ASSERT_NE(phone, nullptr);
    ASSERT_NE(phone->FindRequest(1), nullptr);
    EXPECT_EQ(phone->FindRequest(1)->slotIndices, (std::vector<int>{3, 4, 6, 7}));
    EXPECT_EQ(phone->FindRequest(1)->postType, 0);
    EXPECT_EQ(phone->FindRequest(0)->path, "/phone?");
    EXPECT_EQ(phone->FindRequest(9), nullptr);
    ASSERT_EQ(phone->results.size(), 1u);
    EXPECT_EQ(phone->results[0].slotKeys[Latitude], "lat");
    EXPECT_EQ(phone->results[0].FindParam("ParagraphID"), "<!--record-->");
    EXPECT_EQ(definitions.FindGeoCoder(6)->listMode, 1);
    EXPECT_EQ(definitions.FindGeoCoder(5)->results.size(), 0u);
    EXPECT_EQ(definitions.defaultInputs.city, "Ottawa");
    EXPECT_EQ(definitions.defaultInputs.zip, "") << "an absent attribute assigns empty text";
    EXPECT_EQ(definitions.newUpdate.ver, "1.2");
    EXPECT_EQ(definitions.fixedStrings.At(0), "http://127.0.0.1:8642/webpages/Downloads.htm");
    EXPECT_NE(definitions.fixedStrings.At(1), "127.0.0.1:8642");
}

TEST(ParseDefinitions, VersionAndGeoCoderTypesByTheLeadingInteger) {
    EXPECT_EQ(Parsed("").definitionVersion, -1);
    EXPECT_EQ(Parsed("", " Ver=\"\"").definitionVersion, -1);
    EXPECT_EQ(Parsed("", " Ver=\"x\"").definitionVersion, 0);
    EXPECT_EQ(Parsed("", " Ver=\" 12b\"").definitionVersion, 12);
    const auto definitions =
        Parsed("<GeoCoder Type=\"7\"/><GeoCoder Type=\"-1\"/><GeoCoder Type=\"3abc\"/><GeoCoder/>"
               "<GeoCoder Type=\"3\"><Results Type=\"2\"/></GeoCoder>");
    ASSERT_EQ(definitions.geocoders.size(), 3u);
    EXPECT_EQ(definitions.geocoders[0].type, 3);
    EXPECT_EQ(definitions.geocoders[1].type, 0);
    EXPECT_EQ(definitions.FindGeoCoder(3), &definitions.geocoders[0]) << "the first of a type wins";
}

TEST(ParseDefinitions, RequestsKeepEveryChildAndDropNegativeIndices) {
    const auto definitions = Parsed(
        "<GeoCoder Type=\"4\"><Requests>"
        "<A SearchType=\"6\" Server=\"h\" Path=\"/p\" Format=\"%s\"><RequestProperty Index=\"-2\"/>"
        "<Other Index=\"3\"/><RequestProperty Index=\"10\"/></A>"
        "<B SearchType=\"6\" PostType=\"1\"/><C SearchType=\"7\" "
        "PostType=\"2\"/></Requests></GeoCoder>");
    const GeoCoderDefinition& geocoder = definitions.geocoders.at(0);
    ASSERT_EQ(geocoder.requests.size(), 3u);
    EXPECT_EQ(geocoder.requests[0].slotIndices, std::vector<int>{10});
    EXPECT_EQ(geocoder.requests[0].postType, 0) << "absent PostType is POST";
    EXPECT_EQ(geocoder.FindRequest(6), &geocoder.requests[0]);
    EXPECT_EQ(geocoder.FindRequest(7)->postType, 2);
}

TEST(ParseDefinitions, ResultsDropUnknownMethodsAndOutOfRangeSlots) {
    const auto definitions = Parsed(
        "<GeoCoder Type=\"1\"><Results Type=\"\"><R Method=\"4\"/><R Method=\"-1\"/>"
        "<R Method=\"2\"><ResultParameters><P Name=\"Seperator\" Value=\",\"/><P Value=\"v\"/>"
        "<P Name=\"Seperator\" Value=\";\"/></ResultParameters><ResultProperties>"
        "<ResultProperty Index=\"15\" Value=\"x\"/><ResultProperty Index=\"2\" Value=\"a\"/>"
        "<ResultProperty Index=\"2\" Value=\"b\"/><Other Index=\"3\" "
        "Value=\"c\"/></ResultProperties></R>"
        "</Results></GeoCoder>");
    const GeoCoderDefinition& geocoder = definitions.geocoders.at(0);
    EXPECT_EQ(geocoder.listMode, 0);
    ASSERT_EQ(geocoder.results.size(), 1u);
    const ResultDefinition& result = geocoder.results[0];
    EXPECT_EQ(result.method, ExtractMethod::SeparatedFields);
    EXPECT_EQ(result.FindParam("Seperator"), ",") << "the first pair of a name is found";
    EXPECT_EQ(result.FindParam(""), "v");
    EXPECT_FALSE(result.FindParam("seperator").has_value());
    EXPECT_EQ(result.ParamCount(), 3u);
    std::string name = "x", value = "y";
    EXPECT_TRUE(result.ParamAt(2, name, value));
    EXPECT_EQ(value, ";");
    EXPECT_FALSE(result.ParamAt(3, name, value));
    EXPECT_EQ(name + value, "");
    EXPECT_EQ(result.slotKeys[2], "b");
    EXPECT_EQ(result.slotKeys[3], "");
}

TEST(ParseDefinitions, KeyStringsCountEveryKeyStringAndAppendBeyondTheEnd) {
    auto definitions = Parsed("<KeyStrings><KeyString>zero</KeyString><Note>x</Note><KeyString/>"
                              "<KeyString>two</KeyString></KeyStrings>");
    EXPECT_EQ(definitions.fixedStrings.At(0), "zero");
    EXPECT_EQ(definitions.fixedStrings.At(1), "127.0.0.1:8642");
    EXPECT_EQ(definitions.fixedStrings.At(2), "two");
    std::string many = "<KeyStrings>";
    for (int i = 0; i < 20; ++i)
        many += "<KeyString/>";
    definitions = Parsed(many + "<KeyString>twenty</KeyString></KeyStrings>");
    ASSERT_EQ(definitions.fixedStrings.Count(), 15u);
    EXPECT_EQ(definitions.fixedStrings.At(14), "twenty");
}

TEST(ParseDefinitions, AReparseReplacesGeocodersButKeepsTheOtherParts) {
    ServiceDefinitions definitions;
    ASSERT_TRUE(definitions.ParseDefinitions(
        "<R><GeoCoderSetting Ver=\"3\"><GeoCoder Type=\"1\"/><MapInitialStatus Zip=\"90210\"/>"
        "<NewUpdate Ver=\"2.0\"/></GeoCoderSetting></R>"));
    EXPECT_EQ(definitions.defaultInputs.zip, "90210");
    EXPECT_EQ(definitions.defaultInputs.city, "");
    ASSERT_TRUE(definitions.ParseDefinitions("<R><GeoCoderSetting/></R>"));
    EXPECT_TRUE(definitions.geocoders.empty());
    EXPECT_EQ(definitions.definitionVersion, -1);
    EXPECT_EQ(definitions.defaultInputs.zip, "90210");
    EXPECT_EQ(definitions.newUpdate.ver, "2.0");
    ASSERT_TRUE(definitions.ParseDefinitions(
        "<GeoCoderSetting Ver=\"5\"><GeoCoder Type=\"1\"/></GeoCoderSetting>"));
    EXPECT_TRUE(definitions.geocoders.empty()) << "the document element itself is not examined";
    EXPECT_FALSE(definitions.ParseDefinitions("<R><GeoCoderSetting></R>"));
    EXPECT_FALSE(definitions.ParseDefinitions(""));
}

TEST(FormatRequest, FillsEachPercentSInOrder) {
    RequestDefinition request;
    request.format = "q=%s+%s&st=%s&pct=100%%";
    request.slotIndices = {3, 4, 7};
    std::vector<std::string> slots(15);
    slots[3] = "1600";
    slots[4] = "Pennsylvania Ave";
    slots[7] = "DC";
    EXPECT_EQ(FormatRequest(request, slots), "q=1600+Pennsylvania Ave&st=DC&pct=100%");
    slots[4] = "%s%n%d";
    EXPECT_EQ(FormatRequest(request, slots), "q=1600+%s%n%d&st=DC&pct=100%")
        << "values are not patterns";
}

TEST(FormatRequest, RefusesRequestsThatCouldReadBeyondTheirValues) {
    std::vector<std::string> slots(15, "v");
    RequestDefinition request;
    request.format = "";
    EXPECT_FALSE(FormatRequest(request, slots)) << "no indices";
    request.slotIndices = std::vector<int>(16, 0);
    request.format = std::string(16 * 2, 's');
    for (size_t i = 0; i < 16; ++i)
        request.format[2 * i] = '%';
    EXPECT_FALSE(FormatRequest(request, slots)) << "more than 15 indices";
    request.slotIndices = {1, 2};
    for (const char* format : {"%s", "%s%s%s", "%s%d", "%s %s%", "%s%5s", "%s%n%s", "a=%s&b=%S"})
        EXPECT_FALSE(FormatRequest({0, 0, "", "", format, {1, 2}}, slots)) << format;
    EXPECT_EQ(FormatRequest({0, 0, "", "", "%s%%%s", {1, 2}}, slots), "v%v");
}

TEST(FormatRequest, AnIndexBeyondTheSlotsAbortsTheCall) {
    const std::vector<std::string> slots(15);
    EXPECT_THROW(FormatRequest({0, 0, "", "", "%s", {15}}, slots), ServiceCallError);
    std::vector<std::string> extended(17);
    EXPECT_EQ(FormatRequest({0, 0, "", "", "%s", {16}}, extended), "");
}

class LoadDefinitionFileTest : public ::testing::Test {
protected:
    void Write(const std::string& content) {
        std::ofstream(dir / "Map.dat", std::ios::binary) << content;
    }
    std::vector<std::string> Load() {
        std::vector<std::string> messages;
        definitions.LoadDefinitionFile(ProgramFiles(dir.Path().string()),
                                       [&](const std::string& m) { messages.push_back(m); });
        return messages;
    }

    test::TempDir dir;
    ServiceDefinitions definitions;
};

TEST_F(LoadDefinitionFileTest, DecodesTheEncodedFile) {
    std::string encoded;
    ASSERT_TRUE(ParameterCodec().Encode("<R><GeoCoderSetting Ver=\"4\"><GeoCoder "
                                        "Type=\"2\"/><GeoCoder Type=\"4\"/></GeoCoderSetting></R>",
                                        encoded));
    Write(encoded);
    EXPECT_TRUE(Load().empty());
    EXPECT_EQ(definitions.definitionVersion, 4);
    EXPECT_EQ(definitions.geocoders.size(), 2u);
}

TEST_F(LoadDefinitionFileTest, ReportsMissingUndecodableAndMalformedFiles) {
    const std::string expected =
        "Failed to load configuration file " + (dir / "Map.dat").string() + "!";
    EXPECT_EQ(Load(), std::vector<std::string>{expected});
    Write("<R><GeoCoderSetting/></R>");
    EXPECT_EQ(Load(), std::vector<std::string>{expected}) << "plain XML is not a definition file";
    std::string encoded;
    ParameterCodec().Encode("<R><GeoCoderSetting></R>", encoded);
    Write(encoded);
    EXPECT_EQ(Load(), std::vector<std::string>{expected});
    std::filesystem::remove(dir / "Map.dat");
    std::filesystem::create_directory(dir / "Map.dat");
    EXPECT_EQ(Load(), std::vector<std::string>{expected});
}

TEST_F(LoadDefinitionFileTest, AFailedLoadKeepsThePreviousDefinitions) {
    ASSERT_TRUE(definitions.ParseDefinitions(
        "<R><GeoCoderSetting Ver=\"9\"><GeoCoder Type=\"2\"/></GeoCoderSetting></R>"));
    Write("garbage that decodes to nothing");
    EXPECT_EQ(Load().size(), 1u);
    EXPECT_EQ(definitions.geocoders.size(), 1u);
    EXPECT_EQ(definitions.definitionVersion, 9);
}

} // namespace
} // namespace orbisk
