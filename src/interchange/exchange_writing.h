// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "markers/marker.h"

#include <string>

namespace orbisk {

inline constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

// A marker as the exchange formats write it: numbers for coordinates and one
// text of its detail lines, "\n" apart, without the empty lines at the end.
struct ExportedPoint {
    double lat = 0;
    double lng = 0;
    std::vector<std::string> lines;
    std::string description;
};

// ExchangeError when marker `number` has coordinates that are not numbers in range.
ExportedPoint ExportedPointOf(const Marker& marker, size_t number);

} // namespace orbisk
