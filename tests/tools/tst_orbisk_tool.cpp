// SPDX-License-Identifier: GPL-3.0-or-later
#include "defs_commands.h"
#include "fake_services.h"
#include "markers_command.h"
#include "protocol/parameter_codec.h"
#include "request_command.h"
#include "service_commands.h"
#include "temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace orbisk {
namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

template <typename Command> ToolRun Invoke(Command command, const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int status = command(words, out, err);
    return {status, out.str(), err.str()};
}

class OrbiskToolTest : public ::testing::Test {
protected:
    // The test definitions with their services on the fake server, as plain XML and encoded.
    void SetUp() override {
        std::string text = test::ReadTestData("definitions/test_services.xml");
        for (size_t at = text.find("@HOST@"); at != std::string::npos; at = text.find("@HOST@", at))
            text.replace(at, 6, services.Host());
        std::ofstream(plain) << text;
        std::string encoded;
        ASSERT_TRUE(ParameterCodec().Encode(text, encoded));
        std::ofstream(dat) << encoded;
    }

    test::FakeServices services;
    test::TempDir dir;
    std::string plain = (dir / "Map.xml").string();
    std::string dat = (dir / "Map.dat").string();
};

TEST_F(OrbiskToolTest, DefsShowPrintsEncodedAndPlainFilesAlike) {
    const ToolRun fromXml = Invoke(tool::RunDefs, {"show", plain});
    const ToolRun fromDat = Invoke(tool::RunDefs, {"show", dat});
    EXPECT_EQ(fromXml.status, 0);
    EXPECT_EQ(fromXml.out, fromDat.out);
    const std::string& out = fromXml.out;
    EXPECT_EQ(out.rfind("version: 7\n", 0), 0u);
    EXPECT_NE(out.find("geocoder: Type 6, listMode 1\n"), std::string::npos);
    EXPECT_NE(out.find("  request: SearchType 0, PostType 1 (GET)\n"), std::string::npos);
    EXPECT_NE(out.find("    format: npa=%s&nxx=%s&num=%s\n    indices: 0 1 2\n"),
              std::string::npos);
    EXPECT_NE(out.find("  result: Method 3 (SplitPair)\n"), std::string::npos);
    EXPECT_NE(out.find("    param Seperator = \"non-number\"\n"), std::string::npos);
    EXPECT_NE(out.find("    slot 13 key: lat\n"), std::string::npos);
    EXPECT_NE(out.find("initial City: Ottawa\n"), std::string::npos);
    EXPECT_NE(out.find("newupdate: Ver 1.2, Name Orbisk 1.2"), std::string::npos);
    EXPECT_NE(out.find("keystring 0: \nkeystring 1: " + services.Host() + "\n"), std::string::npos);
}

TEST_F(OrbiskToolTest, DefsRefusesWhatItCannotRead) {
    EXPECT_EQ(Invoke(tool::RunDefs, {"show", (dir / "missing").string()}).status, 1);
    std::ofstream(dir / "junk") << "QQQQ not encoded";
    const ToolRun junk = Invoke(tool::RunDefs, {"lint", (dir / "junk").string()});
    EXPECT_EQ(junk.status, 1);
    EXPECT_NE(junk.err.find("neither XML nor an encoded definition file"), std::string::npos);
    EXPECT_EQ(Invoke(tool::RunDefs, {"show"}).status, 2);
    EXPECT_EQ(Invoke(tool::RunDefs, {"list", plain}).status, 2);
    // A server's error page is well-formed, and still no definition file.
    std::ofstream(dir / "404.htm") << "<html><body><h1>404 Not Found</h1></body></html>";
    const ToolRun page = Invoke(tool::RunDefs, {"show", (dir / "404.htm").string()});
    EXPECT_EQ(page.status, 1);
    EXPECT_NE(page.err.find("not a definition file"), std::string::npos) << page.err;
}

// Numbers the program reads must be numbers.
TEST_F(OrbiskToolTest, LintRefusesNumbersThatAreNone) {
    const std::pair<const char*, const char*> cases[] = {
        {R"(Ver="1e400")", "GeoCoderSetting Ver \"1e400\" is not a whole number"},
        {R"(Ver="2"><MapInitialStatus Latitude="nan" Longitude="-75"/)",
         "MapInitialStatus Latitude \"nan\" is not a number from -90 to 90"},
        {R"(Ver="2"><MapInitialStatus Latitude="45" Longitude="-750"/)",
         "MapInitialStatus Longitude \"-750\" is not a number from -180 to 180"},
    };
    for (const auto& [setting, problem] : cases) {
        const std::string text =
            std::string("<D><GeoCoderSetting ") + setting +
            (std::string(setting).back() == '/' ? "></GeoCoderSetting></D>" : "/></D>");
        std::ofstream(dir / "numbers.xml") << text;
        const ToolRun run = Invoke(tool::RunDefs, {"lint", (dir / "numbers.xml").string()});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(problem), std::string::npos) << text << "\n" << run.out;
    }
}

// A key string a million levels deep and a file that inflates past any
// definition file are refused with what is wrong with them.
TEST_F(OrbiskToolTest, DefsNamesDeepAndExpandingFiles) {
    std::string open, close;
    for (int i = 0; i < 1000000; ++i) {
        open += "<a>";
        close += "</a>";
    }
    std::ofstream(dir / "deep.xml")
        << "<Definitions><GeoCoderSetting><KeyStrings><KeyString>" << open << close
        << "</KeyString></KeyStrings></GeoCoderSetting></Definitions>";
    std::string bomb;
    ASSERT_TRUE(ParameterCodec().Encode("<a>" + std::string(20000000, 'A') + "</a>", bomb));
    std::ofstream(dir / "bomb.dat") << bomb;
    const std::pair<const char*, const char*> cases[] = {
        {"deep.xml", "too deeply nested"},
        {"bomb.dat", "decodes to more than 65535 bytes"},
    };
    for (const auto& [file, reason] : cases)
        for (const char* command : {"show", "lint"}) {
            const ToolRun run = Invoke(tool::RunDefs, {command, (dir / file).string()});
            EXPECT_EQ(run.status, 1) << file;
            EXPECT_NE((run.err + run.out).find(reason), std::string::npos)
                << command << " " << file << ": " << run.err << run.out;
        }
}

TEST_F(OrbiskToolTest, LintNamesEveryProblemOnItsOwnLine) {
    std::ofstream(dir / "bad.xml") << R"(<R><GeoCoderSetting>
      <GeoCoder Type="0"><Requests>
        <Q SearchType="0" PostType="2" Format="%s"><RequestProperty Index="0"/></Q>
        <Q SearchType="1" Format="%s %s"><RequestProperty Index="3"/></Q>
        <Q SearchType="1" Format="%s"><RequestProperty Index="3"/></Q>
      </Requests><Results><X Method="5"/><X Method="0"><ResultProperties>
        <ResultProperty Index="15" Value="k"/></ResultProperties></X></Results></GeoCoder>
      <GeoCoder Type="0"/>
      <GeoCoder Type="9"/>
      <GeoCoder Type="4"><Requests><Q SearchType="6" Format="%d"><RequestProperty Index="10"/></Q>
        <Q SearchType="7" Format="%s"><RequestProperty Index="17"/></Q>
        <Q SearchType="8" Format=""/></Requests></GeoCoder>
    </GeoCoderSetting></R>)";
    const ToolRun run = Invoke(tool::RunDefs, {"lint", (dir / "bad.xml").string()});
    EXPECT_EQ(run.status, 1);
    const std::string expected[] = {
        "GeoCoder 0 (Type 0) request 0 (SearchType 0): PostType 2 is neither 0 (POST) nor 1 (GET); "
        "never sent\n",
        "GeoCoder 0 (Type 0) request 1 (SearchType 1): Format has 2 %s for 1 indices; never sent\n",
        "GeoCoder 0 (Type 0) request 2 (SearchType 1): a second request of SearchType 1; never "
        "used\n",
        "GeoCoder 0 (Type 0) result 0: unknown Method 5; ignored\n",
        "GeoCoder 0 (Type 0) result 1: ResultProperty Index 15 out of range 0..14; ignored\n",
        "GeoCoder 1 (Type 0): a second GeoCoder of Type 0; never used\n",
        "GeoCoder 2 (Type 9): Type outside 0..6; ignored\n",
        "GeoCoder 3 (Type 4) request 0 (SearchType 6): Format has a conversion other than %s or "
        "%%; never sent\n",
        "GeoCoder 3 (Type 4) request 1 (SearchType 7): slot index 17 out of range 0..14; the "
        "service call fails; "
        "never sent\n",
        "GeoCoder 3 (Type 4) request 2 (SearchType 8): no RequestProperty indices; never sent\n",
        "missing: Type 0 SearchType 0 (reverse telephone lookup)\n",
        "missing: Type 0 SearchType 1 (street address, first attempt)\n",
        "missing: Type 4 SearchType 6 (zip code)\n",
        "missing: Type 6 SearchType 9 (local search, Canada)\n",
    };
    for (const std::string& line : expected)
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "in:\n" << run.out;
}

TEST_F(OrbiskToolTest, LintOfACompleteFileIsSilent) {
    const ToolRun run = Invoke(tool::RunDefs, {"lint", dat});
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.status, 0);
}

TEST_F(OrbiskToolTest, TryPrintsTheRequestAndTheSlotsOfASavedAnswer) {
    std::ofstream(dir / "answer.html") << test::ReadTestData("answers/phone_lookup.html");
    const ToolRun run = Invoke(tool::RunTry, {plain, "--type", "0", "--search", "0", "--slot",
                                              "0=202", "--slot", "1=456", "--slot", "2=1414",
                                              "--answer", (dir / "answer.html").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("slot ")),
              "request: npa=202&nxx=456&num=1414\nverb: GET\nserver: " + services.Host() +
                  "\npath: /phone?npa=202&nxx=456&num=1414\n");
    EXPECT_NE(run.out.find("slot 0: 202\n"), std::string::npos);
    EXPECT_NE(run.out.find(
                  "slot 3: 1600\nslot 4: Pennsylvania Ave NW\nslot 5: 1600 Pennsylvania Ave NW\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("slot 14: -77.036500\n"), std::string::npos);
    EXPECT_TRUE(services.Requests().empty()) << "a saved answer sends nothing";
}

TEST_F(OrbiskToolTest, TrySendsForRealAndPrintsEveryListGroup) {
    services.Answer("/ca-search", test::ReadTestData("answers/local_search_ca.txt"));
    const ToolRun run =
        Invoke(tool::RunTry, {dat, "--type", "6", "--search", "9", "--slot", "13=45.42", "--slot",
                              "14=-75.70", "--slot", "15=pizza", "--slot", "16=1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("verb: GET\n"), std::string::npos);
    EXPECT_NE(run.out.find("slot 11: Maple Pizza (demo)\n"), std::string::npos);
    EXPECT_NE(run.out.find("slot 41: Byward Oven (demo)\n"), std::string::npos);
    EXPECT_EQ(services.Requests().at(0).params.find("q")->second, "pizza");
}

TEST_F(OrbiskToolTest, TryReportsUnusableRequestsAndBadArguments) {
    EXPECT_EQ(Invoke(tool::RunTry, {plain, "--type", "5", "--search", "8"}).status, 1);
    EXPECT_EQ(Invoke(tool::RunTry, {plain, "--type", "6", "--search", "9"}).status, 1)
        << "slots 15, 16 missing";
    EXPECT_EQ(Invoke(tool::RunTry, {plain, "--type", "x", "--search", "0"}).status, 2);
    EXPECT_EQ(Invoke(tool::RunTry, {plain, "--type", "0"}).status, 2);
    EXPECT_EQ(
        Invoke(tool::RunTry, {plain, "--type", "0", "--search", "0", "--slot", "17=x"}).status, 2);
    EXPECT_EQ(Invoke(tool::RunTry, {plain, "--type", "0", "--search", "0", "--bogus", "1"}).status,
              2);
}

TEST_F(OrbiskToolTest, GeocodePrintsTheResultInItsFixedForm) {
    services.Answer("/zip", "<Place><Lat>38.8977</Lat><Lng>-77.0365</Lng><City>Washington</City>"
                            "<State>DC</State></Place>");
    const ToolRun run = Invoke(tool::RunGeocode, {dat, "--mode", "zip", "--zip", "20502"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "success: yes\nlatitude: 38.897700\nlongitude: -77.036500\nzoom: -1\ncanadian: no\n"
              "info 1: \ninfo 2: Zip Code: 20502\ninfo 3: Washington, DC\n");
    const ToolRun failed =
        Invoke(tool::RunGeocode, {dat, "--mode", "zip", "--zip", "K1A 0B1", "--zoom", "9"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, "success: no\nlatitude: \nlongitude: \nzoom: -1\ncanadian: yes\n"
                          "info 1: \ninfo 2: Postal Code: K1A0B1\n");
    EXPECT_EQ(Invoke(tool::RunGeocode, {dat, "--mode", "latlng"}).status, 2);
    EXPECT_EQ(Invoke(tool::RunGeocode, {dat, "--mode", "zip", "--zoom", "z"}).status, 2);
    EXPECT_EQ(Invoke(tool::RunGeocode, {(dir / "none").string(), "--mode", "zip"}).status, 1);
}

TEST_F(OrbiskToolTest, MarkersPrintsTheDocumentOfTheSetItRead) {
    std::ofstream(dir / "trip.obk")
        << "<DataSet><MarkerSet CenterLat=\"1\" CenterLng=\"2\" Title=\"A &amp; B\">"
           "<Marker Lat=\"3\" Lng=\"4\"/></MarkerSet></DataSet>\n";
    const ToolRun run = Invoke(tool::RunMarkers, {(dir / "trip.obk").string()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(
        run.out,
        "<DataSet><MarkerSet CenterLng=\"2\" CenterLat=\"1\" Zoom=\"2\" Title=\"A &amp; B\" "
        "Country=\"United States\"><Marker Lng=\"4\" Lat=\"3\" Title=\"\" URL=\"\"/></MarkerSet>"
        "</DataSet>");
    // A marker without a longitude is refused, not dropped from what is printed.
    std::ofstream(dir / "half.obk") << "<DataSet><MarkerSet CenterLat=\"1\" CenterLng=\"2\">"
                                       "<Marker Lat=\"5\"/></MarkerSet></DataSet>\n";
    EXPECT_EQ(Invoke(tool::RunMarkers, {(dir / "half.obk").string()}).status, 1);
    std::ofstream(dir / "page.html") << "<html/>";
    const ToolRun refused = Invoke(tool::RunMarkers, {(dir / "page.html").string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "not a marker set file: no marker set: it needs DataSet > MarkerSet "
                           "with CenterLat and CenterLng\n");
    EXPECT_EQ(Invoke(tool::RunMarkers, {}).status, 2);
}

TEST_F(OrbiskToolTest, RequestPrintsTheFiveLinesOfAJob) {
    const ToolRun run =
        Invoke(tool::RunRequest,
               {"--job", "1", "--action", "3", "--mode", "latlng", "--lat", "45.5", "--lng",
                "-73.6", "--browser", "800,600", "--name", "desk", "--settings", "0,2,9"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string p =
        "SH=3&NS=3&LAT=45.5&LNG=-73.6&INFO0=&INFO1=Latitute/Longitute: &INFO2=45.5/-73.6";
    const std::string q =
        p + "&WI=770&HE=570&TYPE=1&NAME=desk&ACTION=3&DE=-1&MAPT=0&MAPC=2&ZOOM=9&VER=1.10";
    EXPECT_EQ(run.out.substr(0, run.out.find("body: ")),
              "caption: Latitute/Longitute: 45.5/-73.6\nP: " + p + "\nQ: " + q +
                  "\naddress: http://127.0.0.1:8642/map/default.asp\n");
    std::string w, y;
    const std::string body = run.out.substr(run.out.find("body: QLM=") + 10);
    ASSERT_TRUE(ParameterCodec().Decode(body.substr(0, body.size() - 1), w));
    ASSERT_TRUE(ParameterCodec().Decode(w.substr(2, w.find("&L=") - 2), y));
    EXPECT_EQ(y, q);
}

TEST_F(OrbiskToolTest, RequestUsesDefinitionsMarkersAndResults) {
    services.Answer("/zip", "<Place><Lat>38.8977</Lat><Lng>-77.0365</Lng><City>Washington</City>"
                            "<State>DC</State></Place>");
    std::ofstream(dir / "trip.obk")
        << "<DataSet><MarkerSet CenterLat=\"38.5\" CenterLng=\"-77.5\" Zoom=\"8\" "
           "Title=\"Trip\"><Marker Lat=\"3\" Lng=\"4\"/></MarkerSet></DataSet>";
    std::ofstream(dir / "results.xml") << "<ResultSet/>";
    ToolRun run =
        Invoke(tool::RunRequest, {"--job", "1", "--defs", dat, "--mode", "zip", "--zip", "20502"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(
        run.out.find(
            "P: SH=1&NS=3&ZIP=20502&LAT=38.897700&LNG=-77.036500&FZ=-1&INFO0=&INFO1=Zip Code: "
            "20502&INFO2=Washington, DC\n"),
        std::string::npos);
    EXPECT_NE(run.out.find("&DE=7&"), std::string::npos);
    run = Invoke(tool::RunRequest,
                 {"--job", "16", "--markers", (dir / "trip.obk").string(), "--last-params",
                  "SH=1&NS=3", "--local-results", (dir / "results.xml").string()});
    EXPECT_NE(run.out.find("caption: Trip\nP: SH=1&NS=3&CLAT=38.5&CLNG=-77.5&CZOOM=8\n"),
              std::string::npos);
    run = Invoke(tool::RunRequest,
                 {"--job", "8", "--view", "-80,-70,35,40,5", "--last-caption", "Home"});
    EXPECT_NE(run.out.find("caption: Home\nP: &NS=3&CLAT=37.50000000&CLNG=-75.00000000&CZOOM=5\n"),
              std::string::npos);
}

TEST_F(OrbiskToolTest, RequestRefusesBadArguments) {
    EXPECT_EQ(Invoke(tool::RunRequest, {}).status, 2) << "--job is required";
    EXPECT_EQ(Invoke(tool::RunRequest, {"--job", "x"}).status, 2);
    EXPECT_EQ(Invoke(tool::RunRequest, {"--job", "1", "--browser", "630"}).status, 2);
    EXPECT_EQ(Invoke(tool::RunRequest, {"--job", "1", "--view", "1,2,3,4"}).status, 2);
    EXPECT_EQ(Invoke(tool::RunRequest, {"--job", "1", "--mode", "fax"}).status, 2);
    EXPECT_EQ(
        Invoke(tool::RunRequest, {"--job", "1", "--markers", (dir / "none.obk").string()}).status,
        1);
}

} // namespace
} // namespace orbisk
