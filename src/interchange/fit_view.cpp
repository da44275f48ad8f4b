// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/fit_view.h"

#include "common/strict_number.h"
#include "interchange/imported_places.h"
#include "markers/marker_set.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbisk {
namespace {

// The map's part of the default window, less a margin for the pins.
constexpr double kViewWidth = 700;
constexpr double kViewHeight = 420;
// Map zoom z is the web map's zoom z + 2, whose world is 256 * 2^(z+2) pixels.
constexpr int kZoomOffset = 2;
constexpr int kClosestZoom = 14;
// One marker alone is shown at street level, not at the closest zoom.
constexpr int kSingleMarkerZoom = 12;

// Web Mercator's y as a share of the world's height, 0 at the top.
double MercatorY(double latitude) {
    const double clamped = std::clamp(latitude, -85.0511, 85.0511) * std::numbers::pi / 180;
    return (1 - std::log(std::tan(clamped) + 1 / std::cos(clamped)) / std::numbers::pi) / 2;
}

double LatitudeOfMercatorY(double y) {
    return std::atan(std::sinh(std::numbers::pi * (1 - 2 * y))) * 180 / std::numbers::pi;
}

} // namespace

void FitViewToMarkers(MarkerSet& set) {
    double west = 180, east = -180, top = 1, bottom = 0;
    bool any = false;
    for (const Marker& marker : set.Markers()) {
        const auto lat = StrictLatitude(marker.lat);
        const auto lng = StrictLongitude(marker.lng);
        if (!lat || !lng)
            continue;
        any = true;
        west = std::min(west, *lng);
        east = std::max(east, *lng);
        top = std::min(top, MercatorY(*lat));
        bottom = std::max(bottom, MercatorY(*lat));
    }
    if (!any)
        return;
    set.centerLng = CoordinateText((west + east) / 2);
    set.centerLat = CoordinateText(LatitudeOfMercatorY((top + bottom) / 2));
    const double width = (east - west) / 360;
    const double height = bottom - top;
    if (width == 0 && height == 0) {
        set.zoom = kSingleMarkerZoom;
        return;
    }
    // The largest zoom whose world makes the markers' box fit the view.
    const double scale = std::min(width > 0 ? kViewWidth / (256 * width) : INFINITY,
                                  height > 0 ? kViewHeight / (256 * height) : INFINITY);
    const int zoom = static_cast<int>(std::floor(std::log2(scale))) - kZoomOffset;
    set.zoom = std::clamp(zoom, 0, kClosestZoom);
}

} // namespace orbisk
