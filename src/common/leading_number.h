// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace orbisk {

// Numbers in files, store values and answer pages are read from the start of
// the text, ignoring whatever follows: "12abc" is 12, "abc" is 0.

// Optional leading white space, an optional sign, then decimal digits up to the
// first other character. No digits give 0; values beyond int are clamped.
int LeadingInteger(std::string_view text);

// Optional leading white space, then the longest prefix that forms a decimal
// number (sign, digits, decimal point, exponent). None, or a value beyond
// double's range, gives 0.
double LeadingNumber(std::string_view text);

} // namespace orbisk
