// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace orbisk {

class XmlNode;

// A point the user pinned on the map. Coordinates stay the texts that were
// typed, read or computed; they are read as numbers only to compare them.
class Marker {
public:
    std::string lat = "0";
    std::string lng = "0";
    std::string title;
    std::string url;
    std::vector<std::string> infoLines;

    // Drops the detail lines and resets the position and title; the URL stays.
    void Clear();

    // Fills an empty "Marker" element: Lng, Lat, Title, URL, then one "Info" per line.
    void WriteXml(XmlNode& node) const;
    // False when the element lacks a non-empty Lng or Lat.
    bool ReadXml(const XmlNode& node);

    bool operator==(const Marker&) const = default;
};

} // namespace orbisk
