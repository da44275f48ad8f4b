// SPDX-License-Identifier: GPL-3.0-or-later
// A street lookup's answer time: offline, and online with the geocoder's
// answer already cached (target: under 1 ms more than offline), against an
// orbisk-server in this process and a stand-in geocoder on loopback.
#include "orbisk_server.h"
#include "osm_stand_in.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>
#include <httplib.h>
#include <thread>

namespace {

using orbisk::server::OrbiskServer;

OrbiskServer* Started(std::optional<orbisk::OnlineSettings> online,
                      const std::filesystem::path& cache) {
    auto* server = new OrbiskServer;
    orbisk::server::ServerOptions options;
    options.port = 0;
    options.dataDirectory = ORBISK_SERVER_DATA_DIR;
    options.log = false;
    options.online = std::move(online);
    options.answerCache = cache;
    std::string error;
    if (!server->Start(options, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    std::thread([server] { server->Run(); }).detach();
    return server;
}

void Lookups(benchmark::State& state, OrbiskServer& server) {
    httplib::Client client("127.0.0.1", server.Port());
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    const std::string body = "number=100&street=Demo St&city=Boston&state=MA";
    for (auto _ : state) {
        const auto answer =
            client.Post("/services/geocode/us", body, "application/x-www-form-urlencoded");
        if (!answer || answer->status != 200 || answer->body.find("coords:") == std::string::npos)
            state.SkipWithError("a lookup failed");
    }
}

void StreetOffline(benchmark::State& state) {
    static orbisk::test::TempDir dir;
    static OrbiskServer* server = Started(std::nullopt, dir / "answers.sqlite3");
    Lookups(state, *server);
}

void StreetOnlineCached(benchmark::State& state) {
    static orbisk::test::OsmStandIn geocoder;
    static orbisk::test::TempDir dir;
    geocoder.Answer(200, R"([{"lat":"42.3601","lon":"-71.0589"}])", std::chrono::milliseconds(50));
    static OrbiskServer* server =
        Started(orbisk::OnlineSettings{geocoder.NominatimBase(), "", std::chrono::milliseconds(0)},
                dir / "answers.sqlite3");
    Lookups(state, *server);
    state.counters["geocoder requests"] = static_cast<double>(geocoder.Requests().size());
}

BENCHMARK(StreetOffline)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(2);
BENCHMARK(StreetOnlineCached)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(2);

} // namespace
