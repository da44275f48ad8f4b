// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk {

// How the user locates a place; sent as SH and NS.
enum class LocateMode { Phone = 0, Zip = 1, Street = 2, LatLng = 3 };

// The eleven location texts of the locate panel plus the search keyword.
struct LocationInputs {
    std::string xxxx;
    std::string npa;
    std::string nxx;
    std::string zip;
    std::string city;
    std::string streetAddress;
    std::string streetNumber;
    std::string state;
    std::string country;
    std::string latitude;
    std::string longitude;
    std::string localSearchKey;

    // The built-in initial values, used until a definition file supplies others.
    static LocationInputs BuiltInDefaults() {
        return {"1414", "202", "456",           "20502",     "Washington", "Pennsylvania Ave",
                "1600", "DC",  "United States", "38.898748", "-77.037684", "Pizza"};
    }
};

} // namespace orbisk
