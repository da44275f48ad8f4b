// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "markers/marker.h"

#include <functional>
#include <string>
#include <vector>

namespace orbisk {

struct MapViewState;

// The markers the user works with, with the map centre, zoom, title and
// country under which they are shown. Tracks unsaved changes and tells its
// owner about every change of that state through `onChanged`, which the
// window makes asynchronous (it posts an event).
class MarkerSet {
public:
    using ChangeNotifier = std::function<void()>;

    // Notifies once, then clears.
    explicit MarkerSet(ChangeNotifier onChanged = {});

    // Removes the markers and resets centre, title and country; zoom and the
    // modified flag stay.
    void Clear();
    void AddMarker(Marker marker);
    bool IsModified() const { return modified_; }
    // Notifies even when the value does not change.
    void SetModified(bool modified);
    bool IsEmpty() const { return markers_.empty(); }

    // Markers strictly outside the rectangle; one on an edge is inside.
    int CountOutside(double minLat, double maxLat, double minLng, double maxLng) const;
    // "&CLAT=%s&CLNG=%s&CZOOM=%i"
    std::string CenterFragment() const;
    // Replaces this set's content by `other`'s, moving its markers; neither
    // the modified flag nor a notification.
    void TakeOver(MarkerSet& other);
    // A deep copy with the same owner, not modified.
    MarkerSet CloneForEditing() const;
    // Centre and zoom follow the visible map; an empty title becomes
    // "Current Marker Set". The modified flag is not touched.
    void SyncWithView(const MapViewState& view);

    // More markers than this make no set a map can show; reading refuses them.
    static constexpr size_t kMaxMarkers = 250000;

    // The marker set document: DataSet > MarkerSet > Marker > Info.
    std::string ToXml() const;
    // Clears first; false when the text holds no usable marker set, with the
    // reason in `error` when given. On success the set is not modified and
    // the owner is notified.
    bool FromXml(const std::string& text, std::string* error = nullptr);

    // The position (from 1) of the first Marker element the last FromXml
    // skipped for want of Lat or Lng; 0 when none was.
    size_t FirstSkippedMarker() const { return firstSkippedMarker_; }

    const std::vector<Marker>& Markers() const { return markers_; }
    std::vector<Marker>& Markers() { return markers_; }

    std::string centerLat = "0";
    std::string centerLng = "0";
    // Written by every synchronisation and load before it is read; 2 like a
    // file without a zoom until then.
    int zoom = 2;
    std::string title;
    std::string country = "United States";

private:
    void Notify() const;
    bool ReadDocument(const std::string& text, std::string& problem);

    bool modified_ = false;
    size_t firstSkippedMarker_ = 0;
    ChangeNotifier onChanged_;
    std::vector<Marker> markers_;
};

} // namespace orbisk
