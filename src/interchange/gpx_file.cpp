// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/gpx_file.h"

#include "common/user_text.h"
#include "common/version.h"
#include "interchange/exchange_writing.h"
#include "xml/xml_document.h"

namespace orbisk {
namespace {

std::pair<double, double> Position(const XmlNode& point, const std::string& what) {
    return {ImportedLatitude(point.Attribute("lat"), what),
            ImportedLongitude(point.Attribute("lon"), what)};
}

Marker Waypoint(const XmlNode& node, size_t number) {
    const auto [lat, lng] =
        Position(node, Arg(Tr("Import", "waypoint %1"), {std::to_string(number)}));
    Marker marker;
    marker.lat = CoordinateText(lat);
    marker.lng = CoordinateText(lng);
    marker.title = node.ChildText("name");
    const std::string description = node.ChildText("desc");
    const std::string comment = node.ChildText("cmt");
    marker.infoLines = TextLines(description);
    if (comment != description)
        for (std::string& line : TextLines(comment))
            marker.infoLines.push_back(std::move(line));
    // 1.1 links are elements with an address; 1.0 has one url element.
    const std::string link = node.ChildNamed("link").Attribute("href");
    marker.url = link.empty() ? node.ChildText("url") : link;
    return marker;
}

// The points of a route (rtept) or of a track's segments (trkseg > trkpt).
ImportedPath Path(const XmlNode& node, bool track, size_t number) {
    ImportedPath path{track, node.ChildText("name"), {}};
    const std::string what =
        Arg(track ? Tr("Import", "track %1, point ") : Tr("Import", "route %1, point "),
            {std::to_string(number)});
    const auto addPoints = [&](const XmlNode& holder, const char* pointName) {
        for (size_t i = 0; i < holder.ChildCount(); ++i) {
            const XmlNode point = holder.ChildAt(i);
            if (point.BaseName() == pointName)
                path.points.push_back(
                    Position(point, what + std::to_string(path.points.size() + 1)));
        }
    };
    if (!track)
        addPoints(node, "rtept");
    for (size_t i = 0; track && i < node.ChildCount(); ++i)
        if (node.ChildAt(i).BaseName() == "trkseg")
            addPoints(node.ChildAt(i), "trkpt");
    return path;
}

} // namespace

ImportedPlaces ReadGpx(const XmlNode& root) {
    ImportedPlaces places;
    places.read = {ORBISK_N_NOOP("Import", "%n waypoint"), ORBISK_N_NOOP("Import", "%n waypoints")};
    const std::string metadataName = root.ChildNamed("metadata").ChildText("name");
    places.title = metadataName.empty() ? root.ChildText("name") : metadataName;
    size_t routes = 0;
    size_t tracks = 0;
    for (size_t i = 0; i < root.ChildCount(); ++i) {
        const XmlNode child = root.ChildAt(i);
        const std::string name = child.BaseName();
        if (name == "wpt")
            places.markers.push_back(Waypoint(child, places.markers.size() + 1));
        else if (name == "rte")
            places.paths.push_back(Path(child, false, ++routes));
        else if (name == "trk")
            places.paths.push_back(Path(child, true, ++tracks));
        CheckMarkerCount(places.markers.size());
    }
    places.read.count = places.markers.size();
    return places;
}

std::string WriteGpx(const MarkerSet& set) {
    XmlDocument document;
    XmlNode gpx = document.CreateRoot("gpx");
    gpx.SetAttribute("xmlns", "http://www.topografix.com/GPX/1/1");
    gpx.SetAttribute("version", "1.1");
    gpx.SetAttribute("creator", std::string("Orbisk ") + kVersionText);
    if (!set.title.empty())
        gpx.AppendChildElement("metadata").AppendChildElement("name").SetText(set.title);
    for (size_t i = 0; i < set.Markers().size(); ++i) {
        const Marker& marker = set.Markers()[i];
        const ExportedPoint point = ExportedPointOf(marker, i + 1);
        XmlNode wpt = gpx.AppendChildElement("wpt");
        wpt.SetAttribute("lat", CoordinateText(point.lat));
        wpt.SetAttribute("lon", CoordinateText(point.lng));
        if (!marker.title.empty())
            wpt.AppendChildElement("name").SetText(marker.title);
        if (!point.description.empty())
            wpt.AppendChildElement("desc").SetText(point.description);
        if (!marker.url.empty())
            wpt.AppendChildElement("link").SetAttribute("href", marker.url);
    }
    return kXmlDeclaration + document.XmlText();
}

} // namespace orbisk
