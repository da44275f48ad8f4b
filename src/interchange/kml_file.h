// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "interchange/imported_places.h"
#include "markers/marker_set.h"
#include "xml/xml_node.h"

#include <string>

namespace orbisk {

// KML 2.2: Placemarks with Point geometry (MultiGeometry's points too) in
// nested Documents and Folders; name, description (HTML reduced to text),
// atom:link, address, phone number and ExtendedData. Other geometries are
// counted, not dropped unseen. Throws ExchangeError.
ImportedPlaces ReadKml(const XmlNode& root);
// KML 2.2: one Document named after the set, a Placemark per marker with its
// detail lines as a description that shows them as they are.
std::string WriteKml(const MarkerSet& set);

} // namespace orbisk
