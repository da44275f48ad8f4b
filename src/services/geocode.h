// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/location_inputs.h"
#include "services/service_client.h"

#include <string>

namespace orbisk {

// What a locate gives back to the map request. The caller applies
// `canadian` and `markerSetCountry` to the window after clearing them to not
// Canadian and "United States" before the call.
struct GeocodeResult {
    bool success = false;
    std::string latitude;  // changed only on success
    std::string longitude; // changed only on success
    std::string zoomOverride = "-1";
    InfoLines infoLines; // up to three display lines, also after a failure
    bool canadian = false;
    std::string markerSetCountry = "United States";
    // Why a failed locate failed when it was not for want of a match: a
    // service that did not answer, or an answer no rule could read.
    std::string error;
};

// Locates by telephone number, zip or postal code, or street address through
// the outside services of the definitions. The latitude/longitude mode needs
// no lookup and fails here. Never throws: every failure is a failed locate,
// with its reason kept.
GeocodeResult Geocode(LocateMode mode, const LocationInputs& inputs, const ServiceContext& context,
                      int defaultZoom);

} // namespace orbisk
