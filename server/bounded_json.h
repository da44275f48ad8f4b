// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace orbisk::server {

// An outside service's JSON answer, or nothing when it is not JSON or nests
// deeper than `maxDepth`: an answer built to exhaust the parser is refused
// while it is read, not after.
std::optional<nlohmann::json> ParseBoundedJson(const std::string& text, int maxDepth);

// The member as text when it is a string, else empty; control characters
// dropped and at most `maxBytes` kept (cut at a character boundary).
std::string JsonText(const nlohmann::json& object, const char* name, size_t maxBytes = 200);

} // namespace orbisk::server
