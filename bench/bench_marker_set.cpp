// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a marker set file and reading it back, as a save and a load do,
// for sets of 5,000 to 200,000 markers: the time must grow with the count,
// not with its square (200,000 markers in under a second).
#include "markers/marker_set_file.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

orbisk::MarkerSet SetOf(int count) {
    orbisk::MarkerSet set;
    set.title = "Benchmark";
    for (int i = 0; i < count; ++i) {
        orbisk::Marker marker;
        marker.lat = std::to_string(25.0 + (i % 2400) * 0.01);
        marker.lng = std::to_string(-125.0 + (i / 2400) * 0.05);
        marker.title = "Marker " + std::to_string(i);
        marker.infoLines = {"line one", "line two"};
        set.AddMarker(marker);
    }
    return set;
}

void WriteAndReadBack(benchmark::State& state) {
    const orbisk::MarkerSet set = SetOf(static_cast<int>(state.range(0)));
    const auto path = std::filesystem::temp_directory_path() /
                      ("orbisk-bench-" + std::to_string(getpid()) + ".obk");
    for (auto _ : state) {
        orbisk::MarkerSet read;
        if (!orbisk::MarkerSetFile().WriteFile(set, path) ||
            !orbisk::MarkerSetFile().ReadFile(read, path) ||
            read.Markers().size() != set.Markers().size()) {
            state.SkipWithError("the set did not survive the round trip");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(WriteAndReadBack)
    ->RangeMultiplier(2)
    ->Range(5000, 160000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace
