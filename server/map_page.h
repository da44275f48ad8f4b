// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geo_data.h"
#include "map_request.h"
#include "page_language.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orbisk::server {

struct PagePoint {
    double lat = 0;
    double lng = 0;
};

struct PageMarker {
    PagePoint at;
    std::string title;
    std::vector<std::string> details;
    std::string link; // http or https only
};

struct PageResult {
    int number = 0;
    PagePoint at;
    std::string title, address, city, state, phone, link;
};

// Everything the page draws, decided from the request before any HTML is written.
struct MapPageContent {
    int width = 600;  // WI: the map's pixels, the browser less 30
    int height = 370; // HE
    PagePoint center{48.0, -100.0};
    int zoom = 0; // 0 (North America) to 16
    int mapControl = 0;
    int mapType = 0;
    PageLanguage language = PageLanguage::English;
    std::optional<PagePoint> place;
    std::vector<std::string> placeLines;
    std::string notFound; // a note over the overview when a lookup failed
    std::string fellBack; // a note when the place shown is coarser than asked (no street)
    std::string offline;  // a note when an online service failed and offline data answered
    std::vector<PageMarker> markers;
    std::vector<PageResult> results;
};

// Reads the keys: centred at CLAT/CLNG/CZOOM, else the located LAT/LNG with
// FZ (-1 meaning the ZOOM setting), else a lookup of the raw address keys,
// else North America.
// The notes and the page's words are in `language`.
MapPageContent BuildMapPageContent(const MapRequest& request, const GeoData& geo,
                                   PageLanguage language = PageLanguage::English);

// Where the page loads a file below /static/ from, given its plain name.
using StaticUrl = std::function<std::string(const std::string& name)>;
std::string PlainStaticUrl(const std::string& name);

// The page: a WI x HE map 15 pixels from the top-left corner, drawn by
// map.js from a JSON block, and the hidden inputs BVXMin, BVXMax,
// BVYMin, BVYMax and BVZoom with the visible map's edges and zoom.
std::string RenderMapPage(const MapPageContent& content,
                          const StaticUrl& staticUrl = PlainStaticUrl);

// A plain page for a body that carried no parameters, naming its notes.
std::string RenderErrorPage(const std::vector<std::string>& errors);

// Leaflet's zoom for a map zoom level: zoom 0 shows North America in 600 pixels.
inline int LeafletZoom(int zoom) {
    return zoom + 2;
}

} // namespace orbisk::server
