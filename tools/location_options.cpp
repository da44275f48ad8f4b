// SPDX-License-Identifier: GPL-3.0-or-later
#include "location_options.h"

#include <utility>

namespace orbisk::tool {
namespace {

using Field = std::string LocationInputs::*;

const std::pair<const char*, Field> kFields[] = {
    {"npa", &LocationInputs::npa},
    {"nxx", &LocationInputs::nxx},
    {"xxxx", &LocationInputs::xxxx},
    {"zip", &LocationInputs::zip},
    {"number", &LocationInputs::streetNumber},
    {"street", &LocationInputs::streetAddress},
    {"city", &LocationInputs::city},
    {"state", &LocationInputs::state},
    {"country", &LocationInputs::country},
    {"lat", &LocationInputs::latitude},
    {"lng", &LocationInputs::longitude},
};

} // namespace

const std::set<std::string>& LocationOptionNames() {
    static const std::set<std::string> names = [] {
        std::set<std::string> all;
        for (const auto& [name, field] : kFields)
            all.insert(name);
        return all;
    }();
    return names;
}

void ApplyLocationOptions(const Arguments& arguments, LocationInputs& inputs) {
    for (const auto& [name, field] : kFields)
        if (const auto value = arguments.Value(name))
            inputs.*field = *value;
}

std::optional<LocateMode> ParseLocateMode(const std::string& name) {
    if (name == "phone")
        return LocateMode::Phone;
    if (name == "zip")
        return LocateMode::Zip;
    if (name == "street")
        return LocateMode::Street;
    if (name == "latlng")
        return LocateMode::LatLng;
    return std::nullopt;
}

} // namespace orbisk::tool
