// SPDX-License-Identifier: GPL-3.0-or-later
// The map page for a request carrying 1,000 markers and 100 results: decode
// the body, read the documents, draw the page (target under 20 ms).
#include "map_page.h"
#include "map_request.h"
#include "protocol/parameter_codec.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

std::string Encoded(const std::string& text) {
    std::string out;
    orbisk::ParameterCodec().Encode(text, out);
    return out;
}

std::string Body() {
    std::string markers =
        "<DataSet><MarkerSet CenterLng=\"-77.03\" CenterLat=\"38.9\" Zoom=\"6\" Title=\"Trip\" "
        "Country=\"United States\">";
    char text[512];
    for (int i = 0; i < 1000; ++i) {
        std::snprintf(text, sizeof text,
                      "<Marker Lng=\"%.8f\" Lat=\"%.8f\" Title=\"My marker name %d\" "
                      "URL=\"http://example.org/%d\">"
                      "<Info>Line 1 of %d</Info><Info/><Info/><Info/></Marker>",
                      -77.5 + i * 0.001, 38.5 + i * 0.0008, i + 1, i, i);
        markers += text;
    }
    markers += "</MarkerSet></DataSet>";
    std::string results = "<ResultSet totalResultsAvailable=\"1000\" totalResultsReturned=\"100\" "
                          "firstResultPosition=\"1\">";
    for (int i = 0; i < 100; ++i) {
        std::snprintf(text, sizeof text,
                      "<Result><Title>Demo %d (demo)</Title><Address>%d Demo "
                      "St</Address><City>Washington</City>"
                      "<State>DC</State><Phone>555-01%02d</Phone><Latitude>38.%04d</"
                      "Latitude><Longitude>-77.%04d"
                      "</Longitude><BusinessUrl>http://example.com/demo/%d</BusinessUrl></Result>",
                      i, i, i % 100, 8000 + i, 100 + i, i);
        results += text;
    }
    results += "</ResultSet>";
    const std::string query =
        "SH=1&NS=3&ZIP=20502&LAT=38.898700&LNG=-77.036200&FZ=-1&INFO0=&INFO1=Zip Code: 20502"
        "&WI=770&HE=570&TYPE=8&NAME=desk&ACTION=4&DE=1&MAPT=1&MAPC=0&ZOOM=6&VER=1.10";
    return "QLM=" +
           Encoded("Q=" + Encoded(query) + "&L=" + Encoded(results) + "&M=" + Encoded(markers));
}

void MapPageWithThousandMarkers(benchmark::State& state) {
    orbisk::server::GeoData geo; // the page needs no lookup for a located place
    const std::string body = Body();
    for (auto _ : state) {
        const auto request = orbisk::server::ParseMapBody(body);
        std::string page =
            orbisk::server::RenderMapPage(orbisk::server::BuildMapPageContent(request, geo));
        benchmark::DoNotOptimize(page.data());
    }
}

BENCHMARK(MapPageWithThousandMarkers)->Unit(benchmark::kMillisecond);

} // namespace
