// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/local_search_result.h"

#include <string>
#include <vector>

namespace orbisk {

// One page of local search results with the counters the service gave.
class LocalSearchResultSet {
public:
    std::vector<LocalSearchResult> results;
    int totalResultsAvailable = 0; // -1 when the service gives no total
    int totalResultsReturned = 0;
    int firstResultPosition = 0; // counted from 1
    std::string resultSetMapUrl;

    // A "ResultSet" answer (United States). False only when the text is not
    // XML; another document element gives no results and zero counters.
    bool ReadResultSet(const std::string& text);
    // Records of fifteen extracted values each (Canada).
    bool FromRecords(const std::vector<std::string>& values);
    // The "ResultSet" document for the map: results in reverse order, then
    // "ResultSetMapUrl". False, with empty text, on a failure of the XML layer.
    bool ToXml(std::string& text) const;
};

} // namespace orbisk
