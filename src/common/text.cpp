// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text.h"

#include <algorithm>
#include <cctype>

namespace orbisk {

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return c < 0x80 ? static_cast<char>(std::toupper(c)) : static_cast<char>(c);
    });
    return text;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return c < 0x80 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c);
    });
    return text;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string urlEscape(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\n': escaped += "%0D"; break;
        case ' ': escaped += "%20"; break;
        case '!': escaped += "%21"; break;
        case '"': escaped += "%22"; break;
        case '#': escaped += "%23"; break;
        case '$': escaped += "%24"; break;
        case '&': escaped += "%26"; break;
        case '\'': escaped += "%27"; break;
        case '(': escaped += "%28"; break;
        case ')': escaped += "%29"; break;
        case ',': escaped += "%2C"; break;
        case '.': escaped += "%2E"; break;
        case ':': escaped += "%3A"; break;
        case ';': escaped += "%3B"; break;
        case '?': escaped += "%3F"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

} // namespace orbisk
