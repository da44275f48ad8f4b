// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/local_search_request.h"

#include "common/text.h"
#include "common/user_text.h"
#include "search/local_search_result_set.h"

#include <algorithm>
#include <exception>

namespace orbisk {
namespace {

bool AllEmpty(std::vector<std::string>::const_iterator record) {
    return std::all_of(record, record + kSlotCount,
                       [](const std::string& value) { return value.empty(); });
}

// Whole records only, each once. An all-empty record is nothing found, never
// a result, so a search that found nothing shows none.
std::vector<std::string> DistinctRecords(const std::vector<std::string>& values) {
    std::vector<std::string> taken;
    if (values.size() % kSlotCount != 0)
        return taken;
    for (auto record = values.begin(); record != values.end(); record += kSlotCount) {
        if (AllEmpty(record))
            continue;
        bool repeated = false;
        for (auto earlier = taken.begin(); earlier != taken.end() && !repeated;
             earlier += kSlotCount)
            repeated = std::equal(record, record + kSlotCount, earlier);
        if (!repeated)
            taken.insert(taken.end(), record, record + kSlotCount);
    }
    return taken;
}

LocalSearchOutcome CanadaResults(LocalSearchRequest& request, const std::string& answer,
                                 LocalSearchOutcome outcome) {
    request.MergeResults(answer);
    LocalSearchResultSet set;
    set.FromRecords(DistinctRecords(request.Slots()));
    outcome.counters.total = -1;
    outcome.counters.returned = set.totalResultsReturned;
    set.firstResultPosition = outcome.counters.first;
    set.resultSetMapUrl = request.LastRequest();
    set.ToXml(outcome.resultsText);
    return outcome;
}

} // namespace

LocalSearchRequest::LocalSearchRequest(bool canada, ServiceContext context,
                                       const std::string& latitude, const std::string& longitude,
                                       const std::string& keyword, int first)
    : ServiceClient(canada ? 6 : 5, canada ? 9 : 8, std::move(context), nullptr) {
    SetSlot(Latitude, latitude);
    SetSlot(Longitude, longitude);
    AddSlot(urlEscape(keyword));
    AddSlot(std::to_string(first));
}

LocalSearchOutcome RunLocalSearch(const std::string& latitude, const std::string& longitude,
                                  const std::string& keyword, LocalSearchCounters counters,
                                  bool canadian, const ServiceContext& context) {
    LocalSearchOutcome outcome{"", counters, ""};
    if (latitude.empty() || longitude.empty())
        return outcome;
    try {
        LocalSearchRequest request(canadian, context, latitude, longitude, keyword, counters.first);
        const HttpAnswer reply = request.SendRequest();
        if (!reply && request.LastRequestSent())
            outcome.error = Arg(Tr("LocalSearch", "The local search service did not answer (%1)."),
                                {request.LastFailure()});
        else if (reply && reply->empty())
            outcome.error = Tr("LocalSearch", "The local search service sent an empty answer.");
        if (!reply || reply->empty())
            return outcome;
        const std::string& answer = *reply;
        if (canadian)
            return CanadaResults(request, answer, outcome);
        outcome.resultsText = answer;
        LocalSearchResultSet set;
        if (set.ReadResultSet(answer))
            outcome.counters = {set.totalResultsAvailable, set.totalResultsReturned,
                                set.firstResultPosition};
        return outcome;
    } catch (const std::exception& error) {
        return {"", counters, error.what()};
    }
}

} // namespace orbisk
