// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/fit_view.h"

#include "common/strict_number.h"
#include "interchange/imported_places.h"
#include "markers/marker_set.h"

#include <algorithm>
#include <cmath>

namespace orbisk {
namespace {

// The map of a window of the default size, less a margin for the pins.
constexpr double kViewWidth = 560;
constexpr double kViewHeight = 330;
// The map is Plate Carree: at map zoom z the web map's zoom is z + 2, with
// 256 * 2^(z+2) pixels per 180 degrees either way.
constexpr int kZoomOffset = 2;
constexpr int kClosestZoom = 14;
// One marker alone is shown at street level, not at the closest zoom.
constexpr int kSingleMarkerZoom = 12;

} // namespace

void FitViewToMarkers(MarkerSet& set) {
    double west = 180, east = -180, south = 90, north = -90;
    bool any = false;
    for (const Marker& marker : set.Markers()) {
        const auto lat = StrictLatitude(marker.lat);
        const auto lng = StrictLongitude(marker.lng);
        if (!lat || !lng)
            continue;
        any = true;
        west = std::min(west, *lng);
        east = std::max(east, *lng);
        south = std::min(south, *lat);
        north = std::max(north, *lat);
    }
    if (!any)
        return;
    set.centerLng = CoordinateText((west + east) / 2);
    set.centerLat = CoordinateText((south + north) / 2);
    if (east == west && north == south) {
        set.zoom = kSingleMarkerZoom;
        return;
    }
    // The closest zoom at which the markers' box fits the view.
    const double fit = std::min(east > west ? kViewWidth / (east - west) : INFINITY,
                                north > south ? kViewHeight / (north - south) : INFINITY);
    const int zoom = static_cast<int>(std::floor(std::log2(fit * 180 / 256))) - kZoomOffset;
    set.zoom = std::clamp(zoom, 0, kClosestZoom);
}

} // namespace orbisk
