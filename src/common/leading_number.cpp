// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/leading_number.h"

#include <charconv>
#include <climits>

namespace orbisk {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view SkipSpace(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return text.substr(i);
}

} // namespace

int LeadingInteger(std::string_view text) {
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        if (value <= static_cast<long long>(INT_MAX) + 1)
            value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double LeadingNumber(std::string_view text) {
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan", which are not decimal numbers.
    if (text.empty() || !(IsDigit(text[0]) || text[0] == '.'))
        return 0.0;
    double value = 0.0;
    auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

} // namespace orbisk
