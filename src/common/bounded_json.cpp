// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/bounded_json.h"

namespace orbisk {
namespace {

// Whether arrays and objects nest more than `maxDepth` deep, strings aside.
// One pass over the bytes before the parser: the parser's own callback would
// cost more than the parse.
bool NestsDeeperThan(const std::string& text, int maxDepth) {
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maxDepth)
                return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

} // namespace

std::optional<nlohmann::json> ParseBoundedJson(const std::string& text, int maxDepth,
                                               std::string* error) {
    if (NestsDeeperThan(text, maxDepth)) {
        if (error)
            *error = "nested deeper than " + std::to_string(maxDepth) + " levels";
        return std::nullopt;
    }
    try {
        return nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& failure) {
        // Past the library's "[json.exception...] " tag the message is plain words.
        const std::string what = failure.what();
        const size_t tag = what.find("] ");
        if (error)
            *error = "not JSON: " + (tag == std::string::npos ? what : what.substr(tag + 2));
    }
    return std::nullopt;
}

std::string JsonText(const nlohmann::json& object, const char* name, size_t maxBytes) {
    const auto found = object.find(name);
    if (found == object.end() || !found->is_string())
        return "";
    std::string text;
    for (const unsigned char c : found->get_ref<const std::string&>())
        if (c >= ' ' && c != 0x7f)
            text += static_cast<char>(c);
    if (text.size() <= maxBytes)
        return text;
    size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}

} // namespace orbisk
