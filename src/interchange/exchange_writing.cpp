// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/exchange_writing.h"

#include "interchange/imported_places.h"

namespace orbisk {

ExportedPoint ExportedPointOf(const Marker& marker, size_t number) {
    const std::string what = "marker " + std::to_string(number);
    ExportedPoint point{ImportedLatitude(marker.lat, what),
                        ImportedLongitude(marker.lng, what),
                        marker.infoLines,
                        {}};
    while (!point.lines.empty() && point.lines.back().empty())
        point.lines.pop_back();
    for (size_t i = 0; i < point.lines.size(); ++i)
        point.description += (i ? "\n" : "") + point.lines[i];
    return point;
}

} // namespace orbisk
