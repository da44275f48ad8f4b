// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/geocode.h"

#include "services/geocoders.h"

#include <exception>

namespace orbisk {
namespace {

void MarkCanadian(GeocodeResult& result) {
    result.canadian = true;
    result.markerSetCountry = "Canada";
}

void LocateStreet(const LocationInputs& inputs, const ServiceContext& context, int defaultZoom,
                  GeocodeResult& result) {
    PrimaryGeocoder geocoder(context, &result.infoLines);
    if (inputs.country == "Canada") {
        MarkCanadian(result);
        geocoder.SetIsCanada(true);
    }
    geocoder.SetSlot(City, inputs.city);
    geocoder.SetSlot(State, inputs.state);
    geocoder.SetSlot(StreetAddress, inputs.streetAddress);
    geocoder.SetSlot(StreetNumber, inputs.streetNumber);
    result.success = geocoder.Resolve(result.latitude, result.longitude);
    if (result.success && geocoder.Precision() == -2)
        result.zoomOverride = std::to_string(defaultZoom);
}

void LocateZip(const LocationInputs& inputs, const ServiceContext& context, GeocodeResult& result) {
    PostalCodeGeocoder postal(context, &result.infoLines);
    if (IsCanadianPostalCode(inputs.zip, postal)) {
        MarkCanadian(result);
        result.success = postal.Resolve(result.latitude, result.longitude);
        return;
    }
    ZipGeocoder zip(context, &result.infoLines);
    if (IsUsZipCode(inputs.zip, zip))
        result.success = zip.Resolve(result.latitude, result.longitude);
}

void LocatePhone(const LocationInputs& inputs, const ServiceContext& context, int defaultZoom,
                 GeocodeResult& result) {
    PrimaryGeocoder geocoder(context, &result.infoLines);
    geocoder.SetSlot(Npa, inputs.npa);
    geocoder.SetSlot(Nxx, inputs.nxx);
    geocoder.SetSlot(Xxxx, inputs.xxxx);
    try {
        result.success = geocoder.Resolve(result.latitude, result.longitude);
    } catch (const std::exception& error) {
        result.success = false;
        result.error = error.what();
    }
    if (result.success && geocoder.Precision() == -2)
        result.zoomOverride = std::to_string(defaultZoom);
    if (geocoder.IsCanada())
        MarkCanadian(result);
}

} // namespace

GeocodeResult Geocode(LocateMode mode, const LocationInputs& inputs, const ServiceContext& context,
                      int defaultZoom) {
    GeocodeResult result;
    ServiceContext traced = context;
    traced.failure = &result.error;
    try {
        switch (mode) {
        case LocateMode::Street: LocateStreet(inputs, traced, defaultZoom, result); break;
        case LocateMode::Zip: LocateZip(inputs, traced, result); break;
        case LocateMode::Phone: LocatePhone(inputs, traced, defaultZoom, result); break;
        case LocateMode::LatLng: break;
        }
    } catch (const std::exception& error) {
        result.success = false;
        result.error = error.what();
    }
    if (result.success) {
        result.error.clear(); // a service that failed before another found the place
        return result;
    }
    result.latitude.clear();
    result.longitude.clear();
    return result;
}

} // namespace orbisk
