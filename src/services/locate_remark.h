// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/location_inputs.h"

#include <string>

namespace orbisk {

// What is plainly wrong with the inputs of one locate mode, in a line the
// window shows beside the fields ("Latitude 200 is out of range (-90 to 90)");
// "" when nothing is. The inputs are sent as typed all the same: the server
// decides, the user is only told why the map may not show what they meant.
std::string LocateRemark(LocateMode mode, const LocationInputs& inputs);

} // namespace orbisk
