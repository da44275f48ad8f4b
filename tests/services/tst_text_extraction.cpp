// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"
#include "services/service_call_error.h"
#include "services/text_extraction.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

using test::ReadTestData;
using Params = std::vector<std::pair<std::string, std::string>>;

ResultDefinition Definition(ExtractMethod method, Params params,
                            std::vector<std::pair<size_t, std::string>> keys) {
    ResultDefinition definition;
    definition.method = method;
    definition.params = std::move(params);
    for (auto& [slot, key] : keys)
        definition.slotKeys[slot] = key;
    return definition;
}

const Params kLatParagraph = {{"ParagraphID", "Lat:"},
                              {"BeginingString", "</b>"},
                              {"BeginingStringOffset", "0"},
                              {"EndingString", "<br>"}};

TEST(FindParagraph, CutsBetweenTheMarksAfterTheParagraph) {
    const std::string page = ReadTestData("answers/phone_lookup.html");
    const Paragraph lat =
        FindParagraph(page, Definition(ExtractMethod::ParagraphPairs, kLatParagraph, {}), 0);
    ASSERT_TRUE(lat.found);
    EXPECT_EQ(lat.value, "40.1");
    EXPECT_EQ(page.substr(lat.end, 4), "<br>");

    Params toEnd = kLatParagraph;
    toEnd[3].second = "";
    const Paragraph rest =
        FindParagraph(page, Definition(ExtractMethod::ParagraphPairs, toEnd, {}), 0);
    EXPECT_EQ(rest.value, page.substr(page.find("40.1")));
    EXPECT_EQ(rest.end, static_cast<long long>(page.size()));
}

TEST(FindParagraph, NeedsEveryMarkItUses) {
    const std::string answer = "xx Lat:</b>40.1<br>";
    const auto find = [&](Params params, long long start = 0) {
        return FindParagraph(
            answer, Definition(ExtractMethod::ParagraphPairs, std::move(params), {}), start);
    };
    EXPECT_FALSE(
        find({{"BeginingString", "</b>"}, {"BeginingStringOffset", "0"}, {"EndingString", "<br>"}})
            .found);
    EXPECT_FALSE(
        find({{"ParagraphID", "Lat:"}, {"BeginingString", "</b>"}, {"EndingString", "<br>"}}).found)
        << "a non-empty BeginingString needs its offset";
    EXPECT_FALSE(
        find({{"ParagraphID", "Lat:"}, {"BeginingString", "</b>"}, {"BeginingStringOffset", "0"}})
            .found);
    EXPECT_FALSE(find(kLatParagraph, 4).found)
        << "the paragraph is searched from the start position";
    EXPECT_FALSE(find(kLatParagraph, -1).found);
    EXPECT_FALSE(find(kLatParagraph, 1000).found);
    const Paragraph empty =
        find({{"ParagraphID", ""}, {"BeginingString", ""}, {"EndingString", ""}}, 7);
    EXPECT_TRUE(empty.found);
    EXPECT_EQ(empty.value, answer) << "an empty ParagraphID ignores the start";
}

TEST(FindParagraph, OffsetsCountFromTheParagraphAndMayBeNegative) {
    const std::string answer = "a=</b>1<br> Lat: </b>2<br>";
    Params params = kLatParagraph;
    params[2].second = "-12";
    EXPECT_EQ(FindParagraph(answer, Definition(ExtractMethod::ParagraphPairs, params, {}), 0).value,
              "1");
    params[2].second = "-99";
    EXPECT_FALSE(
        FindParagraph(answer, Definition(ExtractMethod::ParagraphPairs, params, {}), 0).found);
    params = {{"ParagraphID", "Lat:"},
              {"BeginingString", "</b>"},
              {"BeginingStringOffset", "0"},
              {"EndingString", "L"}};
    const Paragraph backwards =
        FindParagraph(answer, Definition(ExtractMethod::ParagraphPairs, params, {}), 0);
    EXPECT_FALSE(backwards.found) << "the end is searched after the beginning";
}

TEST(ParseNameValuePairs, SplitsOnRunsOfAmpersandsAndSkipsPiecesWithoutEquals) {
    const NameValuePairs pairs =
        ParseNameValuePairs("&&lat=40.1&amp;lng=-75.2&x&&name=A%20B%2C=C&=empty&");
    EXPECT_EQ(pairs.names, (std::vector<std::string>{"lat", "lng", "name", ""}));
    EXPECT_EQ(pairs.values, (std::vector<std::string>{"40.1", "-75.2", "A B%2C=C", "empty"}));
    EXPECT_FALSE(ParseNameValuePairs("no pairs & here").Found());
}

TEST(ExtractParagraphPairs, MatchesKeysIgnoringCaseAndTheLastPairWins) {
    const auto definition = Definition(ExtractMethod::ParagraphPairs,
                                       {{"ParagraphID", "<!--record-->"},
                                        {"BeginingString", "<!--record-->"},
                                        {"BeginingStringOffset", "0"},
                                        {"EndingString", "<!--/record-->"}},
                                       {{Latitude, "LAT"},
                                        {Longitude, "Lng"},
                                        {City, "city"},
                                        {Name1, "name1"},
                                        {StreetLine, "street"},
                                        {Zip, "missing"}});
    const auto output = ExtractRecord(ReadTestData("answers/phone_lookup.html"), definition, false);
    ASSERT_EQ(output.size(), kSlotCount);
    EXPECT_EQ(output[Latitude], "38.897700");
    EXPECT_EQ(output[Longitude], "-77.036500");
    EXPECT_EQ(output[City], "Washington");
    EXPECT_EQ(output[Name1], "White House");
    EXPECT_EQ(output[StreetLine], "1600 Pennsylvania Ave NW");
    EXPECT_EQ(output[Zip], "");

    const auto repeated = ExtractRecord("[a=1&A=2]",
                                        Definition(ExtractMethod::ParagraphPairs,
                                                   {{"ParagraphID", "["},
                                                    {"BeginingString", "["},
                                                    {"BeginingStringOffset", "0"},
                                                    {"EndingString", "]"}},
                                                   {{0, "a"}}),
                                        false);
    EXPECT_EQ(repeated[0], "2");
}

TEST(ExtractXmlPath, WalksLevelTagsAndReadsKeysUnderTheLastNode) {
    const std::string answer = ReadTestData("answers/exchange.xml");
    auto definition = Definition(
        ExtractMethod::XmlPath,
        {{"RootTag", "Exchange"}, {"LevelTag", "*[local-name()='Place']"}, {"LevelTag", "Detail"}},
        {{0, "Note"}, {1, "Missing"}, {2, "Note[2]"}});
    auto output = ExtractRecord(answer, definition, false);
    EXPECT_EQ(output[0], "first");
    EXPECT_EQ(output[1], "");
    EXPECT_EQ(output[2], "second");

    definition.params[0].second = "Other";
    EXPECT_EQ(ExtractRecord(answer, definition, false), std::vector<std::string>(kSlotCount));
    definition.params = {{"LevelTag", "Nowhere"}};
    EXPECT_EQ(ExtractRecord(answer, definition, false), std::vector<std::string>(kSlotCount));
    EXPECT_EQ(ExtractRecord("<not xml", definition, false), std::vector<std::string>(kSlotCount));
}

TEST(ExtractSeparatedFields, NumbersNonEmptyFieldsAndDropsUnkeyedOnes) {
    const auto definition = Definition(ExtractMethod::SeparatedFields,
                                       {{"ParagraphID", "["},
                                        {"BeginingString", "["},
                                        {"BeginingStringOffset", "0"},
                                        {"EndingString", "]"},
                                        {"Seperator", ","}},
                                       {{4, "0"}, {5, "2"}, {6, "02"}, {7, "0"}});
    const auto output = ExtractRecord("[a,,b,c]", definition, false);
    EXPECT_EQ(output[4], "a") << "the lowest slot with the key takes the field";
    EXPECT_EQ(output[7], "");
    EXPECT_EQ(output[5], "c");
    EXPECT_EQ(output[6], "");
}

TEST(ExtractSeparatedFields, ListModeGivesAGroupPerRecordAndALastEmptyGroup) {
    const auto definition = Definition(ExtractMethod::SeparatedFields,
                                       {{"ParagraphID", "<r>"},
                                        {"BeginingString", "<r>"},
                                        {"BeginingStringOffset", "0"},
                                        {"EndingString", "</r>"},
                                        {"Seperator", "|"}},
                                       {{Name1, "0"}, {StreetLine, "1"}, {Phone, "2"}});
    const auto output =
        ExtractRecord(ReadTestData("answers/local_search_ca.txt"), definition, true);
    ASSERT_EQ(output.size(), 60u);
    EXPECT_EQ(output[Name1], "Maple Pizza (demo)");
    EXPECT_EQ(output[15 + StreetLine], "613-555-0102") << "the empty field does not count";
    EXPECT_EQ(output[30 + Phone], "613-555-0103");
    EXPECT_EQ(std::vector<std::string>(output.begin() + 45, output.end()),
              std::vector<std::string>(15));
    EXPECT_EQ(ExtractRecord(ReadTestData("answers/local_search_ca.txt"), definition, false).size(),
              15u);
}

TEST(ExtractSeparatedFields, ListModeEndsWhenRecordsStopMoving) {
    const auto definition = Definition(
        ExtractMethod::SeparatedFields,
        {{"ParagraphID", ""}, {"BeginingString", ""}, {"EndingString", ""}, {"Seperator", ","}},
        {{0, "0"}});
    const auto output = ExtractRecord("a,b", definition, true);
    ASSERT_EQ(output.size(), 30u);
    EXPECT_EQ(output[0], "a");
    EXPECT_EQ(ExtractRecord("", definition, true).size(), 30u);
}

TEST(ExtractSplitPair, NonNumberSkipsMarksWithZeroBeforeThem) {
    const auto definition = Definition(ExtractMethod::SplitPair,
                                       {{"ParagraphID", "id:"},
                                        {"Spliter", ","},
                                        {"BeginingStringOffset", "0"},
                                        {"Seperator", "non-number"}},
                                       {{Latitude, "Before"}, {Longitude, "After"}, {0, "Before"}});
    const auto output =
        ExtractRecord(ReadTestData("answers/split_non_number.txt"), definition, false);
    EXPECT_EQ(output[Latitude], "45.500000");
    EXPECT_EQ(output[Longitude], "-73.600000");
    EXPECT_EQ(output[0], "45.500000");
    EXPECT_EQ(ExtractRecord("id: 0,0 and 0,1", definition, false)[Latitude], "");
}

TEST(ExtractSplitPair, SeparatorsBoundBothSides) {
    const auto definition = Definition(
        ExtractMethod::SplitPair,
        {{"ParagraphID", ""}, {"Spliter", ","}, {"BeginingStringOffset", "0"}, {"Seperator", " ;"}},
        {{Latitude, "Before"}, {Longitude, "After"}});
    auto output = ExtractRecord(ReadTestData("answers/split_separated.txt"), definition, false);
    EXPECT_EQ(output[Latitude], "45.5");
    EXPECT_EQ(output[Longitude], "-73.6");
    auto whole = definition;
    whole.params[3].second = "";
    output = ExtractRecord("x45.5,-73.6y", whole, false);
    EXPECT_EQ(output[Latitude], "x45.5");
    EXPECT_EQ(output[Longitude], "-73.6y");
}

TEST(ExtractSplitPair, AMarkAtTheVeryStartFailsTheCall) {
    const auto definition = Definition(
        ExtractMethod::SplitPair,
        {{"ParagraphID", ""}, {"Spliter", ","}, {"BeginingStringOffset", "0"}, {"Seperator", ";"}},
        {{0, "Before"}});
    EXPECT_THROW(ExtractRecord(",45.5", definition, false), ServiceCallError);
    auto missingSeparator = definition;
    missingSeparator.params.pop_back();
    EXPECT_EQ(ExtractRecord(",45.5", missingSeparator, false)[0], "");
}

TEST(ExtractRecord, SurvivesHostileAnswers) {
    const std::string hostile[] = {"",
                                   std::string(1, '\0'),
                                   "<<<<>>>>",
                                   "&&&&====",
                                   std::string(100000, ','),
                                   std::string(50000, '0') + ",",
                                   "<r>" + std::string(10000, '|') + "</r>"};
    for (const ResultDefinition& definition :
         {Definition(ExtractMethod::ParagraphPairs, kLatParagraph, {{0, "a"}}),
          Definition(ExtractMethod::XmlPath, {{"LevelTag", "a"}}, {{0, "b"}}),
          Definition(ExtractMethod::SeparatedFields,
                     {{"ParagraphID", "<r>"},
                      {"BeginingString", ""},
                      {"EndingString", "</r>"},
                      {"Seperator", "|,"}},
                     {{0, "0"}}),
          Definition(ExtractMethod::SplitPair,
                     {{"ParagraphID", ""},
                      {"Spliter", ","},
                      {"BeginingStringOffset", "1"},
                      {"Seperator", "non-number"}},
                     {{0, "Before"}})}) {
        for (const std::string& answer : hostile)
            EXPECT_GE(ExtractRecord(answer, definition, true).size(), kSlotCount);
    }
}

} // namespace
} // namespace orbisk
