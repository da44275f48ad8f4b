// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "interchange/exchange_format.h"
#include "interchange/imported_places.h"
#include "markers/marker_set.h"

#include <filesystem>
#include <string>

namespace orbisk {

// Marker sets to and from Orbisk's own files and GPX, KML, KMZ and GeoJSON.
// Every file is held to the marker set file's rules: its size, its nesting,
// strict numbers and coordinates in range; a refused file says why.
class ExchangeFile {
public:
    // What the file holds, whichever of the formats it is (its bytes decide,
    // not its name); false with the reason in `error`.
    static bool Read(const std::filesystem::path& path, ImportedPlaces& places, std::string& error);
    // The same from bytes already read.
    static bool Parse(const std::string& bytes, ImportedPlaces& places, std::string& error);

    // The places as a new set (titled after `path` when the file gave no
    // title), centred and zoomed on its markers; false with the reason when
    // the chosen points make more markers than a set holds or none at all.
    static bool MakeSet(ImportedPlaces& places, PathPoints choice,
                        const std::filesystem::path& path, MarkerSet& set, std::string& error);
    // The places added to `set`, which is then centred and zoomed on all its markers.
    static bool AppendTo(ImportedPlaces& places, PathPoints choice, MarkerSet& set,
                         std::string& error);

    // The set in `format`, written beside the target and renamed over it.
    static bool Write(const MarkerSet& set, const std::filesystem::path& path,
                      ExchangeFormat format, std::string& error);
    // The bytes of the set in `format`; throws ExchangeError.
    static std::string Serialize(const MarkerSet& set, ExchangeFormat format);
};

} // namespace orbisk
