// SPDX-License-Identifier: GPL-3.0-or-later
// List-mode extraction over answers of about 1 MB and 10 MB (10,000 and
// 100,000 records): the tenfold answer should cost about ten times as much.
//
// The 100,000-record output is 1.5 million strings, 48 MB. By default glibc
// hands a block that large back to the kernel after every call and the next
// call faults it in again, while the 1 MB case is served warm from the heap;
// that measures the kernel, not the extraction. Both sizes therefore run with
// the allocator keeping freed memory. Run with --cold to see the default.
#include "services/text_extraction.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <malloc.h>

namespace {

std::string ListAnswer(int records) {
    std::string answer = "<html><body>results\n";
    char record[160];
    for (int i = 0; i < records; ++i) {
        std::snprintf(
            record, sizeof record,
            "<r>Demo Pizza %06d (demo)|%d Demo Street, Ottawa|613-555-%04d|45.%06d|-75.%06d</r>\n",
            i, 100 + i % 900, i % 10000, i % 1000000, (i * 7) % 1000000);
        answer += record;
    }
    return answer + "</body></html>";
}

orbisk::ResultDefinition Records() {
    orbisk::ResultDefinition definition;
    definition.method = orbisk::ExtractMethod::SeparatedFields;
    definition.params = {{"ParagraphID", "<r>"},
                         {"BeginingString", "<r>"},
                         {"BeginingStringOffset", "0"},
                         {"EndingString", "</r>"},
                         {"Seperator", "|"}};
    definition.slotKeys[orbisk::Name1] = "0";
    definition.slotKeys[orbisk::StreetLine] = "1";
    definition.slotKeys[orbisk::Phone] = "2";
    definition.slotKeys[orbisk::Latitude] = "3";
    definition.slotKeys[orbisk::Longitude] = "4";
    return definition;
}

void ExtractList(benchmark::State& state) {
    const std::string answer = ListAnswer(static_cast<int>(state.range(0)));
    const orbisk::ResultDefinition definition = Records();
    for (auto _ : state) {
        auto output = orbisk::ExtractRecord(answer, definition, true);
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(state.iterations() * answer.size());
    state.counters["answer_MB"] = answer.size() / 1e6;
    state.SetComplexityN(state.range(0));
}

BENCHMARK(ExtractList)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char** argv) {
    const bool cold = argc > 1 && std::strcmp(argv[argc - 1], "--cold") == 0;
    if (cold)
        --argc;
    else {
        mallopt(M_MMAP_THRESHOLD, 1 << 30);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
