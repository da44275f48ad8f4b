// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert_command.h"
#include "data_table.h"
#include "interchange/exchange_file.h"
#include "interchange/fit_view.h"
#include "interchange/html_text.h"
#include "interchange/kmz_archive.h"
#include "temp_dir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

namespace orbisk {
namespace {

const std::string kData = std::string(ORBISK_TEST_DATA_DIR) + "/interchange/";

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? " | " : "") + lines[i];
    return text;
}

PathPoints PointsNamed(const std::string& name) {
    return name == "all" ? PathPoints::All : name == "none" ? PathPoints::None : PathPoints::Ends;
}

TEST(ExchangeFile, ImportsFilesAsOtherProgramsWriteThem) {
    const auto rows = test::DataTable("interchange/imports.tsv");
    ASSERT_EQ(rows.size(), 7u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0] + " " + row[1]);
        ImportedPlaces places;
        MarkerSet set;
        std::string why;
        ASSERT_TRUE(ExchangeFile::Read(kData + row[0], places, why)) << why;
        ASSERT_TRUE(ExchangeFile::MakeSet(places, PointsNamed(row[1]), row[0], set, why)) << why;
        ASSERT_EQ(set.Markers().size(), std::stoul(row[2]));
        EXPECT_EQ(places.Report(), row[3]);
        EXPECT_EQ(set.title, row[4]);
        const Marker& first = set.Markers().front();
        EXPECT_EQ(first.title, row[5]);
        EXPECT_EQ(first.lat, row[6]);
        EXPECT_EQ(first.lng, row[7]);
        EXPECT_EQ(first.url, row[8]);
        EXPECT_EQ(Joined(first.infoLines), row[9]);
        EXPECT_EQ(set.Markers().back().title, row[10]);
    }
}

TEST(ExchangeFile, RefusesBrokenFilesWithTheReason) {
    const auto rows = test::DataTable("interchange/refusals.tsv");
    ASSERT_EQ(rows.size(), 20u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row[0]);
        ImportedPlaces places;
        std::string why;
        EXPECT_FALSE(ExchangeFile::Parse(row[1], places, why));
        EXPECT_NE(why.find(row[2]), std::string::npos) << why;
    }
}

TEST(ExchangeFile, KeepsOfHtmlDescriptionsOnlyTheText) {
    for (const auto& row : test::DataTable("interchange/descriptions.tsv")) {
        std::string html = row[0];
        for (size_t at = html.find("\\n"); at != std::string::npos; at = html.find("\\n", at))
            html.replace(at, 2, "\n");
        EXPECT_TRUE(LooksLikeHtml(html)) << html;
        EXPECT_EQ(Joined(HtmlToLines(html)), row[1]) << html;
    }
    EXPECT_FALSE(LooksLikeHtml("Fish & chips < 10 $ ; a<3"));
}

TEST(ExchangeFile, CentresAndZoomsOnTheMarkers) {
    for (const auto& row : test::DataTable("interchange/fit_view.tsv")) {
        MarkerSet set;
        std::istringstream lats(row[0]), lngs(row[1]);
        for (Marker marker; lats >> marker.lat && lngs >> marker.lng;)
            set.AddMarker(marker);
        FitViewToMarkers(set);
        EXPECT_NEAR(std::stod(set.centerLat), std::stod(row[2]), 1e-5) << row[0];
        EXPECT_NEAR(std::stod(set.centerLng), std::stod(row[3]), 1e-5) << row[1];
        EXPECT_EQ(set.zoom, std::stoi(row[4])) << row[0];
    }
}

// Markers whose texts a careless writer would damage: markup, references,
// accents, quotes, an empty line between two, and a URL with a query.
MarkerSet TrickySet() {
    MarkerSet set;
    set.title = "Trip <1> & \"friends\"";
    const std::vector<Marker> markers = {
        {"40.689247",
         "-74.044502",
         "Statue of Liberty",
         "https://www.nps.gov/stli/?a=1&b=2",
         {"Liberty Island", "", "<b>not bold</b> &amp; kept"}},
        {"45.508800",
         "-73.554000",
         "Basilique Notre-Dame de Montréal",
         "",
         {"Caf\xC3\xA9 l'\xC3\xA9t\xC3\xA9"}},
        {"-33.8", "151.2", "", "", {}},
        {"0.0000001", "-179.9999999", "Edge", "", {"one", "", ""}},
    };
    for (const Marker& marker : markers)
        set.AddMarker(marker);
    return set;
}

TEST(ExchangeFile, RoundTripsKeepEveryTitleUrlDetailLineAndCoordinate) {
    test::TempDir dir;
    const MarkerSet original = TrickySet();
    for (const char* name : {"gpx", "kml", "kmz", "geojson"}) {
        SCOPED_TRACE(name);
        const auto path = dir / (std::string("trip.") + name);
        std::string why;
        ASSERT_TRUE(ExchangeFile::Write(original, path, *FormatNamed(name), why)) << why;
        ImportedPlaces places;
        MarkerSet back;
        ASSERT_TRUE(ExchangeFile::Read(path, places, why)) << why;
        ASSERT_TRUE(ExchangeFile::MakeSet(places, PathPoints::All, path, back, why)) << why;
        EXPECT_EQ(back.title, original.title);
        ASSERT_EQ(back.Markers().size(), original.Markers().size());
        for (size_t i = 0; i < original.Markers().size(); ++i) {
            const Marker& was = original.Markers()[i];
            const Marker& is = back.Markers()[i];
            EXPECT_EQ(is.title, was.title);
            EXPECT_EQ(is.url, was.url);
            std::vector<std::string> lines = was.infoLines;
            while (!lines.empty() && lines.back().empty())
                lines.pop_back(); // empty lines at the end hold nothing
            EXPECT_EQ(is.infoLines, lines);
            EXPECT_NEAR(std::stod(is.lat), std::stod(was.lat), 1e-6);
            EXPECT_NEAR(std::stod(is.lng), std::stod(was.lng), 1e-6);
        }
    }
}

TEST(ExchangeFile, KeepsTheSetWithinItsLimits) {
    std::string why;
    ImportedPlaces places;
    // 80 MB of blanks pack into a few kilobytes: a zip bomb stops at the cap.
    EXPECT_FALSE(ExchangeFile::Parse(PackKmz(std::string(80 << 20, ' ')), places, why));
    EXPECT_NE(why.find("unpacks to more than 64 MB"), std::string::npos) << why;
    EXPECT_FALSE(ExchangeFile::Read(kData + "no_kml.kmz", places, why));
    EXPECT_EQ(why, "the KMZ archive holds no KML document");
    EXPECT_FALSE(ExchangeFile::Parse("PK\x03\x04 not an archive", places, why));
    EXPECT_NE(why.find("not a KMZ archive"), std::string::npos) << why;

    std::string gpx = "<gpx>";
    for (size_t i = 0; i <= MarkerSet::kMaxMarkers; ++i)
        gpx += "<wpt lat=\"1\" lon=\"2\"/>";
    EXPECT_FALSE(ExchangeFile::Parse(gpx + "</gpx>", places, why));
    EXPECT_NE(why.find("more than 250000 markers"), std::string::npos) << why;

    // A long track becomes markers only up to what a set holds, and never silently.
    places = {};
    places.paths.push_back({true, "Long", {}});
    places.paths[0].points.assign(MarkerSet::kMaxMarkers + 1, {45.0, -75.0});
    EXPECT_EQ(places.MarkerCountWith(PathPoints::Ends), 2u);
    MarkerSet set;
    set.AddMarker({"1", "2", "Mine", "", {}});
    ImportedPlaces copy = places;
    EXPECT_FALSE(ExchangeFile::MakeSet(places, PathPoints::All, "long.gpx", set, why));
    EXPECT_FALSE(ExchangeFile::AppendTo(copy, PathPoints::All, set, why));
    EXPECT_EQ(set.Markers().size(), 1u);
    places = {};
    places.paths.push_back({false, "", {{45.0, -75.0}}});
    EXPECT_FALSE(ExchangeFile::MakeSet(places, PathPoints::None, "route.gpx", set, why));
    EXPECT_EQ(why, "nothing in the file can be a marker: 1 route not imported");

    MarkerSet bad = TrickySet();
    bad.Markers()[1].lat = "north";
    EXPECT_FALSE(ExchangeFile::Write(bad, "/nonexistent/x.gpx", ExchangeFormat::Gpx, why));
    EXPECT_EQ(why, "marker 2 has latitude \"north\", not a number from -90 to 90");
}

TEST(ExchangeFile, AppendsToTheCurrentSetAndShowsAllOfIt) {
    ImportedPlaces places;
    std::string why;
    ASSERT_TRUE(ExchangeFile::Read(kData + "folders.kml", places, why)) << why;
    MarkerSet set = TrickySet();
    set.SetModified(false);
    ASSERT_TRUE(ExchangeFile::AppendTo(places, PathPoints::Ends, set, why)) << why;
    EXPECT_EQ(set.Markers().size(), 6u);
    EXPECT_EQ(set.title, TrickySet().title);
    EXPECT_TRUE(set.IsModified());
    EXPECT_EQ(set.zoom, 0); // New York to Sydney
}

TEST(ConvertCommand, ConvertsAndSaysWhatItReadOrWhyNot) {
    test::TempDir dir;
    const std::string out = (dir / "out.kml").string();
    const struct {
        std::vector<std::string> words;
        int status;
        std::string said;
    } cases[] = {
        {{kData + "receiver.gpx", out}, 0, "2 waypoints; 2 track points\n"},
        {{kData + "receiver.gpx", out, "--route-points", "none"}, 0, "1 track not imported"},
        {{kData + "features.geojson", (dir / "x").string(), "--format", "GPX"}, 0, "3 points"},
        {{kData + "receiver.gpx", (dir / "out.txt").string()}, 2, "--format"},
        {{kData + "receiver.gpx", out, "--route-points", "some"}, 2, "none, ends or all"},
        {{kData + "imports.tsv", out}, 1, "cannot convert"},
        {{kData + "receiver.gpx"}, 2, "usage"},
    };
    for (const auto& c : cases) {
        std::ostringstream said, err;
        EXPECT_EQ(tool::RunConvert(c.words, said, err), c.status) << err.str();
        EXPECT_NE((said.str() + err.str()).find(c.said), std::string::npos)
            << said.str() << err.str();
    }
    ImportedPlaces places;
    std::string why;
    EXPECT_TRUE(ExchangeFile::Read(dir / "x", places, why)) << why;
    EXPECT_EQ(places.markers.size(), 3u);
}

} // namespace
} // namespace orbisk
