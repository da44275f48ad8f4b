// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orbisk {

// The files a marker set can be read from and written to: Orbisk's own and
// the three that other map programs exchange places in.
enum class ExchangeFormat { MarkerSet, Gpx, Kml, Kmz, GeoJson };

// By name as a user types it ("gpx", "KML", "geojson", "obk"), case aside.
std::optional<ExchangeFormat> FormatNamed(const std::string& name);
// By the file name's extension (.obk and .xml are marker sets; .json is GeoJSON).
std::optional<ExchangeFormat> FormatOfPath(const std::filesystem::path& path);
// What the bytes are, whatever the name says; nothing for XML, which only its
// root element tells apart.
std::optional<ExchangeFormat> FormatOfBytes(const std::string& bytes);
// "GPX", "KML", ... for messages.
std::string FormatLabel(ExchangeFormat format);

} // namespace orbisk
