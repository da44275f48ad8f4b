// SPDX-License-Identifier: GPL-3.0-or-later
// Building one map request as the start-up job does (job 13: locate by phone,
// local search, results and markers in the body) with 50 markers and a
// 100-result search answer, the services on loopback.
#include "fake_services.h"
#include "jobs/map_request_builder.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

std::string HundredResults() {
    std::string answer = "<ResultSet totalResultsAvailable=\"1000\" totalResultsReturned=\"100\" "
                         "firstResultPosition=\"1\">";
    char result[512];
    for (int i = 0; i < 100; ++i) {
        std::snprintf(result, sizeof result,
                      "<Result><Title>Demo Pizza %d (demo)</Title><Address>%d Demo St NW</Address>"
                      "<City>Washington</City><State>DC</State><Phone>(202) 555-%04d</Phone>"
                      "<Latitude>38.%06d</Latitude><Longitude>-77.%06d</Longitude>"
                      "<BusinessUrl>http://example.org/demo/%d</BusinessUrl></Result>",
                      i, 100 + i, i, 880000 + i * 97, 30000 + i * 89, i);
        answer += result;
    }
    return answer + "<ResultSetMapUrl>http://example.org/map</ResultSetMapUrl></ResultSet>";
}

void BuildStartUpRequest(benchmark::State& state) {
    orbisk::test::FakeServices services;
    services.Answer("/phone", orbisk::test::ReadTestData("answers/phone_lookup.html"));
    services.Answer("/us-search", HundredResults());
    orbisk::JobSnapshot job;
    job.jobCode = 13;
    job.inputs = orbisk::LocationInputs::BuiltInDefaults();
    job.keyword = "Pizza";
    job.definitions = services.Definitions();
    for (int i = 0; i < 50; ++i) {
        orbisk::Marker marker;
        marker.lat = std::to_string(38.8 + i * 0.01);
        marker.lng = std::to_string(-77.1 + i * 0.01);
        marker.title = "My marker name " + std::to_string(i + 1);
        marker.url = "http://example.org/" + std::to_string(i);
        marker.infoLines = {"Line 1 of marker " + std::to_string(i), "", "", ""};
        job.markerSet.AddMarker(marker);
    }
    for (auto _ : state) {
        orbisk::JobResult result = orbisk::BuildMapRequest(job);
        benchmark::DoNotOptimize(result.body.data());
    }
}

BENCHMARK(BuildStartUpRequest)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
