// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "interchange/imported_places.h"
#include "markers/marker_set.h"
#include "xml/xml_node.h"

#include <string>

namespace orbisk {

// GPX 1.0 and 1.1: waypoints with name, description, comment and link; the
// points of routes and tracks kept apart for the user to choose from.
// Extensions of GPS receivers are passed over. Throws ExchangeError.
ImportedPlaces ReadGpx(const XmlNode& root);
// GPX 1.1: the set's title as the metadata's name, each marker a waypoint
// with name, description (its detail lines) and link.
std::string WriteGpx(const MarkerSet& set);

} // namespace orbisk
