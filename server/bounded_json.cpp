// SPDX-License-Identifier: GPL-3.0-or-later
#include "bounded_json.h"

namespace orbisk::server {
namespace {

struct TooDeep {};

} // namespace

std::optional<nlohmann::json> ParseBoundedJson(const std::string& text, int maxDepth) {
    const auto guard = [maxDepth](int depth, nlohmann::json::parse_event_t, nlohmann::json&) {
        if (depth > maxDepth)
            throw TooDeep{};
        return true;
    };
    try {
        nlohmann::json parsed = nlohmann::json::parse(text, guard, false);
        if (parsed.is_discarded())
            return std::nullopt;
        return parsed;
    } catch (const TooDeep&) {
        return std::nullopt;
    }
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

} // namespace orbisk::server
