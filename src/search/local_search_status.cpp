// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/local_search_status.h"

#include <algorithm>

namespace orbisk {

LocalSearchStatus ShowLocalSearchStatus(const std::string& keyword,
                                        const LocalSearchCounters& counters) {
    if (IsNoKeyword(keyword))
        return {Tr("LocalSearch", " No current search"), false, 1, true};
    int from = 0;
    int to = 0;
    if (counters.returned > 0) {
        from = counters.total != -1 && counters.first > counters.total ? counters.total
                                                                       : counters.first;
        to = std::max(counters.first + counters.returned - 1, from);
    }
    const std::string text =
        counters.total == -1
            ? Arg(Tr("LocalSearch", "%1 to %2"), {std::to_string(from), std::to_string(to)})
            : Arg(Tr("LocalSearch", "%1 to %2 of %3"),
                  {std::to_string(from), std::to_string(to), std::to_string(counters.total)});
    return {text, counters.first > 1, counters.first, HasNextPage(counters)};
}

std::string KeywordCueText() {
    return Tr("LocalSearch", kKeywordCueText);
}

std::string NewAreaRemark() {
    return Tr("LocalSearch", " (new area)");
}

std::vector<std::string> LongestStatusTexts() {
    return {ShowLocalSearchStatus("", {}).text, ShowLocalSearchStatus("-", {1000, 11, 1000}).text,
            ShowLocalSearchStatus("-", {1000, 100, 1}).text + NewAreaRemark()};
}

bool HasNextPage(const LocalSearchCounters& counters) {
    return counters.returned > 0 &&
           (counters.total == -1 || counters.first + counters.returned <= counters.total);
}

bool IsNoKeyword(const std::string& fieldText) {
    return fieldText.empty() || fieldText == kKeywordCueText;
}

int NextFirst(const std::string& fieldText, const std::string& keyword,
              const LocalSearchCounters& counters) {
    if (fieldText != keyword)
        return 1;
    return HasNextPage(counters) ? counters.first + counters.returned : counters.first;
}

int PreviousFirst(const std::string& fieldText, const std::string& keyword,
                  const LocalSearchCounters& counters) {
    if (fieldText != keyword)
        return 1;
    if (counters.returned <= 0)
        return 1; // a page that came back empty has no size to step back by
    const int first = counters.first - counters.returned;
    return first <= 0 ? 1 : first;
}

} // namespace orbisk
