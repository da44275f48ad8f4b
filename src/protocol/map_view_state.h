// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

namespace orbisk {

// The visible map as the page reports it: edges in decimal degrees (texts as
// read) and the zoom level.
struct MapViewState {
    std::string xMin; // western edge
    std::string xMax; // eastern edge
    std::string yMin; // southern edge
    std::string yMax; // northern edge
    int zoom = 0;

    // (YMin + YMax) / 2 and (XMin + XMax) / 2, written "%.8f".
    std::string CenterLatitude() const;
    std::string CenterLongitude() const;

    // Whether the centre lies farther from the point than a fiftieth of the
    // view's height or width: the user moved the map. Less is the page's own
    // rounding when it centres on a point. An unknown view or point has not moved.
    bool CenterMovedFrom(const std::string& latitude, const std::string& longitude) const;

    // Reads one hidden field of the page: BVXMin, BVXMax, BVYMin, BVYMax or
    // BVZoom (exact names); empty values and other names change nothing.
    void ApplyField(const std::string& name, const std::string& value);

    // The coordinates of a point of the browser area (bw x bh pixels): the
    // map spans the area less 15 pixels on every side; points within 30
    // pixels of an edge give that edge. Written "%.8f".
    std::pair<std::string, std::string> PixelToLatLng(int x, int y, int bw, int bh) const;
};

} // namespace orbisk
