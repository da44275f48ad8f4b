// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker.h"

#include "xml/xml_node.h"

namespace orbisk {

void Marker::Clear() {
    infoLines.clear();
    lat = "0";
    lng = "0";
    title.clear();
}

void Marker::WriteXml(XmlNode& node) const {
    node.SetAttribute("Lng", lng);
    node.SetAttribute("Lat", lat);
    node.SetAttribute("Title", title);
    node.SetAttribute("URL", url);
    for (const std::string& line : infoLines)
        node.AppendChildElement("Info").SetText(line);
}

bool Marker::ReadXml(const XmlNode& node) {
    const std::string readLng = node.Attribute("Lng");
    const std::string readLat = node.Attribute("Lat");
    if (readLng.empty() || readLat.empty())
        return false;
    lat = readLat;
    lng = readLng;
    title = node.Attribute("Title");
    url = node.Attribute("URL");
    infoLines.clear();
    for (size_t i = 0; i < node.ChildCount(); ++i)
        if (node.ChildAt(i).BaseName() == "Info")
            infoLines.push_back(node.ChildAt(i).Text());
    return true;
}

} // namespace orbisk
