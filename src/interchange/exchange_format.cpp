// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/exchange_format.h"

#include "common/text.h"

namespace orbisk {

std::optional<ExchangeFormat> FormatNamed(const std::string& name) {
    const std::string lower = Lower(name);
    if (lower == "obk" || lower == "xml")
        return ExchangeFormat::MarkerSet;
    if (lower == "gpx")
        return ExchangeFormat::Gpx;
    if (lower == "kml")
        return ExchangeFormat::Kml;
    if (lower == "kmz")
        return ExchangeFormat::Kmz;
    if (lower == "geojson" || lower == "json")
        return ExchangeFormat::GeoJson;
    return std::nullopt;
}

std::optional<ExchangeFormat> FormatOfPath(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    if (extension.size() < 2)
        return std::nullopt;
    return FormatNamed(extension.substr(1));
}

std::optional<ExchangeFormat> FormatOfBytes(const std::string& bytes) {
    if (bytes.rfind("PK\x03\x04", 0) == 0)
        return ExchangeFormat::Kmz;
    size_t start = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    start = bytes.find_first_not_of(" \t\r\n", start);
    if (start != std::string::npos && (bytes[start] == '{' || bytes[start] == '['))
        return ExchangeFormat::GeoJson;
    return std::nullopt;
}

std::string FormatLabel(ExchangeFormat format) {
    switch (format) {
    case ExchangeFormat::MarkerSet: return "marker set";
    case ExchangeFormat::Gpx: return "GPX";
    case ExchangeFormat::Kml: return "KML";
    case ExchangeFormat::Kmz: return "KMZ";
    case ExchangeFormat::GeoJson: return "GeoJSON";
    }
    return "";
}

} // namespace orbisk
