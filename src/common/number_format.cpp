// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/number_format.h"

#include <charconv>
#include <cmath>

namespace orbisk {

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value))
        value = 0.0;
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return "0";
    return std::string(text, result.ptr);
}

} // namespace orbisk
