// SPDX-License-Identifier: GPL-3.0-or-later
// Markers from and to other programs' files. Targets: a GPX file of 100,000
// waypoints imported and its map page made in under 2 s (read, parse, the
// marker set, the request body the client sends and the page the server
// draws from it), and 100,000 points of GeoJSON read; 250,000 markers
// exported in under 1 s per format.
#include "interchange/exchange_file.h"
#include "map_page.h"
#include "map_request.h"
#include "protocol/parameter_codec.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

std::string Encoded(const std::string& text) {
    std::string out;
    orbisk::ParameterCodec().Encode(text, out);
    return out;
}

// Waypoints as receivers write them: position, elevation, name, description.
std::filesystem::path GpxOfWaypoints(int count) {
    const auto path = std::filesystem::temp_directory_path() / "orbisk-bench-waypoints.gpx";
    std::ofstream file(path);
    file << "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"bench\" "
            "xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    char line[256];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line,
                      "<wpt lat=\"%.6f\" lon=\"%.6f\"><ele>%d</ele><name>Waypoint %d</name>"
                      "<desc>Stop %d on the way</desc></wpt>\n",
                      30 + (i % 2000) * 0.01, -120 + (i / 2000) * 0.5, i % 900, i, i);
        file << line;
    }
    file << "</gpx>\n";
    return path;
}

orbisk::MarkerSet SetOf(int count) {
    orbisk::MarkerSet set;
    set.title = "Bench";
    for (int i = 0; i < count; ++i)
        set.Markers().push_back({std::to_string(30 + (i % 2000) * 0.01),
                                 std::to_string(-120 + (i / 2000) * 0.1),
                                 "Marker " + std::to_string(i),
                                 "https://example.org/" + std::to_string(i),
                                 {"Line one", "Line two"}});
    return set;
}

void ImportAndDrawWaypoints(benchmark::State& state) {
    const auto path = GpxOfWaypoints(static_cast<int>(state.range(0)));
    orbisk::server::GeoData geo;
    for (auto _ : state) {
        orbisk::ImportedPlaces places;
        orbisk::MarkerSet set;
        std::string why;
        if (!orbisk::ExchangeFile::Read(path, places, why) ||
            !orbisk::ExchangeFile::MakeSet(places, orbisk::PathPoints::Ends, path, set, why))
            state.SkipWithError(why.c_str());
        const std::string body = "QLM=" + Encoded("Q=" + Encoded("SH=1&ACTION=10&VER=1.10") +
                                                  "&L=&M=" + Encoded(set.ToXml()));
        const auto request = orbisk::server::ParseMapBody(body);
        std::string page =
            orbisk::server::RenderMapPage(orbisk::server::BuildMapPageContent(request, geo));
        benchmark::DoNotOptimize(page.data());
        state.counters["page_MB"] = static_cast<double>(page.size()) / (1 << 20);
    }
    std::filesystem::remove(path);
}

// The same markers as a web map would hand them over.
void ImportGeoJson(benchmark::State& state) {
    const std::string text = orbisk::ExchangeFile::Serialize(
        SetOf(static_cast<int>(state.range(0))), orbisk::ExchangeFormat::GeoJson);
    for (auto _ : state) {
        orbisk::ImportedPlaces places;
        std::string why;
        if (!orbisk::ExchangeFile::Parse(text, places, why))
            state.SkipWithError(why.c_str());
        benchmark::DoNotOptimize(places.markers.data());
    }
}

void Export(benchmark::State& state) {
    const orbisk::MarkerSet set = SetOf(static_cast<int>(state.range(1)));
    const auto format = static_cast<orbisk::ExchangeFormat>(state.range(0));
    state.SetLabel(orbisk::FormatLabel(format));
    for (auto _ : state) {
        std::string bytes = orbisk::ExchangeFile::Serialize(set, format);
        benchmark::DoNotOptimize(bytes.data());
    }
}

} // namespace

BENCHMARK(ImportAndDrawWaypoints)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportGeoJson)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Export)
    ->ArgsProduct({{int(orbisk::ExchangeFormat::Gpx), int(orbisk::ExchangeFormat::Kml),
                    int(orbisk::ExchangeFormat::Kmz), int(orbisk::ExchangeFormat::GeoJson)},
                   {250000}})
    ->Unit(benchmark::kMillisecond);
