// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace orbisk {

// JSON from outside (a service's answer, a user's file), or nothing when it
// is not JSON or nests deeper than `maxDepth`: a text built to exhaust the
// parser is refused while it is read, not after. `error`, when given, says why.
std::optional<nlohmann::json> ParseBoundedJson(const std::string& text, int maxDepth,
                                               std::string* error = nullptr);

// The member as text when it is a string, else empty; control characters
// dropped and at most `maxBytes` kept (cut at a character boundary).
std::string JsonText(const nlohmann::json& object, const char* name, size_t maxBytes = 200);

} // namespace orbisk
