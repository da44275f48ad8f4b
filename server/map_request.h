// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orbisk::server {

// What a map page POST carries, decoded: the parameter keys of Q in order,
// the local search document (L) and the marker set document (M), and the
// client's "E=" notes.
struct MapRequest {
    bool hasQuery = false;
    std::vector<std::pair<std::string, std::string>> keys;
    std::string resultsXml;
    std::string markersXml;
    std::vector<std::string> errors;

    // The last value of a key, or "" when it is absent.
    std::string Get(const std::string& key) const;
    bool Has(const std::string& key) const;
};

// Reads the three body forms: "QLM=" + encoded parts, the "Q=" fallback with
// its "E=" notes, and "E=" alone; also when an HTML form sent them escaped.
MapRequest ParseMapBody(const std::string& body);

// "KEY=value&KEY=value": values are sent unescaped, so a piece starts only at
// an "&" followed by an upper-case key and "="; any other "&" is part of a value.
std::vector<std::pair<std::string, std::string>> ParseQueryKeys(const std::string& query);

} // namespace orbisk::server
