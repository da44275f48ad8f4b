// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk {

// printf("%.Nf") that always writes a decimal point, whatever locale the
// process runs in (the desktop toolkit switches to the user's locale).
std::string FormatFixed(double value, int decimals);

} // namespace orbisk
