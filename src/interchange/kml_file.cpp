// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/kml_file.h"

#include "common/text.h"
#include "common/user_text.h"
#include "interchange/exchange_writing.h"
#include "interchange/html_text.h"
#include "xml/xml_document.h"

#include <array>
#include <sstream>
#include <string_view>

namespace orbisk {
namespace {

struct SkippedKind {
    std::string_view element;
    const char* singular;
    const char* plural;
};

constexpr std::array<SkippedKind, 9> kSkippedKinds{{
    {"LineString", ORBISK_N_NOOP("Import", "%n line not imported"),
     ORBISK_N_NOOP("Import", "%n lines not imported")},
    {"LinearRing", ORBISK_N_NOOP("Import", "%n ring not imported"),
     ORBISK_N_NOOP("Import", "%n rings not imported")},
    {"Polygon", ORBISK_N_NOOP("Import", "%n polygon not imported"),
     ORBISK_N_NOOP("Import", "%n polygons not imported")},
    {"Model", ORBISK_N_NOOP("Import", "%n 3D model not imported"),
     ORBISK_N_NOOP("Import", "%n 3D models not imported")},
    {"Track", ORBISK_N_NOOP("Import", "%n track not imported"),
     ORBISK_N_NOOP("Import", "%n tracks not imported")},
    {"MultiTrack", ORBISK_N_NOOP("Import", "%n track not imported"),
     ORBISK_N_NOOP("Import", "%n tracks not imported")},
    {"GroundOverlay", ORBISK_N_NOOP("Import", "%n overlay not imported"),
     ORBISK_N_NOOP("Import", "%n overlays not imported")},
    {"ScreenOverlay", ORBISK_N_NOOP("Import", "%n overlay not imported"),
     ORBISK_N_NOOP("Import", "%n overlays not imported")},
    {"NetworkLink", ORBISK_N_NOOP("Import", "%n network link not imported"),
     ORBISK_N_NOOP("Import", "%n network links not imported")},
}};

class KmlReader {
public:
    explicit KmlReader(ImportedPlaces& places) : places_(places) {}

    void Container(const XmlNode& node) {
        if (places_.title.empty())
            places_.title = Trimmed(node.ChildText("name"));
        for (size_t i = 0; i < node.ChildCount(); ++i) {
            const XmlNode child = node.ChildAt(i);
            const std::string name = child.BaseName();
            if (name == "Document" || name == "Folder")
                Container(child);
            else if (name == "Placemark")
                Placemark(child);
            else
                SkipIfGeometry(name);
        }
    }

private:
    bool SkipIfGeometry(const std::string& name) {
        for (const SkippedKind& kind : kSkippedKinds)
            if (kind.element == name) {
                places_.Skip(kind.singular, kind.plural);
                return true;
            }
        return false;
    }

    void Placemark(const XmlNode& node) {
        const Marker details = Details(node);
        const size_t before = places_.markers.size();
        for (size_t i = 0; i < node.ChildCount(); ++i)
            Geometry(node.ChildAt(i), details);
        if (places_.markers.size() == before && !skippedGeometry_)
            places_.Skip(ORBISK_N_NOOP("Import", "%n placemark without a point not imported"),
                         ORBISK_N_NOOP("Import", "%n placemarks without a point not imported"));
        skippedGeometry_ = false;
        CheckMarkerCount(places_.markers.size());
    }

    void Geometry(const XmlNode& node, const Marker& details) {
        const std::string name = node.BaseName();
        if (name == "MultiGeometry") {
            for (size_t i = 0; i < node.ChildCount(); ++i)
                Geometry(node.ChildAt(i), details);
        } else if (name == "Point") {
            places_.markers.push_back(details);
            Coordinates(node.ChildText("coordinates"), places_.markers.back());
        } else if (SkipIfGeometry(name)) {
            skippedGeometry_ = true;
        }
    }

    // "longitude,latitude[,altitude]"
    void Coordinates(const std::string& text, Marker& marker) const {
        std::istringstream tuples(text);
        std::string first;
        tuples >> first;
        const std::vector<std::string> parts = Split(first, ',');
        const std::string what =
            Arg(Tr("Import", "placemark %1"), {std::to_string(places_.markers.size())});
        marker.lng = CoordinateText(ImportedLongitude(parts[0], what));
        marker.lat = CoordinateText(ImportedLatitude(parts.size() > 1 ? parts[1] : "", what));
    }

    Marker Details(const XmlNode& node) {
        Marker marker;
        marker.title = Trimmed(node.ChildText("name"));
        marker.url = Trimmed(node.ChildNamed("link").Attribute("href"));
        const std::string description = node.ChildText("description");
        marker.infoLines =
            LooksLikeHtml(description) ? HtmlToLines(description) : TextLines(description);
        Property(marker, "Address", node.ChildText("address"));
        Property(marker, "Phone", node.ChildText("phoneNumber"));
        const XmlNode extended = node.ChildNamed("ExtendedData");
        for (size_t i = 0; i < extended.ChildCount(); ++i) {
            const XmlNode data = extended.ChildAt(i);
            if (data.BaseName() == "Data") {
                const std::string label = Trimmed(data.ChildText("displayName"));
                Property(marker, label.empty() ? data.Attribute("name") : label,
                         data.ChildText("value"));
            }
            if (data.BaseName() == "SchemaData")
                for (size_t j = 0; j < data.ChildCount(); ++j)
                    Property(marker, data.ChildAt(j).Attribute("name"), data.ChildAt(j).Text());
        }
        return marker;
    }

    void Property(Marker& marker, const std::string& name, const std::string& value) {
        const std::string text = Trimmed(value);
        if (!text.empty() && !AddProperty(marker, Trimmed(name), text))
            ++places_.propertiesLeftOut;
    }

    ImportedPlaces& places_;
    bool skippedGeometry_ = false;
};

} // namespace

ImportedPlaces ReadKml(const XmlNode& root) {
    ImportedPlaces places;
    places.read = {ORBISK_N_NOOP("Import", "%n placemark"),
                   ORBISK_N_NOOP("Import", "%n placemarks")};
    KmlReader(places).Container(root);
    places.read.count = places.markers.size();
    return places;
}

std::string WriteKml(const MarkerSet& set) {
    XmlDocument xml;
    XmlNode kml = xml.CreateRoot("kml");
    kml.SetAttribute("xmlns", "http://www.opengis.net/kml/2.2");
    kml.SetAttribute("xmlns:atom", "http://www.w3.org/2005/Atom");
    XmlNode document = kml.AppendChildElement("Document");
    document.AppendChildElement("name").SetText(set.title);
    for (size_t i = 0; i < set.Markers().size(); ++i) {
        const Marker& marker = set.Markers()[i];
        const ExportedPoint point = ExportedPointOf(marker, i + 1);
        XmlNode placemark = document.AppendChildElement("Placemark");
        placemark.AppendChildElement("name").SetText(marker.title);
        if (!marker.url.empty())
            placemark.AppendChildElement("atom:link").SetAttribute("href", marker.url);
        // Readers show a description as HTML: escaped lines show as typed.
        std::string html;
        for (size_t line = 0; line < point.lines.size(); ++line)
            html += (line ? "<br>" : "") + EscapeHtml(point.lines[line]);
        if (!html.empty())
            placemark.AppendChildElement("description").SetText(html);
        placemark.AppendChildElement("Point")
            .AppendChildElement("coordinates")
            .SetText(CoordinateText(point.lng) + "," + CoordinateText(point.lat));
    }
    return kXmlDeclaration + xml.XmlText();
}

} // namespace orbisk
