// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/user_text.h"
#include "markers/marker.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orbisk {

// A route or track: its points become markers only as the user chooses, so
// a 50,000-point track never turns into 50,000 markers unasked.
struct ImportedPath {
    bool track = true;
    std::string name;
    std::vector<std::pair<double, double>> points; // latitude, longitude
};

// Which points of routes and tracks become markers.
enum class PathPoints { None, Ends, All };

// Counts of one kind of thing read or left out, named for the report by
// texts with "%n" in them, marked for translation (context "Import").
struct Tally {
    const char* singular;
    const char* plural;
    size_t count = 0;
    std::string Text() const;
};

// What a file held, before it becomes a marker set.
struct ImportedPlaces {
    std::string title;
    std::vector<Marker> markers;
    // What each of `markers` was in the file: "waypoint", "placemark", ...
    Tally read{ORBISK_N_NOOP("Import", "%n marker"), ORBISK_N_NOOP("Import", "%n markers")};
    std::vector<ImportedPath> paths;
    // Geometries and features that no marker can hold, by kind.
    std::vector<Tally> skipped;
    // Properties that found no free detail line.
    size_t propertiesLeftOut = 0;

    void Skip(const char* singular, const char* plural);
    size_t PathPointCount() const;
    // The markers that `choice` makes, so many that they must be asked about first.
    size_t MarkerCountWith(PathPoints choice) const;
    // Appends the chosen points of the paths to `markers`; the report says what was read.
    void TakePathPoints(PathPoints choice);
    // "412 waypoints; 3 tracks not imported"
    std::string Report() const;

private:
    std::vector<Tally> pathTallies_;
};

// Why a file cannot be imported or a set exported, in words for the user.
struct ExchangeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The coordinate as a number in range; ExchangeError naming `what` otherwise.
double ImportedLatitude(const std::string& text, const std::string& what);
double ImportedLongitude(const std::string& text, const std::string& what);

// ExchangeError when a file holds more markers than a marker set may.
void CheckMarkerCount(size_t count);
// "more than 200 markers; a marker set holds at most that many"
std::string MoreMarkersThanASetHolds();

// The detail lines a marker shows; properties beyond them are left out.
constexpr size_t kDetailLineRoom = 4;

// Lines of a plain text, "\r\n" or "\n" apart; empty lines at the end dropped.
std::vector<std::string> TextLines(const std::string& text);
// A coordinate as the shortest decimal that reads back the same number.
std::string CoordinateText(double value);
// Adds "name: value" to the detail lines while there is room; false when not.
bool AddProperty(Marker& marker, const std::string& name, const std::string& value);

} // namespace orbisk
