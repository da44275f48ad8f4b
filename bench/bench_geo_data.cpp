// SPDX-License-Identifier: GPL-3.0-or-later
// Lookups of the server's geographic data, in process: the nearest city of a
// point (the name shown for a map click; at least 200,000 a second), a zip
// code and a telephone exchange.
#include "geo_data.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <iostream>
#include <random>

namespace {

const orbisk::server::GeoData& Data() {
    static const orbisk::server::GeoData* geo = [] {
        auto* data = new orbisk::server::GeoData;
        std::string error;
        if (!data->Load(ORBISK_SERVER_DATA_DIR, error)) {
            std::cerr << error << "\n";
            std::exit(1);
        }
        return data;
    }();
    return *geo;
}

void NearestCity(benchmark::State& state) {
    const auto& geo = Data();
    std::mt19937 random(1);
    std::uniform_real_distribution<double> lat(25, 60), lng(-130, -60);
    for (auto _ : state)
        benchmark::DoNotOptimize(geo.NearestCity(lat(random), lng(random)));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(NearestCity);

void Zip(benchmark::State& state) {
    const auto& geo = Data();
    const char* zips[] = {"20500", "10001", "60601", "94103", "99501", "00000"};
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(geo.Zip(zips[i++ % std::size(zips)]));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Zip);

void Exchange(benchmark::State& state) {
    const auto& geo = Data();
    const std::pair<const char*, const char*> numbers[] = {
        {"202", "456"}, {"212", "000"}, {"418", "641"}, {"713", "837"}, {"800", "555"}};
    size_t i = 0;
    for (auto _ : state) {
        const auto& [npa, nxx] = numbers[i++ % std::size(numbers)];
        benchmark::DoNotOptimize(geo.Exchange(npa, nxx));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Exchange);

} // namespace
