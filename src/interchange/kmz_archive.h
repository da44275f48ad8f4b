// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk {

// The KML document of a KMZ archive: doc.kml, or else the first .kml entry.
// Throws ExchangeError for a damaged or encrypted archive, one without KML,
// and one whose KML unpacks beyond `maxBytes` (a zip bomb stops there).
std::string UnpackKmz(const std::string& archive, size_t maxBytes);
// A KMZ archive holding `kml` as doc.kml.
std::string PackKmz(const std::string& kml);

} // namespace orbisk
