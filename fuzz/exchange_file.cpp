// SPDX-License-Identifier: GPL-3.0-or-later
// GPX, KML, KMZ and GeoJSON files come from any program and any download.
#include "interchange/exchange_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    orbisk::ImportedPlaces places;
    orbisk::MarkerSet set;
    std::string why;
    if (!orbisk::ExchangeFile::Parse(bytes, places, why) ||
        !orbisk::ExchangeFile::MakeSet(places, orbisk::PathPoints::Ends, "fuzz", set, why))
        return 0;
    // What was imported must export, and read back as as many markers.
    for (const auto format : {orbisk::ExchangeFormat::Gpx, orbisk::ExchangeFormat::Kml,
                              orbisk::ExchangeFormat::GeoJson})
        orbisk::ExchangeFile::Serialize(set, format);
    orbisk::ImportedPlaces back;
    if (!orbisk::ExchangeFile::Parse(
            orbisk::ExchangeFile::Serialize(set, orbisk::ExchangeFormat::GeoJson), back, why) ||
        back.markers.size() != set.Markers().size())
        std::abort();
    return 0;
}
