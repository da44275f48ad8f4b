// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_page.h"

#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "html_text.h"
#include "markers/marker_set.h"
#include "search/local_search_result_set.h"

#include <algorithm>
#include <cmath>

namespace orbisk::server {
namespace {

constexpr int kMaxZoom = 16;
constexpr int kMaxPixels = 10000;

int ClampedZoom(int zoom) {
    return std::clamp(zoom, 0, kMaxZoom);
}

std::optional<PagePoint> PointOf(const std::string& lat, const std::string& lng) {
    const auto y = StrictLatitude(lat);
    const auto x = StrictLongitude(lng);
    if (!y || !x)
        return std::nullopt;
    return PagePoint{*y, *x};
}

std::vector<std::string> InfoLines(const MapRequest& request, PageLanguage language) {
    std::vector<std::string> lines;
    for (int i = 0; request.Has("INFO" + std::to_string(i)); ++i)
        lines.push_back(TranslatedPlaceLine(request.Get("INFO" + std::to_string(i)), language));
    return lines;
}

// The server's own lookup of the raw keys of a locate the client could not resolve.
std::optional<Place> LookUp(const MapRequest& request, const GeoData& geo) {
    switch (LeadingInteger(request.Get("SH"))) {
    case 0: return geo.Exchange(Trimmed(request.Get("NPA")), Trimmed(request.Get("NXX")));
    case 1: {
        const std::string zip = Trimmed(request.Get("ZIP"));
        if (auto place = geo.Zip(zip))
            return place;
        return zip.size() >= 3 && std::isalpha(static_cast<unsigned char>(zip[0]))
                   ? geo.PostalCode(zip)
                   : std::nullopt;
    }
    case 2: return geo.CityIn(request.Get("CITY"), request.Get("STATE"));
    default: return std::nullopt;
    }
}

void PlaceView(const MapRequest& request, const GeoData& geo, MapPageContent& content) {
    const PageTexts& texts = TextsFor(content.language);
    const bool located = request.Get("NS") == "3";
    if (const auto place =
            located ? PointOf(request.Get("LAT"), request.Get("LNG")) : std::nullopt) {
        content.place = place;
        content.placeLines = InfoLines(request, content.language);
    } else if (located && !Trimmed(request.Get("LAT") + request.Get("LNG")).empty()) {
        // A located point off the globe is a failed locate, not the whole continent.
        content.notFound = texts.notFoundOffGlobe;
    } else if (!located && request.Has("SH")) {
        if (const auto found = LookUp(request, geo)) {
            content.place = PagePoint{found->lat, found->lng};
            content.placeLines = InfoLines(request, content.language);
            content.placeLines.push_back(found->name.empty() ? found->region
                                                             : found->name + ", " + found->region);
        } else if (LeadingInteger(request.Get("SH")) == 0 &&
                   IsNonGeographicAreaCode(Trimmed(request.Get("NPA")))) {
            content.notFound = texts.notFoundNonGeographic;
            const size_t at = content.notFound.find("%1");
            content.notFound.replace(at, 2, Trimmed(request.Get("NPA")));
        } else {
            content.notFound = texts.notFoundOffline;
        }
    }
    if (const auto center = PointOf(request.Get("CLAT"), request.Get("CLNG"))) {
        content.center = *center;
        content.zoom = ClampedZoom(LeadingInteger(request.Get("CZOOM")));
    } else if (content.place) {
        const int fz = request.Has("FZ") ? LeadingInteger(request.Get("FZ")) : -1;
        content.center = *content.place;
        content.zoom = ClampedZoom(fz == -1 ? LeadingInteger(request.Get("ZOOM")) : fz);
    }
}

// What the page says when the place shown is coarser than the one asked for.
std::string FallbackNote(const MapRequest& request, const MapPageContent& content) {
    if (!content.place)
        return "";
    for (int i = 0; request.Has("INFO" + std::to_string(i)); ++i)
        if (request.Get("INFO" + std::to_string(i)).find("(Street not found)") != std::string::npos)
            return TextsFor(content.language).streetNotFound;
    return "";
}

// The words of the page's script.
std::string JsonTexts(const PageTexts& texts) {
    const std::pair<const char*, const char*> entries[] = {
        {"locatedPlace", texts.locatedPlace},
        {"panNorth", texts.panNorth},
        {"panSouth", texts.panSouth},
        {"panWest", texts.panWest},
        {"panEast", texts.panEast},
        {"zoomIn", texts.zoomIn},
        {"zoomOut", texts.zoomOut},
        {"satelliteOffline", texts.satelliteOffline},
        {"mapData", texts.mapData},
        {"osmContributors", texts.osmContributors},
        {"partNotLoaded", texts.partNotLoaded}};
    std::string json = "{";
    for (const auto& [name, text] : entries)
        json += (json.size() > 1 ? ",\"" : "\"") + std::string(name) + "\":" + JsonString(text);
    return json + "}";
}

void ReadMarkers(const MapRequest& request, MapPageContent& content) {
    MarkerSet set;
    if (request.markersXml.empty() || !set.FromXml(request.markersXml))
        return;
    for (const Marker& marker : set.Markers())
        if (const auto at = PointOf(marker.lat, marker.lng))
            content.markers.push_back({*at, marker.title, marker.infoLines, SafeLink(marker.url)});
}

void ReadResults(const MapRequest& request, MapPageContent& content) {
    LocalSearchResultSet set;
    if (request.resultsXml.empty() || !set.ReadResultSet(request.resultsXml))
        return;
    const int first = std::max(set.firstResultPosition, 1);
    for (size_t i = 0; i < set.results.size(); ++i) {
        const LocalSearchResult& result = set.results[i];
        if (const auto at = PointOf(result.latitude, result.longitude))
            content.results.push_back({first + static_cast<int>(i), *at, result.title,
                                       result.address, result.city, result.state, result.phone,
                                       SafeLink(result.businessUrl)});
    }
}

std::string Number(double value) {
    return FormatFixed(value, 6);
}

std::string JsonPoint(const PagePoint& point) {
    return "[" + Number(point.lat) + "," + Number(point.lng) + "]";
}

std::string JsonLines(const std::vector<std::string>& lines) {
    std::string json = "[";
    for (size_t i = 0; i < lines.size(); ++i)
        json += (i ? "," : "") + JsonString(lines[i]);
    return json + "]";
}

std::string JsonData(const MapPageContent& content, const StaticUrl& staticUrl) {
    std::string json = "{\"center\":" + JsonPoint(content.center) +
                       ",\"zoom\":" + std::to_string(LeafletZoom(content.zoom)) +
                       ",\"mapControl\":" + std::to_string(content.mapControl) +
                       ",\"mapType\":" + std::to_string(content.mapType) +
                       ",\"notFound\":" + JsonString(content.notFound) +
                       ",\"fellBack\":" + JsonString(content.fellBack) +
                       ",\"offline\":" + JsonString(content.offline) +
                       ",\"text\":" + JsonTexts(TextsFor(content.language)) +
                       ",\"files\":{\"overview\":" + JsonString(staticUrl("overview.json")) +
                       ",\"outlines\":" + JsonString(staticUrl("outlines.json")) +
                       ",\"counties\":" + JsonString(staticUrl("counties.json")) +
                       ",\"cells\":" + JsonString(staticUrl("cells.json")) +
                       ",\"cities\":" + JsonString(staticUrl("cities.json")) +
                       ",\"regions\":" + JsonString(staticUrl("regions.json")) + "},\"place\":";
    json += content.place ? "{\"at\":" + JsonPoint(*content.place) +
                                ",\"lines\":" + JsonLines(content.placeLines) + "}"
                          : "null";
    json += ",\"markers\":[";
    for (size_t i = 0; i < content.markers.size(); ++i) {
        const PageMarker& marker = content.markers[i];
        json += std::string(i ? "," : "") + "{\"at\":" + JsonPoint(marker.at) +
                ",\"title\":" + JsonString(marker.title) +
                ",\"details\":" + JsonLines(marker.details) +
                ",\"link\":" + JsonString(marker.link) + "}";
    }
    json += "],\"results\":[";
    for (size_t i = 0; i < content.results.size(); ++i) {
        const PageResult& result = content.results[i];
        json += std::string(i ? "," : "") + "{\"number\":" + std::to_string(result.number) +
                ",\"at\":" + JsonPoint(result.at) + ",\"title\":" + JsonString(result.title) +
                ",\"address\":" + JsonString(result.address) +
                ",\"city\":" + JsonString(result.city) + ",\"state\":" + JsonString(result.state) +
                ",\"phone\":" + JsonString(result.phone) + ",\"link\":" + JsonString(result.link) +
                "}";
    }
    return json + "]}";
}

// The edges of the map as Leaflet will draw it (Plate Carree: 256 * 2^zoom
// pixels per 180 degrees), so the fields are right before the script runs.
std::string HiddenView(const MapPageContent& content) {
    const double pixelsPerDegree = 256.0 * std::pow(2.0, LeafletZoom(content.zoom)) / 180.0;
    const double halfWidth = content.width / 2.0 / pixelsPerDegree;
    const double halfHeight = content.height / 2.0 / pixelsPerDegree;
    const auto input = [](const char* name, const std::string& value) {
        return std::string("<input type=\"hidden\" name=\"") + name + "\" id=\"" + name +
               "\" value=\"" + value + "\">";
    };
    return "<form id=\"view\">" + input("BVXMin", FormatFixed(content.center.lng - halfWidth, 8)) +
           input("BVXMax", FormatFixed(content.center.lng + halfWidth, 8)) +
           input("BVYMin", FormatFixed(content.center.lat - halfHeight, 8)) +
           input("BVYMax", FormatFixed(content.center.lat + halfHeight, 8)) +
           input("BVZoom", std::to_string(content.zoom)) + "</form>";
}

} // namespace

MapPageContent BuildMapPageContent(const MapRequest& request, const GeoData& geo,
                                   PageLanguage language) {
    MapPageContent content;
    content.language = language;
    if (request.Has("WI"))
        content.width = std::clamp(LeadingInteger(request.Get("WI")), 1, kMaxPixels);
    if (request.Has("HE"))
        content.height = std::clamp(LeadingInteger(request.Get("HE")), 1, kMaxPixels);
    content.mapControl = std::clamp(LeadingInteger(request.Get("MAPC")), 0, 2);
    content.mapType = LeadingInteger(request.Get("MAPT")) == 0 ? 0 : 1;
    PlaceView(request, geo, content);
    content.fellBack = FallbackNote(request, content);
    ReadMarkers(request, content);
    ReadResults(request, content);
    return content;
}

std::string PlainStaticUrl(const std::string& name) {
    return "/static/" + name;
}

std::string RenderMapPage(const MapPageContent& content, const StaticUrl& staticUrl) {
    const std::string size = "width:" + std::to_string(content.width) +
                             "px;height:" + std::to_string(content.height) + "px";
    const auto style = [&](const char* name) {
        return "<link rel=\"stylesheet\" href=\"" + EscapeHtml(staticUrl(name)) + "\">\n";
    };
    // Leaflet, then the page's own layers, then the page that composes them.
    std::string scriptList;
    for (const char* name : {"leaflet/leaflet.min.js", "common.js", "view.js", "outlines.js",
                             "labels.js", "results.js", "map.js"})
        scriptList += (scriptList.empty() ? "" : ",") + JsonString(staticUrl(name));
    // The browser fetches a parser's script again on every post of the same
    // page, but takes one added by script from its cache; added in order and
    // before the load event, they still run in order and delay it.
    const std::string scripts = "<script>for(const src of[" + scriptList +
                                "]){const s=document.createElement('script');"
                                "s.src=src;s.async=false;document.body.appendChild(s);}</script>\n";
    const PageTexts& texts = TextsFor(content.language);
    return std::string("<!DOCTYPE html>\n<html lang=\"") + texts.htmlLanguage +
           "\"><head><meta charset=\"utf-8\"><title>" + texts.title + "</title>\n" +
           style("leaflet/leaflet.css") + style("map.css") + "<style>#map{" + size +
           "}</style></head>\n<body class=\"" + (content.mapType ? "satellite" : "plain") +
           "\">\n<div id=\"map\"></div>\n" + HiddenView(content) +
           "\n<script type=\"application/json\" id=\"orbisk-data\">" +
           JsonData(content, staticUrl) + "</script>\n" + scripts + "</body></html>\n";
}

std::string RenderErrorPage(const std::vector<std::string>& errors) {
    std::string page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Orbisk "
        "map</title></head><body>"
        "<h1>The map request could not be read</h1><p>The program could not encode its request";
    page += errors.empty() ? "." : ":";
    page += "</p><ul>";
    for (const std::string& error : errors)
        page += "<li>" + EscapeHtml(error) + "</li>";
    return page + "</ul></body></html>\n";
}

} // namespace orbisk::server
