// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/strict_number.h"

#include <charconv>
#include <cmath>

namespace orbisk {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// from_chars refuses a leading "+" but takes "inf", "nan" and "infinity",
// which are not decimal numbers.
bool LooksDecimal(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    for (char c : text)
        if (IsDigit(c))
            return text[0] == '.' || IsDigit(text[0]);
    return false;
}

} // namespace

std::optional<double> StrictNumber(std::string_view text, double min, double max) {
    text = Trimmed(text);
    if (!LooksDecimal(text))
        return std::nullopt;
    if (text[0] == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<double> StrictLatitude(std::string_view text) {
    return StrictNumber(text, -90, 90);
}

std::optional<double> StrictLongitude(std::string_view text) {
    return StrictNumber(text, -180, 180);
}

std::optional<long long> StrictInteger64(std::string_view text, long long min, long long max) {
    text = Trimmed(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min ||
        value > max)
        return std::nullopt;
    return value;
}

std::optional<int> StrictInteger(std::string_view text, int min, int max) {
    const auto value = StrictInteger64(text, min, max);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

} // namespace orbisk
