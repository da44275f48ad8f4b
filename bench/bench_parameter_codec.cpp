// SPDX-License-Identifier: GPL-3.0-or-later
// The codec beside raw zlib on the same 60 KB of typical request text: the
// letter encoding should cost little next to the compression itself.
#include "protocol/parameter_codec.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>
#include <zlib.h>

namespace {

// A parameter string followed by a marker set document, as a map request holds.
std::string TypicalRequestText() {
    std::string text = "SH=1&NS=3&ZIP=20502&LAT=38.89874800&LNG=-77.03768400&FZ=-1&WI=600&HE=370"
                       "&TYPE=13&NAME=workstation&ACTION=3&DE=1&MAPT=1&MAPC=0&ZOOM=6&VER=1.10";
    text += "<MarkerSet Name=\"Trip\" CenterLat=\"38.898748\" CenterLng=\"-77.037684\" Zoom=\"6\" "
            "Country=\"United States\">";
    char marker[512];
    for (int i = 0; text.size() < 60 * 1024; ++i) {
        std::snprintf(
            marker, sizeof marker,
            "<Marker Title=\"My marker name %d\" Lat=\"%.8f\" Lng=\"%.8f\" "
            "Address=\"%d Main Street\" City=\"Springfield\" State=\"IL\" "
            "Phone=\"(217) 555-%04d\" URL=\"http://example.org/%d\"><Info>Note %d</Info></Marker>",
            i, 39.0 + i * 0.0137, -89.0 - i * 0.0211, 100 + i, i % 10000, i, i);
        text += marker;
    }
    text.resize(60 * 1024);
    return text;
}

const std::string& Text() {
    static const std::string text = TypicalRequestText();
    return text;
}

void CodecEncode(benchmark::State& state) {
    const orbisk::ParameterCodec codec;
    std::string out;
    for (auto _ : state) {
        codec.Encode(Text(), out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * Text().size());
}

void RawCompress(benchmark::State& state) {
    std::vector<Bytef> out(Text().size() * 2);
    for (auto _ : state) {
        uLongf length = out.size();
        compress(out.data(), &length, reinterpret_cast<const Bytef*>(Text().data()), Text().size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * Text().size());
}

void CodecDecode(benchmark::State& state) {
    const orbisk::ParameterCodec codec;
    std::string encoded, out;
    codec.Encode(Text(), encoded);
    for (auto _ : state) {
        codec.Decode(encoded, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * Text().size());
}

void RawUncompress(benchmark::State& state) {
    std::vector<Bytef> compressed(Text().size() * 2);
    uLongf compressedLength = compressed.size();
    compress(compressed.data(), &compressedLength, reinterpret_cast<const Bytef*>(Text().data()),
             Text().size());
    std::vector<Bytef> out(65536);
    for (auto _ : state) {
        uLongf length = 65535;
        uncompress(out.data(), &length, compressed.data(), compressedLength);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * Text().size());
}

BENCHMARK(CodecEncode);
BENCHMARK(RawCompress);
BENCHMARK(CodecDecode);
BENCHMARK(RawUncompress);

} // namespace
