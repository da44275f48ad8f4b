#pragma once

#include <string>

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
};

} // namespace orbisk
