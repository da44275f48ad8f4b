// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "interchange/imported_places.h"
#include "markers/marker_set.h"

#include <string>

namespace orbisk {

// GeoJSON (RFC 7946): Features, FeatureCollections and bare geometries with
// Point, MultiPoint and GeometryCollection points; "name" or "title",
// "description", "url" and further properties as detail lines where there is
// room. Other geometries are counted. Throws ExchangeError.
ImportedPlaces ReadGeoJson(const std::string& text);
// A FeatureCollection with the set's title as its "name" member, a Point
// Feature per marker.
std::string WriteGeoJson(const MarkerSet& set);

} // namespace orbisk
