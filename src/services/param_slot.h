// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace orbisk {

// The numbered text slots shared by every service client and the definition
// file ("Index" of RequestProperty and ResultProperty).
enum ParamSlot : size_t {
    Npa = 0,
    Nxx = 1,
    Xxxx = 2,
    StreetNumber = 3,
    StreetAddress = 4,
    StreetLine = 5,
    City = 6,
    State = 7,
    Country = 8,
    Phone = 9,
    Zip = 10,
    Name1 = 11,
    Name2 = 12,
    Latitude = 13,
    Longitude = 14,
};

// Slots per record; local search adds two more for the keyword and position.
inline constexpr size_t kSlotCount = 15;

} // namespace orbisk
