#include "search/local_search_status.h"

#include <algorithm>

namespace orbisk {

LocalSearchStatus ShowLocalSearchStatus(const std::string& keyword,
                                        const LocalSearchCounters& counters) {
    if (IsNoKeyword(keyword))
        return {" No current search", false, 1};
    int from = 0;
    int to = 0;
    if (counters.returned > 0) {
        from = counters.total != -1 && counters.first > counters.total ? counters.total
                                                                       : counters.first;
        to = std::max(counters.first + counters.returned - 1, from);
    }
    std::string text = std::to_string(from) + " to " + std::to_string(to);
    if (counters.total != -1)
        text += " of " + std::to_string(counters.total);
    return {text, counters.first > 1, counters.first};
}

bool IsNoKeyword(const std::string& fieldText) {
    return fieldText.empty() || fieldText == kKeywordCueText;
}

int NextFirst(const std::string& fieldText, const std::string& keyword,
              const LocalSearchCounters& counters) {
    return fieldText != keyword ? 1 : counters.first + counters.returned;
}

int PreviousFirst(const std::string& fieldText, const std::string& keyword,
                  const LocalSearchCounters& counters) {
    if (fieldText != keyword)
        return 1;
    const int first = counters.first - counters.returned;
    return first <= 0 ? 1 : first;
}

} // namespace orbisk
