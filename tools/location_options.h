// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "arguments.h"
#include "services/location_inputs.h"

#include <optional>
#include <set>
#include <string>

namespace orbisk::tool {

// The options that name locate inputs: --npa --nxx --xxxx --zip --number
// --street --city --state --country --lat --lng.
const std::set<std::string>& LocationOptionNames();

// Overrides the inputs the arguments name; the others keep their values.
void ApplyLocationOptions(const Arguments& arguments, LocationInputs& inputs);

// phone, zip, street or latlng.
std::optional<LocateMode> ParseLocateMode(const std::string& name);

} // namespace orbisk::tool
