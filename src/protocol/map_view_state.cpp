// SPDX-License-Identifier: GPL-3.0-or-later
#include "protocol/map_view_state.h"

#include "common/leading_number.h"
#include "common/number_format.h"

#include <cmath>

namespace orbisk {

std::string MapViewState::CenterLatitude() const {
    return FormatFixed((LeadingNumber(yMin) + LeadingNumber(yMax)) / 2, 8);
}

std::string MapViewState::CenterLongitude() const {
    return FormatFixed((LeadingNumber(xMin) + LeadingNumber(xMax)) / 2, 8);
}

bool MapViewState::CenterMovedFrom(const std::string& latitude,
                                   const std::string& longitude) const {
    if (latitude.empty() || longitude.empty() || xMin.empty() || xMax.empty() || yMin.empty() ||
        yMax.empty())
        return false;
    const double height = std::fabs(LeadingNumber(yMax) - LeadingNumber(yMin));
    const double width = std::fabs(LeadingNumber(xMax) - LeadingNumber(xMin));
    const double dy =
        std::fabs((LeadingNumber(yMin) + LeadingNumber(yMax)) / 2 - LeadingNumber(latitude));
    const double dx =
        std::fabs((LeadingNumber(xMin) + LeadingNumber(xMax)) / 2 - LeadingNumber(longitude));
    return dy > height / 50 || dx > width / 50;
}

} // namespace orbisk

namespace orbisk {

void MapViewState::ApplyField(const std::string& name, const std::string& value) {
    if (value.empty())
        return;
    if (name == "BVXMin")
        xMin = value;
    else if (name == "BVXMax")
        xMax = value;
    else if (name == "BVYMin")
        yMin = value;
    else if (name == "BVYMax")
        yMax = value;
    else if (name == "BVZoom")
        zoom = LeadingInteger(value);
}

std::pair<std::string, std::string> MapViewState::PixelToLatLng(int x, int y, int bw,
                                                                int bh) const {
    std::string longitude, latitude;
    if (x < 30)
        longitude = xMin;
    else if (x > bw - 30)
        longitude = xMax;
    else
        longitude =
            FormatFixed(LeadingNumber(xMin) + static_cast<double>(x - 15) / (bw - 30) *
                                                  (LeadingNumber(xMax) - LeadingNumber(xMin)),
                        8);
    if (y < 30)
        latitude = yMax;
    else if (y > bh - 30)
        latitude = yMin;
    else
        latitude =
            FormatFixed(LeadingNumber(yMin) + static_cast<double>(bh - y - 15) / (bh - 30) *
                                                  (LeadingNumber(yMax) - LeadingNumber(yMin)),
                        8);
    return {latitude, longitude};
}

} // namespace orbisk
