// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/imported_places.h"

#include "common/strict_number.h"
#include "common/user_text.h"
#include "markers/marker_set.h"

#include <algorithm>
#include <charconv>

namespace orbisk {

std::string Tally::Text() const {
    return Tr("Import", count == 1 ? singular : plural, nullptr, static_cast<int>(count));
}

void ImportedPlaces::Skip(const char* singular, const char* plural) {
    for (Tally& tally : skipped)
        if (std::string_view(tally.singular) == singular) {
            ++tally.count;
            return;
        }
    skipped.push_back({singular, plural, 1});
}

size_t ImportedPlaces::PathPointCount() const {
    size_t count = 0;
    for (const ImportedPath& path : paths)
        count += path.points.size();
    return count;
}

size_t ImportedPlaces::MarkerCountWith(PathPoints choice) const {
    size_t count = markers.size();
    for (const ImportedPath& path : paths)
        count += choice == PathPoints::All    ? path.points.size()
                 : choice == PathPoints::Ends ? std::min<size_t>(path.points.size(), 2)
                                              : 0;
    return count;
}

namespace {

Marker PathMarker(const ImportedPath& path, size_t index, const std::string& label) {
    Marker marker;
    marker.lat = CoordinateText(path.points[index].first);
    marker.lng = CoordinateText(path.points[index].second);
    marker.title = path.name + " " + label;
    return marker;
}

} // namespace

void ImportedPlaces::TakePathPoints(PathPoints choice) {
    size_t routes = 0;
    size_t tracks = 0;
    size_t points[2] = {0, 0}; // of routes, of tracks
    for (ImportedPath& path : paths) {
        const size_t number = path.track ? ++tracks : ++routes;
        if (path.name.empty())
            path.name = Arg(path.track ? Tr("Import", "Track %1") : Tr("Import", "Route %1"),
                            {std::to_string(number)});
        if (choice == PathPoints::None || path.points.empty())
            continue;
        if (choice == PathPoints::All) {
            for (size_t i = 0; i < path.points.size(); ++i)
                markers.push_back(PathMarker(path, i, std::to_string(i + 1)));
            points[path.track] += path.points.size();
            continue;
        }
        markers.push_back(PathMarker(path, 0, Tr("Import", "(start)")));
        if (path.points.size() > 1)
            markers.push_back(PathMarker(path, path.points.size() - 1, Tr("Import", "(end)")));
        points[path.track] += std::min<size_t>(path.points.size(), 2);
    }
    pathTallies_.clear();
    if (points[0] > 0)
        pathTallies_.push_back({ORBISK_N_NOOP("Import", "%n route point"),
                                ORBISK_N_NOOP("Import", "%n route points"), points[0]});
    if (points[1] > 0)
        pathTallies_.push_back({ORBISK_N_NOOP("Import", "%n track point"),
                                ORBISK_N_NOOP("Import", "%n track points"), points[1]});
    if (choice == PathPoints::None) {
        if (routes > 0)
            pathTallies_.push_back({ORBISK_N_NOOP("Import", "%n route not imported"),
                                    ORBISK_N_NOOP("Import", "%n routes not imported"), routes});
        if (tracks > 0)
            pathTallies_.push_back({ORBISK_N_NOOP("Import", "%n track not imported"),
                                    ORBISK_N_NOOP("Import", "%n tracks not imported"), tracks});
    }
    paths.clear();
}

std::string ImportedPlaces::Report() const {
    std::vector<std::string> parts;
    if (read.count > 0)
        parts.push_back(read.Text());
    for (const Tally& tally : pathTallies_)
        parts.push_back(tally.Text());
    for (const Tally& tally : skipped)
        parts.push_back(tally.Text());
    if (propertiesLeftOut > 0)
        parts.push_back(Tally{ORBISK_N_NOOP("Import", "%n property left out for want of room"),
                              ORBISK_N_NOOP("Import", "%n properties left out for want of room"),
                              propertiesLeftOut}
                            .Text());
    if (parts.empty())
        return Tr("Import", "nothing to import");
    std::string report = parts[0];
    for (size_t i = 1; i < parts.size(); ++i)
        report += "; " + parts[i];
    return report;
}

namespace {

// A value from the file as a message quotes it: a hostile file's megabyte
// of "latitude" is cut to its start.
std::string Quoted(const std::string& text) {
    constexpr size_t kShown = 40;
    return text.size() <= kShown ? text : text.substr(0, kShown) + "...";
}

} // namespace

std::string MoreMarkersThanASetHolds() {
    return Arg(Tr("Import", "more than %1 markers; a marker set holds at most that many"),
               {std::to_string(MarkerSet::kMaxMarkers)});
}

void CheckMarkerCount(size_t count) {
    if (count > MarkerSet::kMaxMarkers)
        throw ExchangeError(MoreMarkersThanASetHolds());
}

double ImportedLatitude(const std::string& text, const std::string& what) {
    if (const auto value = StrictLatitude(text))
        return *value;
    throw ExchangeError(Arg(Tr("Import", "%1 has latitude \"%2\", not a number from -90 to 90"),
                            {what, Quoted(text)}));
}

double ImportedLongitude(const std::string& text, const std::string& what) {
    if (const auto value = StrictLongitude(text))
        return *value;
    throw ExchangeError(Arg(Tr("Import", "%1 has longitude \"%2\", not a number from -180 to 180"),
                            {what, Quoted(text)}));
}

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::string CoordinateText(double value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text(buffer, end.ptr);
    return text == "-0" ? "0" : text;
}

bool AddProperty(Marker& marker, const std::string& name, const std::string& value) {
    if (marker.infoLines.size() >= kDetailLineRoom)
        return false;
    marker.infoLines.push_back(name + ": " + value);
    return true;
}

} // namespace orbisk
