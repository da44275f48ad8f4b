// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker_set.h"

#include "common/leading_number.h"
#include "protocol/map_view_state.h"

namespace orbisk {

MarkerSet::MarkerSet(ChangeNotifier onChanged) : onChanged_(std::move(onChanged)) {
    Notify();
    Clear();
}

void MarkerSet::Notify() const {
    if (onChanged_)
        onChanged_();
}

void MarkerSet::Clear() {
    markers_.clear();
    centerLat = "0";
    centerLng = "0";
    title.clear();
    country = "United States";
}

void MarkerSet::AddMarker(Marker marker) {
    markers_.push_back(std::move(marker));
    modified_ = true;
    Notify();
}

void MarkerSet::SetModified(bool modified) {
    modified_ = modified;
    Notify();
}

int MarkerSet::CountOutside(double minLat, double maxLat, double minLng, double maxLng) const {
    int outside = 0;
    for (const Marker& marker : markers_) {
        const double lat = LeadingNumber(marker.lat);
        const double lng = LeadingNumber(marker.lng);
        if (lat < minLat || lng < minLng || lat > maxLat || lng > maxLng)
            ++outside;
    }
    return outside;
}

std::string MarkerSet::CenterFragment() const {
    return "&CLAT=" + centerLat + "&CLNG=" + centerLng + "&CZOOM=" + std::to_string(zoom);
}

void MarkerSet::TakeOver(MarkerSet& other) {
    Clear();
    zoom = other.zoom;
    centerLat = other.centerLat;
    centerLng = other.centerLng;
    title = other.title;
    country = other.country;
    markers_ = std::move(other.markers_);
    other.markers_.clear();
}

MarkerSet MarkerSet::CloneForEditing() const {
    MarkerSet copy(onChanged_);
    copy.zoom = zoom;
    copy.centerLat = centerLat;
    copy.centerLng = centerLng;
    copy.title = title;
    copy.country = country;
    copy.markers_ = markers_;
    return copy;
}

void MarkerSet::SyncWithView(const MapViewState& view) {
    centerLat = view.CenterLatitude();
    centerLng = view.CenterLongitude();
    zoom = view.zoom;
    if (title.empty())
        title = "Current Marker Set";
}

} // namespace orbisk
