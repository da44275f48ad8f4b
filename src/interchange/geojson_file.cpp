// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/geojson_file.h"

#include "common/bounded_json.h"
#include "common/user_text.h"
#include "interchange/exchange_writing.h"

#include <cmath>

namespace orbisk {
namespace {

using nlohmann::json;

// Deep enough for a GeometryCollection of MultiPoints in a FeatureCollection.
constexpr int kMaxDepth = 64;

std::string TextOf(const json& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

class GeoJsonReader {
public:
    explicit GeoJsonReader(ImportedPlaces& places) : places_(places) {}

    void Object(const json& object) {
        if (!object.is_object())
            throw ExchangeError(
                Tr("Import", "not GeoJSON: a member that should be an object is not one"));
        const std::string type = object.value("type", "");
        if (type == "FeatureCollection") {
            if (places_.title.empty())
                places_.title = FirstText(object, {"name", "title"});
            const auto features = object.find("features");
            if (features == object.end() || !features->is_array())
                throw ExchangeError(
                    Tr("Import", "not GeoJSON: a FeatureCollection without \"features\""));
            for (const json& feature : *features)
                Object(feature);
        } else if (type == "Feature") {
            Feature(object);
        } else {
            Geometry(object, Marker());
        }
    }

private:
    static std::string FirstText(const json& object, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const auto found = object.find(name);
            if (found != object.end() && found->is_string())
                return found->get<std::string>();
        }
        return "";
    }

    void Feature(const json& feature) {
        const auto geometry = feature.find("geometry");
        if (geometry == feature.end() || geometry->is_null()) {
            places_.Skip(ORBISK_N_NOOP("Import", "%n feature without geometry not imported"),
                         ORBISK_N_NOOP("Import", "%n features without geometry not imported"));
            return;
        }
        const auto properties = feature.find("properties");
        Geometry(*geometry, properties == feature.end() ? Marker() : Details(*properties));
    }

    Marker Details(const json& properties) {
        Marker marker;
        if (!properties.is_object())
            return marker;
        marker.title = FirstText(properties, {"name", "title"});
        marker.url = FirstText(properties, {"url", "link", "website"});
        marker.infoLines = TextLines(FirstText(properties, {"description", "desc"}));
        for (const auto& [name, value] : properties.items()) {
            if (name == "name" || name == "title" || name == "url" || name == "link" ||
                name == "website" || name == "description" || name == "desc" || value.is_null())
                continue;
            if (!AddProperty(marker, name, TextOf(value)))
                ++places_.propertiesLeftOut;
        }
        return marker;
    }

    void Geometry(const json& geometry, const Marker& details) {
        if (!geometry.is_object())
            throw ExchangeError(Tr("Import", "not GeoJSON: a geometry that is not an object"));
        const std::string type = geometry.value("type", "");
        const auto coordinates = geometry.find("coordinates");
        if (type == "Point" && coordinates != geometry.end())
            return Point(*coordinates, details);
        if (type == "MultiPoint" && coordinates != geometry.end() && coordinates->is_array()) {
            for (const json& position : *coordinates)
                Point(position, details);
            return;
        }
        const auto members = geometry.find("geometries");
        if (type == "GeometryCollection" && members != geometry.end() && members->is_array()) {
            for (const json& member : *members)
                Geometry(member, details);
            return;
        }
        if (type == "LineString" || type == "MultiLineString")
            return places_.Skip(ORBISK_N_NOOP("Import", "%n line not imported"),
                                ORBISK_N_NOOP("Import", "%n lines not imported"));
        if (type == "Polygon" || type == "MultiPolygon")
            return places_.Skip(ORBISK_N_NOOP("Import", "%n polygon not imported"),
                                ORBISK_N_NOOP("Import", "%n polygons not imported"));
        throw ExchangeError(
            Arg(Tr("Import", "not GeoJSON: an object of type \"%1\""), {type.substr(0, 40)}));
    }

    void Point(const json& position, const Marker& details) {
        const std::string what =
            Arg(Tr("Import", "point %1"), {std::to_string(places_.markers.size() + 1)});
        if (!position.is_array() || position.size() < 2 || !position[0].is_number() ||
            !position[1].is_number())
            throw ExchangeError(
                Arg(Tr("Import", "%1 has no longitude and latitude as numbers"), {what}));
        const double lng = position[0].get<double>();
        const double lat = position[1].get<double>();
        if (!std::isfinite(lng) || lng < -180 || lng > 180)
            throw ExchangeError(
                Arg(Tr("Import", "%1 has longitude %2, not a number from -180 to 180"),
                    {what, position[0].dump()}));
        if (!std::isfinite(lat) || lat < -90 || lat > 90)
            throw ExchangeError(Arg(Tr("Import", "%1 has latitude %2, not a number from -90 to 90"),
                                    {what, position[1].dump()}));
        Marker marker = details;
        marker.lat = CoordinateText(lat);
        marker.lng = CoordinateText(lng);
        places_.markers.push_back(std::move(marker));
        CheckMarkerCount(places_.markers.size());
    }

    ImportedPlaces& places_;
};

} // namespace

ImportedPlaces ReadGeoJson(const std::string& text) {
    std::string why;
    const auto parsed = ParseBoundedJson(text, kMaxDepth, &why);
    if (!parsed)
        throw ExchangeError(why);
    ImportedPlaces places;
    places.read = {ORBISK_N_NOOP("Import", "%n point"), ORBISK_N_NOOP("Import", "%n points")};
    try {
        GeoJsonReader(places).Object(*parsed);
    } catch (const nlohmann::json::exception&) {
        // A member of the wrong type where the reader asked for a text.
        throw ExchangeError(Tr("Import", "not GeoJSON: a \"type\" that is not a text"));
    }
    places.read.count = places.markers.size();
    return places;
}

// Written member by member: a document tree of 250,000 features first would
// cost more time than the writing itself.
std::string WriteGeoJson(const MarkerSet& set) {
    const auto quoted = [](const std::string& text) {
        return json(text).dump(-1, ' ', false, json::error_handler_t::replace);
    };
    std::string out =
        "{\"type\":\"FeatureCollection\",\"name\":" + quoted(set.title) + ",\"features\":[";
    for (size_t i = 0; i < set.Markers().size(); ++i) {
        const Marker& marker = set.Markers()[i];
        const ExportedPoint point = ExportedPointOf(marker, i + 1);
        out += i ? ",\n" : "\n";
        out += "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[" +
               CoordinateText(point.lng) + "," + CoordinateText(point.lat) +
               "]},\"properties\":{\"name\":" + quoted(marker.title);
        if (!marker.url.empty())
            out += ",\"url\":" + quoted(marker.url);
        if (!point.description.empty())
            out += ",\"description\":" + quoted(point.description);
        out += "}}";
    }
    return out + "\n]}\n";
}

} // namespace orbisk
