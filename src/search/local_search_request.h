// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/local_search_status.h"
#include "services/service_client.h"

#include <string>

namespace orbisk {

// A local search client: the United States variant (type 5, search type 8)
// or the Canada variant (6, 9). Slots 13 and 14 hold the search point; slot
// 15 the escaped keyword and slot 16 the first position are added.
class LocalSearchRequest : public ServiceClient {
public:
    LocalSearchRequest(bool canada, ServiceContext context, const std::string& latitude,
                       const std::string& longitude, const std::string& keyword, int first);
};

// What a local search leaves for the window: the document for the map page
// (empty after a failed or skipped search) and the counters.
struct LocalSearchOutcome {
    std::string resultsText;
    LocalSearchCounters counters;
    std::string error; // why an offered service gave no results; "" otherwise
};

// Asks the variant's service for one page of `keyword` around the point.
// A failed search keeps the counters and gives no document.
LocalSearchOutcome RunLocalSearch(const std::string& latitude, const std::string& longitude,
                                  const std::string& keyword, LocalSearchCounters counters,
                                  bool canadian, const ServiceContext& context);

} // namespace orbisk
