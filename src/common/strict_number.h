// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace orbisk {

// Numbers that must be numbers: the whole text, white space around it aside,
// is one finite decimal number ("12abc", "nan", "inf", "1e400", "-", "." are
// not), and it lies within [min, max].
std::optional<double> StrictNumber(std::string_view text, double min, double max);
std::optional<double> StrictLatitude(std::string_view text);
std::optional<double> StrictLongitude(std::string_view text);
// A whole decimal integer within [min, max].
std::optional<int> StrictInteger(std::string_view text, int min, int max);
std::optional<long long> StrictInteger64(std::string_view text, long long min, long long max);

} // namespace orbisk
