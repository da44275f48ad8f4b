// SPDX-License-Identifier: GPL-3.0-or-later
#include "html_text.h"

#include "common/text.h"

#include <cctype>
#include <cstdio>

namespace orbisk::server {

std::string EscapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // U+2028 and U+2029 end a line inside a script in older engines.
        if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
            (static_cast<unsigned char>(text[i + 2]) == 0xA8 ||
             static_cast<unsigned char>(text[i + 2]) == 0xA9)) {
            json += static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
            i += 2;
            continue;
        }
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20 || c == '<' || c == '>' || c == '&' || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            json += escape;
        } else {
            json += static_cast<char>(c);
        }
    }
    return json + "\"";
}

std::string SafeLink(const std::string& url) {
    const std::string trimmed = Trimmed(url);
    const std::string lower = Upper(trimmed.substr(0, 8));
    if (lower.rfind("HTTP://", 0) != 0 && lower.rfind("HTTPS://", 0) != 0)
        return {};
    for (unsigned char c : trimmed)
        if (c < 0x20 || c == 0x7F)
            return {};
    return trimmed;
}

std::string DecodeFormValue(const std::string& text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            decoded += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::string EncodeFormValue(const std::string& text) {
    std::string encoded;
    for (unsigned char c : text) {
        if (c == '&' || c == '=' || c == '%' || c == ' ' || c == '<' || c == '>' || c < 0x20) {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        } else {
            encoded += static_cast<char>(c);
        }
    }
    return encoded;
}

std::string EncodeQueryValue(const std::string& text) {
    static const char* kHex = "0123456789ABCDEF";
    std::string encoded;
    for (const unsigned char c : text) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += static_cast<char>(c);
            continue;
        }
        encoded += '%';
        encoded += kHex[c >> 4];
        encoded += kHex[c & 15];
    }
    return encoded;
}

} // namespace orbisk::server
